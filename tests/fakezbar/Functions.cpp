// The ZBar functions the fake models: objects with their properties, results the test
// chooses, and symbols it adds. Every call is recorded with its arguments.
#include "State.h"
#include "vel/zbar/Enums.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

// Declared from the entry list, so a definition below that differs from it fails to build.
#define VEL_ZBAR_ENTRY(ReturnType, name, parameters) extern "C" ReturnType name parameters;
#include "vel/ZBarEntries.def"
#undef VEL_ZBAR_ENTRY

struct ZBar::zbar_image_s {
    unsigned long Format = 0;
    unsigned Width = 0;
    unsigned Height = 0;
    const void* Data = nullptr;
    unsigned long DataLength = 0;
};
struct ZBar::zbar_image_scanner_s {};
struct ZBar::zbar_decoder_s {};
struct ZBar::zbar_scanner_s {};

using namespace ZBar;
using FakeZBar::Record;
using FakeZBar::Result;
using FakeZBar::State;

namespace {

template <class T, class... TArgs> T* Create(const char* function, TArgs... args) {
    Record(function, args...);
    if (Result(function, 1) == 0)
        return nullptr;
    std::lock_guard lock(State().Mutex);
    ++State().LiveObjects;
    return new T();
}

template <class T> void Destroy(const char* function, T* object) {
    Record(function, object);
    if (object != nullptr) {
        std::lock_guard lock(State().Mutex);
        --State().LiveObjects;
    }
    delete object;
}

// A name that shows which code was asked for, e.g. "symbol 13". (snprintf rather than
// std::to_string, whose unique symbols would keep the fake from ever being unloaded.)
const char* Name(const char* kind, long long code) {
    static char name[64];
    std::snprintf(name, sizeof name, "%s %lld", kind, code);
    return name;
}

// The number an environment variable holds, or -1 when it is not set.
long long EnvironmentNumber(const char* name) {
    const char* text = std::getenv(name);
    return text != nullptr ? std::atoll(text) : -1;
}

// What a scan does for a test that runs the fake in another process (velscan), chosen by
// environment variables: crash with SIGSEGV, abort with SIGABRT (as a failed assertion does) or
// hang when the image has the given width (FAKEZBAR_CRASH_WIDTH, FAKEZBAR_ABORT_WIDTH,
// FAKEZBAR_HANG_WIDTH), write an assertion line on standard error as Debian's ZBar does for
// some DataBar pictures (FAKEZBAR_ASSERT_WIDTH), and with FAKEZBAR_SCAN_MS take that long,
// telling when the scan of an image of that width begins and ends ("fakezbar: begin 640",
// "fakezbar: end 640"). The telling is appended to the file FAKEZBAR_TELL_FILE (standard
// error when it is not set): a velscan worker captures its standard error while it scans,
// and the tests watch the scans as they happen.
void ActOnEnvironment(const zbar_image_t* image) {
    const long long width = image->Width;
    if (EnvironmentNumber("FAKEZBAR_ASSERT_WIDTH") == width)
        std::fprintf(stderr, "WARNING: zbar/decoder/databar.c:1265: _zbar_decode_databar: "
                             "Assertion \"seg->finder >= 0\" failed.\n\ti=8 f=-1(111) part=1\n");
    if (EnvironmentNumber("FAKEZBAR_CRASH_WIDTH") == width) {
        std::signal(SIGSEGV, SIG_DFL); // as an unhandled crash, whatever handler a tool put in
        std::raise(SIGSEGV);
    }
    if (EnvironmentNumber("FAKEZBAR_ABORT_WIDTH") == width) {
        std::signal(SIGABRT, SIG_DFL);
        std::abort();
    }
    if (EnvironmentNumber("FAKEZBAR_HANG_WIDTH") == width)
        for (;;)
            pause();
    const long long milliseconds = EnvironmentNumber("FAKEZBAR_SCAN_MS");
    if (milliseconds < 0)
        return;
    const auto tell = [width](const char* what) {
        char line[64];
        const int length = std::snprintf(line, sizeof line, "fakezbar: %s %lld\n", what, width);
        const char* path = std::getenv("FAKEZBAR_TELL_FILE");
        const int fd = path != nullptr ? open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600)
                                       : STDERR_FILENO;
        (void)!write(fd, line, static_cast<std::size_t>(length));
        if (fd != STDERR_FILENO && fd >= 0)
            close(fd);
    };
    tell("begin");
    timespec duration{static_cast<time_t>(milliseconds / 1000), (milliseconds % 1000) * 1000000};
    while (nanosleep(&duration, &duration) != 0) {
    }
    tell("end");
}

