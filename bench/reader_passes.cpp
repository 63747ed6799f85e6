// Measures the reader's passes one by one: for each picture path on standard input, the
// gray picture is read once, then ZBar's own pass and every retry pass run on it, each alone
// on a fresh scanner with the settings above fast effort. One JSON line per picture and
// pass: the processor time of the pass and what it found, for choosing the passes, their
// order and the guard (bench/pass_gains.py).
#include "PassRunner.h"
#include "PictureGray.h"

#include <vel/Vel.h>

#include <ctime>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>

namespace {

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::ostringstream out;
    for (const std::uint8_t byte : bytes)
        out << std::hex << std::setw(2) << std::setfill('0') << static_cast<int>(byte);
    return out.str();
}

std::string Points(const Vel::TReadBarcode& barcode) {
    std::string points = "[";
    for (const Vel::TReadPoint& point : barcode.Points)
        points += (points.size() > 1 ? ",[" : "[") + std::to_string(point.X) + ',' +
                  std::to_string(point.Y) + ']';
    return points + ']';
}

void Report(const std::string& path, const Vel::TPass& pass, double seconds,
            const std::vector<Vel::TReadBarcode>& found) {
    std::cout << "{\"path\":\"" << path << "\",\"pass\":\"" << pass.Name << "\",\"cpu\":" << seconds
              << ",\"symbols\":[";
    for (std::size_t i = 0; i < found.size(); ++i)
        std::cout << (i ? "," : "") << "{\"symbology\":\""
                  << Host::ToAnsi(Vel::SymbologyName(found[i].Symbology)) << "\",\"addon\":\""
                  << Vel::AddonName(found[i].Addon) << "\",\"data\":\"" << Hex(found[i].Data)
                  << "\",\"quality\":" << found[i].Quality << ",\"points\":" << Points(found[i])
                  << '}';
    std::cout << "]}\n";
}

void Measure(const std::string& path, Vel::TPassRunner& runner) {
    Host::TPicture picture;
    picture.LoadFromFile(Host::FromAnsi(path));
    int width = 0;
    int height = 0;
    const auto gray = Vel::PictureGray(picture.Graphic(), {}, width, height);
    if (!gray)
        return;
    const Vel::TGrayPlane view{gray->Bytes.data(), width, height};
    auto run = [&](const Vel::TPass& pass) {
        const double start = ThreadSeconds();
        const auto found = runner.Run(pass, view);
        Report(path, pass, ThreadSeconds() - start, found);
    };
    run(Vel::DefaultPass());
    for (const Vel::TPass& pass : Vel::AllRetryPasses())
        if (Vel::Applies(pass, view))
            run(pass);
}

} // namespace

int main() {
    Vel::LoadLibrary();
    Vel::TPassRunner runner(Vel::TReadOptions().SetEffort(Vel::TVelEffort::efNormal));
    std::string path;
    while (std::getline(std::cin, path)) {
        try {
            Measure(path, runner);
        } catch (const std::exception& error) {
            std::cerr << path << ": " << error.what() << '\n';
        }
    }
    return 0;
}
