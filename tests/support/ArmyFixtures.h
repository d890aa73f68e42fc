// Helpers for tests of the army and the document.
#pragma once

#include "CatalogueFixtures.h"

#include "ArmyDocument.h"
#include "Host.h"

#include <string>
#include <string_view>
#include <vector>

namespace ovra::test {

inline Code C(const char (&code)[5]) {
    return CodeOf(code);
}

inline Code CodeFrom(std::string_view text) {
    const auto byte = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    };
    return MakeCode(byte(0), byte(1), byte(2), byte(3));
}

// The codes of an army's entries, in army order.
inline std::string EntryCodes(const Army& army) {
    std::string codes;
    for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
        if (!codes.empty())
            codes += ' ';
        codes += CodeText(army.UnitAt(i)->troopType().code());
    }
    return codes;
}

} // namespace ovra::test