int PointCoordinate(const zbar_symbol_t* symbol, unsigned index, int std::pair<int, int>::*axis) {
    return index < symbol->Points.size() ? symbol->Points[index].*axis : -1;
}

} // namespace

extern "C" {

int zbar_version(unsigned* major, unsigned* minor, unsigned* patch) {
    Record("zbar_version", major, minor, patch);
    *major = 0;
    *minor = 23;
    *patch = 92;
    return 0;
}

const char* zbar_get_symbol_name(zbar_symbol_type_t sym) {
    Record("zbar_get_symbol_name", sym);
    return Name("symbol", sym);
}

const char* zbar_get_addon_name(zbar_symbol_type_t sym) {
    Record("zbar_get_addon_name", sym);
    return Name("addon", sym);
}

const char* zbar_get_modifier_name(zbar_modifier_t modifier) {
    Record("zbar_get_modifier_name", modifier);
    return Name("modifier", modifier);
}

const char* zbar_get_config_name(zbar_config_t config) {
    Record("zbar_get_config_name", config);
    return Name("config", config);
}

const char* zbar_get_orientation_name(zbar_orientation_t orientation) {
    Record("zbar_get_orientation_name", orientation);
    return Name("orientation", orientation);
}

int zbar_parse_config(const char* config_string, zbar_symbol_type_t* symbology,
                      zbar_config_t* config, int* value) {
    FakeZBar::RecordText("zbar_parse_config", config_string, symbology, config, value);
    const auto result = static_cast<int>(Result("zbar_parse_config", 0));
    if (result == 0) {
        *symbology = static_cast<zbar_symbol_type_t>(State().Parse.Symbology);
        *config = static_cast<zbar_config_t>(State().Parse.Config);
        *value = State().Parse.Value;
    }
    return result;
}

int _zbar_error_spew(const void* object, int verbosity) {
    Record("_zbar_error_spew", object, verbosity);
    return static_cast<int>(Result("_zbar_error_spew", 0));
}

const char* _zbar_error_string(const void* object, int verbosity) {
    Record("_zbar_error_string", object, verbosity);
    return "fake error text";
}

zbar_error_t _zbar_get_error_code(const void* object) {
    Record("_zbar_get_error_code", object);
    return static_cast<zbar_error_t>(Result("_zbar_get_error_code", ZBAR_OK));
}

zbar_symbol_type_t zbar_symbol_get_type(const zbar_symbol_t* symbol) {
    Record("zbar_symbol_get_type", symbol);
    return static_cast<zbar_symbol_type_t>(symbol->Type);
}

unsigned zbar_symbol_get_modifiers(const zbar_symbol_t* symbol) {
    Record("zbar_symbol_get_modifiers", symbol);
    return symbol->Modifiers;
}

const char* zbar_symbol_get_data(const zbar_symbol_t* symbol) {
    Record("zbar_symbol_get_data", symbol);
    return symbol->Data.c_str();
}

unsigned zbar_symbol_get_data_length(const zbar_symbol_t* symbol) {
    Record("zbar_symbol_get_data_length", symbol);
    return static_cast<unsigned>(symbol->Data.size());
}

int zbar_symbol_get_quality(const zbar_symbol_t* symbol) {
    Record("zbar_symbol_get_quality", symbol);
    return symbol->Quality;
}

int zbar_symbol_get_count(const zbar_symbol_t* symbol) {
    Record("zbar_symbol_get_count", symbol);
    return symbol->Count;
}

unsigned zbar_symbol_get_loc_size(const zbar_symbol_t* symbol) {
    Record("zbar_symbol_get_loc_size", symbol);
    return static_cast<unsigned>(symbol->Points.size());
}

int zbar_symbol_get_loc_x(const zbar_symbol_t* symbol, unsigned index) {
    Record("zbar_symbol_get_loc_x", symbol, index);
    return PointCoordinate(symbol, index, &std::pair<int, int>::first);
}

int zbar_symbol_get_loc_y(const zbar_symbol_t* symbol, unsigned index) {
    Record("zbar_symbol_get_loc_y", symbol, index);
    return PointCoordinate(symbol, index, &std::pair<int, int>::second);
}

zbar_orientation_t zbar_symbol_get_orientation(const zbar_symbol_t* symbol) {
    Record("zbar_symbol_get_orientation", symbol);
    return static_cast<zbar_orientation_t>(symbol->Orientation);
}

const zbar_symbol_t* zbar_symbol_next(const zbar_symbol_t* symbol) {
    Record("zbar_symbol_next", symbol);
    return symbol->Next;
}

zbar_image_t* zbar_image_create(void) {
    return Create<zbar_image_t>("zbar_image_create");
}

void zbar_image_destroy(zbar_image_t* image) {
    Destroy("zbar_image_destroy", image);
}

unsigned long zbar_image_get_format(const zbar_image_t* image) {
    Record("zbar_image_get_format", image);
    return image->Format;
}

unsigned zbar_image_get_width(const zbar_image_t* image) {
    Record("zbar_image_get_width", image);
    return image->Width;
}

unsigned zbar_image_get_height(const zbar_image_t* image) {
    Record("zbar_image_get_height", image);
    return image->Height;
}

const void* zbar_image_get_data(const zbar_image_t* image) {
    Record("zbar_image_get_data", image);
    return image->Data;
}

unsigned long zbar_image_get_data_length(const zbar_image_t* image) {
    Record("zbar_image_get_data_length", image);
    return image->DataLength;
}

const zbar_symbol_t* zbar_image_first_symbol(const zbar_image_t* image) {
    Record("zbar_image_first_symbol", image);
    const auto& symbols = State().Symbols;
    return symbols.empty() ? nullptr : symbols.front().get();
}

void zbar_image_set_format(zbar_image_t* image, unsigned long format) {
    Record("zbar_image_set_format", image, format);
    image->Format = format;
}

void zbar_image_set_size(zbar_image_t* image, unsigned width, unsigned height) {
    Record("zbar_image_set_size", image, width, height);
    image->Width = width;
    image->Height = height;
}

void zbar_image_set_data(zbar_image_t* image, const void* data, unsigned long data_byte_length,
                         zbar_image_cleanup_handler_t* cleanup_hndlr) {
    Record("zbar_image_set_data", image, data, data_byte_length, cleanup_hndlr);
    image->Data = data;
    image->DataLength = data_byte_length;
}

zbar_image_scanner_t* zbar_image_scanner_create(void) {
    return Create<zbar_image_scanner_t>("zbar_image_scanner_create");
}

void zbar_image_scanner_destroy(zbar_image_scanner_t* scanner) {
    Destroy("zbar_image_scanner_destroy", scanner);
}

int zbar_image_scanner_set_config(zbar_image_scanner_t* scanner, zbar_symbol_type_t symbology,
                                  zbar_config_t config, int value) {
    Record("zbar_image_scanner_set_config", scanner, symbology, config, value);
    return static_cast<int>(Result("zbar_image_scanner_set_config", 0));
}

void zbar_image_scanner_enable_cache(zbar_image_scanner_t* scanner, int enable) {
    Record("zbar_image_scanner_enable_cache", scanner, enable);
}

int zbar_scan_image(zbar_image_scanner_t* scanner, zbar_image_t* image) {
    Record("zbar_scan_image", scanner, image);
    ActOnEnvironment(image);
    return static_cast<int>(
        Result("zbar_scan_image", static_cast<long long>(State().Symbols.size())));
}

zbar_decoder_t* zbar_decoder_create(void) {
    return Create<zbar_decoder_t>("zbar_decoder_create");
}

void zbar_decoder_destroy(zbar_decoder_t* decoder) {
    Destroy("zbar_decoder_destroy", decoder);
}

int zbar_decoder_set_config(zbar_decoder_t* decoder, zbar_symbol_type_t symbology,
                            zbar_config_t config, int value) {
    Record("zbar_decoder_set_config", decoder, symbology, config, value);
    return static_cast<int>(Result("zbar_decoder_set_config", 0));
}

zbar_scanner_t* zbar_scanner_create(zbar_decoder_t* decoder) {
    return Create<zbar_scanner_t>("zbar_scanner_create", decoder);
}

void zbar_scanner_destroy(zbar_scanner_t* scanner) {
    Destroy("zbar_scanner_destroy", scanner);
}

zbar_symbol_type_t zbar_scan_y(zbar_scanner_t* scanner, int y) {
    Record("zbar_scan_y", scanner, y);
    return static_cast<zbar_symbol_type_t>(Result("zbar_scan_y", y));
}

} // extern "C"
