#include "FakeZBarClient.h"

#include <dlfcn.h>

#include <stdexcept>

namespace FakeZBar {

TFakeZBar::TFakeZBar(const std::string& path) : FModule(dlopen(path.c_str(), RTLD_NOW)) {
    if (FModule == nullptr)
        throw std::runtime_error("cannot open the fake ZBar " + path + ": " + dlerror());
}

TFakeZBar::~TFakeZBar() {
    dlclose(FModule);
}

template <class TFunction> TFunction TFakeZBar::Control(const char* name) const {
    void* address = dlsym(FModule, name);
    if (address == nullptr)
        throw std::runtime_error(std::string("the fake ZBar lacks ") + name);
    return reinterpret_cast<TFunction>(address);
}

void TFakeZBar::Reset() const {
    Control<decltype(&fakezbar_reset)>("fakezbar_reset")();
}

void TFakeZBar::SetResult(const char* function, long long value) const {
    Control<decltype(&fakezbar_set_result)>("fakezbar_set_result")(function, value);
}

void TFakeZBar::SetParseOutput(unsigned symbology, unsigned config, int value) const {
    Control<decltype(&fakezbar_set_parse_output)>("fakezbar_set_parse_output")(symbology, config,
                                                                               value);
}

void TFakeZBar::AddSymbol(const FakeZBarSymbol& symbol,
                          std::initializer_list<std::pair<int, int>> points) const {
    Control<decltype(&fakezbar_add_symbol)>("fakezbar_add_symbol")(&symbol);
    const auto addPoint =
        Control<decltype(&fakezbar_add_symbol_point)>("fakezbar_add_symbol_point");
    for (const auto& [x, y] : points)
        addPoint(x, y);
}

std::vector<TFakeCall> TFakeZBar::Calls() const {
    const auto count = Control<decltype(&fakezbar_call_count)>("fakezbar_call_count")();
    const auto name = Control<decltype(&fakezbar_call_name)>("fakezbar_call_name");
    const auto argCount = Control<decltype(&fakezbar_call_arg_count)>("fakezbar_call_arg_count");
    const auto arg = Control<decltype(&fakezbar_call_arg)>("fakezbar_call_arg");
    const auto text = Control<decltype(&fakezbar_call_text)>("fakezbar_call_text");
    std::vector<TFakeCall> calls;
    for (size_t i = 0; i < count; ++i) {
        TFakeCall call{name(i), {}, std::nullopt};
        for (size_t k = 0; k < argCount(i); ++k)
            call.Args.push_back(arg(i, k));
        if (const char* recorded = text(i))
            call.Text = recorded;
        calls.push_back(std::move(call));
    }
    return calls;
}

std::vector<TFakeCall> TFakeZBar::CallsTo(std::string_view function) const {
    std::vector<TFakeCall> calls;
    for (auto& call : Calls())
        if (call.Name == function)
            calls.push_back(std::move(call));
    return calls;
}

std::vector<std::string> TFakeZBar::CallNames() const {
    std::vector<std::string> names;
    for (auto& call : Calls())
        names.push_back(std::move(call.Name));
    return names;
}

int TFakeZBar::LiveObjects() const {
    return Control<decltype(&fakezbar_live_objects)>("fakezbar_live_objects")();
}

} // namespace FakeZBar
