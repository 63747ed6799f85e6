// The test side of the fake ZBar: opens the fake's file (the same module the loader loads)
// and reaches its control functions (FakeZBarControl.h).
#pragma once

#include "FakeZBarControl.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace FakeZBar {

// One recorded call of a ZBar function.
struct TFakeCall {
    std::string Name;
    std::vector<unsigned long long> Args;
    std::optional<std::string> Text;
};

// A pointer argument as the call log records it.
inline unsigned long long ArgOf(const void* pointer) {
    return reinterpret_cast<std::uintptr_t>(pointer);
}

class TFakeZBar {
public:
    // Opens the fake's file; throws std::runtime_error when it cannot.
    explicit TFakeZBar(const std::string& path);
    ~TFakeZBar();
    TFakeZBar(const TFakeZBar&) = delete;
    TFakeZBar& operator=(const TFakeZBar&) = delete;

    void Reset() const;
    void SetResult(const char* function, long long value) const;
    void SetParseOutput(unsigned symbology, unsigned config, int value) const;
    void AddSymbol(const FakeZBarSymbol& symbol,
                   std::initializer_list<std::pair<int, int>> points = {}) const;

    std::vector<TFakeCall> Calls() const;
    std::vector<TFakeCall> CallsTo(std::string_view function) const;
    // The names of the recorded calls, oldest first.
    std::vector<std::string> CallNames() const;
    int LiveObjects() const;

private:
    template <class TFunction> TFunction Control(const char* name) const;

    void* FModule;
};

} // namespace FakeZBar
