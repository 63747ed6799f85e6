// Runs a fuzz target over files and folders of inputs, for builds without libFuzzer: the
// seeds then serve as a regression test of the target.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path = argv[i];
        if (!std::filesystem::exists(path)) {
            std::cerr << path.string() << ": no such file or folder\n";
            return 1;
        }
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
                if (entry.is_regular_file()) {
                    Replay(entry.path());
                    ++count;
                }
        } else {
            Replay(path);
            ++count;
        }
    }
    std::cout << "replayed " << count << " inputs\n";
    return 0;
}
