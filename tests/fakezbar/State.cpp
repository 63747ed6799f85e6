#include "State.h"

#include "FakeZBarControl.h"

namespace FakeZBar {

TState& State() {
    static TState state;
    return state;
}

long long Result(const char* function, long long fallback) {
    const auto& results = State().Results;
    const auto found = results.find(function);
    return found != results.end() ? found->second : fallback;
}

} // namespace FakeZBar

using FakeZBar::State;

extern "C" {

void fakezbar_reset(void) {
    auto& state = State();
    state.Calls.clear();
    state.Results.clear();
    state.Parse = {};
    state.Symbols.clear();
}

void fakezbar_set_result(const char* function, long long value) {
    State().Results[function] = value;
}

void fakezbar_set_parse_output(unsigned symbology, unsigned config, int value) {
    State().Parse = {symbology, config, value};
}

void fakezbar_add_symbol(const FakeZBarSymbol* symbol) {
    auto added = std::make_unique<ZBar::zbar_symbol_s>();
    added->Type = symbol->type;
    added->Data.assign(symbol->data != nullptr ? symbol->data : "", symbol->data_length);
    added->Quality = symbol->quality;
    added->Count = symbol->count;
    added->Orientation = symbol->orientation;
    added->Modifiers = symbol->modifiers;
    auto& symbols = State().Symbols;
    if (!symbols.empty())
        symbols.back()->Next = added.get();
    symbols.push_back(std::move(added));
}

void fakezbar_add_symbol_point(int x, int y) {
    State().Symbols.back()->Points.emplace_back(x, y);
}

size_t fakezbar_call_count(void) {
    return State().Calls.size();
}

const char* fakezbar_call_name(size_t call) {
    return State().Calls.at(call).Name.c_str();
}

size_t fakezbar_call_arg_count(size_t call) {
    return State().Calls.at(call).Args.size();
}

unsigned long long fakezbar_call_arg(size_t call, size_t arg) {
    return State().Calls.at(call).Args.at(arg);
}

const char* fakezbar_call_text(size_t call) {
    const auto& text = State().Calls.at(call).Text;
    return text ? text->c_str() : nullptr;
}

int fakezbar_live_objects(void) {
    return State().LiveObjects;
}

} // extern "C"
