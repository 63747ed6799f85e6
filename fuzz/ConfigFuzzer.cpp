// Feeds arbitrary configuration texts to the reader, the way velscan's --set and
// TReadOptions hand them on: the first byte picks the effort, each further line is one
// setting. The reader must take exactly the texts ZBar's own parser and scanner take (asked
// directly through the entry table), name the first text it refuses, and read a picture
// with the texts it took. Needs the real libzbar.
#include "vel/GrayView.h"
#include "vel/Loader.h"
#include "vel/ReadOptions.h"
#include "vel/Reader.h"
#include "vel/VelError.h"
#include "vel/ZBarEntries.h"
#include "vel/host/String.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t MaxSettings = 8;

// Whether ZBar takes the text whole: parses it and applies it to a scanner of its own.
bool ZBarTakes(const std::string& setting) {
    if (setting.find('\0') != std::string::npos)
        return false;
    ZBar::zbar_symbol_type_t symbology = ZBar::ZBAR_NONE;
    ZBar::zbar_config_t config = ZBar::ZBAR_CFG_ENABLE;
    int value = 0;
    if (Vel::zbar_parse_config(setting.c_str(), &symbology, &config, &value) != 0)
        return false;
    ZBar::zbar_image_scanner_t* scanner = Vel::zbar_image_scanner_create();
    const int result = Vel::zbar_image_scanner_set_config(scanner, symbology, config, value);
    Vel::zbar_image_scanner_destroy(scanner);
    return result == 0;
}

Vel::TReadOptions OptionsOf(std::string_view input) {
    Vel::TReadOptions options;
    if (input.empty())
        return options;
    options.SetEffort(static_cast<Vel::TVelEffort>(static_cast<std::uint8_t>(input[0]) % 3));
    input.remove_prefix(1);
    while (!input.empty() && options.Settings().size() < MaxSettings) {
        const std::size_t end = std::min(input.find('\n'), input.size());
        options.AddSetting(std::string(input.substr(0, end)));
        input.remove_prefix(std::min(end + 1, input.size()));
    }
    return options;
}

[[noreturn]] void Finding(const std::string& what) {
    std::cerr << what << '\n';
    std::abort();
}

// Builds the reader, checking that it refuses exactly what ZBar refuses; null when it
// refused rightly.
std::unique_ptr<Vel::TReader> CheckedReader(const Vel::TReadOptions& options) {
    const std::vector<std::string>& settings = options.Settings();
    const auto refused = std::find_if_not(settings.begin(), settings.end(), ZBarTakes);
    try {
        auto reader = std::make_unique<Vel::TReader>(options);
        if (refused != settings.end())
            Finding("the reader took a text ZBar refuses: '" + *refused + "'");
        return reader;
    } catch (const Vel::EVelError& error) {
        const std::string message = Host::ToUtf8(error.Message());
        if (refused == settings.end())
            Finding("the reader refused texts ZBar takes: " + message);
        if (error.Message().find(u"'" + Host::FromAnsi(*refused) + u"'") == Host::String::npos)
            Finding("the error '" + message + "' does not name the refused text '" + *refused +
                    "'");
    }
    return nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Vel::LoadLibrary();
    const auto reader =
        CheckedReader(OptionsOf(std::string_view(reinterpret_cast<const char*>(data), size)));
    static const std::vector<std::uint8_t> blank(32 * 24, 0xFF);
    if (reader)
        reader->Read(Vel::TGrayView(blank.data(), 32, 24));
    return 0;
}
