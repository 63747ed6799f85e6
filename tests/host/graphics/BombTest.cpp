// Tiny files that declare pictures of up to 2^28 pixels: each is refused, or decoded, with
// little memory and time. Before the decoders checked what the data could fill, a 35-byte GIF
// took 2.3 GB and header-only JPEG, WebP and TIFF files 1 GB each.
#include "Bombs.h"
#include "Codecs.h"
#include "Sanitizer.h"

#include "vel/host/Bitmap.h"
#include "vel/host/Exception.h"
#include "vel/host/Picture.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct TCost {
    bool Decoded = false;
    long PeakKiB = 0;   // the most memory the read added, in KiB
    double Seconds = 0; // processor time, which other work on the machine does not stretch
};

long StatusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return -1;
}

double ProcessorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// What the scan path costs: the picture read, then converted to the 32-bit bitmap whose rows
// the component reads.
bool ReadAndConvert(const std::string& file) {
    std::istringstream stream(file);
    Host::TPicture picture;
    try {
        picture.LoadFromStream(stream);
    } catch (const Host::Exception&) {
        return false;
    }
    Host::TBitmap bitmap;
    bitmap.Assign(picture.Graphic());
    bitmap.SetPixelFormat(Host::TPixelFormat::pf32bit);
    const Host::TBitmap& view = bitmap;
    volatile uint32_t sink = 0;
    for (int y = 0; y < view.Height(); ++y)
        sink = sink + *static_cast<const uint32_t*>(view.GetScanline(y));
    return true;
}

// Reads the file in a child process, whose peak resident memory is its own to measure.
TCost MeasureRead(const std::string& file) {
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const long before = StatusKiB("VmRSS");
        const double start = ProcessorSeconds();
        TCost cost;
        cost.Decoded = ReadAndConvert(file);
        cost.Seconds = ProcessorSeconds() - start;
        cost.PeakKiB = StatusKiB("VmHWM") - before;
        const ssize_t written = write(channel[1], &cost, sizeof cost);
        _exit(written == sizeof cost ? 0 : 1);
    }
    close(channel[1]);
    TCost cost{false, -1, -1};
    const ssize_t got = read(channel[0], &cost, sizeof cost);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(got, static_cast<ssize_t>(sizeof cost));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return cost;
}

} // namespace

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const Bomb& bomb, std::ostream* out) {
    *out << bomb.Name << " (" << bomb.File.size() << " bytes)";
}

namespace {

// A decoder allocates a picture's pixels when it starts reading them, but touches only the
// rows its data fills. AddressSanitizer, though, writes the shadow of every allocation: an
// eighth of its size, up to 128 MiB for the 1 GiB of a 16384 x 16384 picture.
#if defined(VEL_ADDRESS_SANITIZED)
constexpr long ShadowKiB = (long{1} << 28) * 4 / 8 / 1024;
#else
constexpr long ShadowKiB = 0;
#endif

class BombTable : public testing::TestWithParam<Bomb> {};

TEST_P(BombTable, IsRefusedOrDecodedWithinBoundsOfMemoryAndTime) {
    const Bomb& bomb = GetParam();
    const TCost cost = MeasureRead(bomb.File);
    EXPECT_EQ(cost.Decoded, bomb.Valid);
    // The valid one is 4096 x 4096 pixels: 64 MiB of colours shared by picture and bitmap.
    const long boundKiB = (bomb.Valid ? 96 * 1024 : 64 * 1024) + ShadowKiB;
    EXPECT_LT(cost.PeakKiB, boundKiB) << bomb.File.size() << " bytes";
    EXPECT_LT(cost.Seconds, 5.0);
    RecordProperty("PeakKiB", std::to_string(cost.PeakKiB));
    RecordProperty("ProcessorMilliseconds", std::to_string(std::lround(cost.Seconds * 1000)));
}

// A JPEG drawn inside a PDF page is decoded by poppler, not by the host: libjpeg's whole-image
// buffers are held to what a picture within the pixel limit needs, so the image is left out
// instead of taking 8 GB. (poppler still spends seconds scaling the image's declared rows.)
TEST(PdfBomb, AHugeJpegImageInAPageIsLeftOutWithinTheMemoryBound) {
    if (!Support::ReadsPdf)
        GTEST_SKIP() << Support::NoPdf;
    const TCost cost = MeasureRead(PdfOfAHugeProgressiveJpeg());
    EXPECT_TRUE(cost.Decoded);
    EXPECT_LT(cost.PeakKiB, 96 * 1024 + ShadowKiB);
    RecordProperty("PeakKiB", std::to_string(cost.PeakKiB));
}

INSTANTIATE_TEST_SUITE_P(Kinds, BombTable, testing::ValuesIn(MakeBombs()),
                         [](const testing::TestParamInfo<Bomb>& info) { return info.param.Name; });

} // namespace
