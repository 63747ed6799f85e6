// A small JSON reader for checking velscan's JSON Lines: parses one value strictly and
// throws std::runtime_error on anything that is not JSON.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace VelScanTest {

struct TJsonField;

struct TJson {
    enum class TKind { Null, Bool, Number, String, Array, Object };

    TKind Kind = TKind::Null;
    bool Bool = false;
    double Number = 0;
    std::string String;
    std::vector<TJson> Items;
    std::vector<TJsonField> Fields;

    bool Has(std::string_view name) const;
    // The named field of an object; throws when there is none.
    const TJson& operator[](std::string_view name) const;
    const TJson& operator[](std::size_t index) const { return Items.at(index); }
};

// One member of an object, in the order the text gives.
struct TJsonField {
    std::string Name;
    TJson Value;
};

TJson ParseJson(std::string_view text);

} // namespace VelScanTest
