// The fake ZBar's state: the call log, the chosen results and the symbols to report.
#pragma once

#include "vel/zbar/Types.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

struct ZBar::zbar_symbol_s {
    unsigned Type = 0;
    std::string Data;
    int Quality = 0;
    int Count = 0;
    int Orientation = 0;
    unsigned Modifiers = 0;
    std::vector<std::pair<int, int>> Points;
    const zbar_symbol_s* Next = nullptr;
};

namespace FakeZBar {

struct TCall {
    std::string Name;
    std::vector<unsigned long long> Args;
    std::optional<std::string> Text;
};

struct TParseOutput {
    unsigned Symbology = 0;
    unsigned Config = 0;
    int Value = 0;
};

struct TState {
    std::vector<TCall> Calls;
    std::map<std::string, long long, std::less<>> Results;
    TParseOutput Parse;
    std::vector<std::unique_ptr<ZBar::zbar_symbol_s>> Symbols;
    int LiveObjects = 0;
    // Guards the call log and the count of objects, which threads scanning at once change.
    std::mutex Mutex;
};

TState& State();

// The result chosen for the function, or the fallback.
long long Result(const char* function, long long fallback);

template <class T> unsigned long long Arg(T value) {
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<std::uintptr_t>(value);
    else
        return static_cast<unsigned long long>(static_cast<long long>(value));
}

template <class... TArgs> void Record(const char* function, TArgs... args) {
    std::lock_guard lock(State().Mutex);
    State().Calls.push_back(TCall{function, {Arg(args)...}, std::nullopt});
}

template <class... TArgs> void RecordText(const char* function, const char* text, TArgs... args) {
    TCall call{function, {Arg(args)...}, std::nullopt};
    if (text != nullptr)
        call.Text = text;
    std::lock_guard lock(State().Mutex);
    State().Calls.push_back(std::move(call));
}

} // namespace FakeZBar
