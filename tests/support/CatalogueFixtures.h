// Helpers for building catalogues from army-list texts in tests.
#pragma once

#include "ArmyCatalogue.h"
#include "ArmyListReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace ovra::test {

inline std::filesystem::path DataPath(const std::string& relative) {
    return std::filesystem::path(OVRA_TEST_DATA) / relative;
}

// Adds the records of an army-list text held in memory.
inline void LoadText(ArmyCatalogue& catalogue, const std::string& text) {
    ArmyListReader reader;
    reader.OpenBytes(text.data(), text.size());
    catalogue.LoadArmyListText(reader);
}

inline std::unique_ptr<ArmyCatalogue> CatalogueFromText(const std::string& text) {
    auto catalogue = std::make_unique<ArmyCatalogue>();
    LoadText(*catalogue, text);
    return catalogue;
}

// A catalogue of one army-list file of the test data.
inline std::unique_ptr<ArmyCatalogue> CatalogueFromFile(const std::string& relative) {
    auto catalogue = std::make_unique<ArmyCatalogue>();
    EXPECT_TRUE(catalogue->LoadFile(DataPath(relative))) << relative;
    return catalogue;
}

// The catalogue the program builds with no army-list files beside it.
inline std::unique_ptr<ArmyCatalogue> BuiltInCatalogue() {
    auto catalogue = std::make_unique<ArmyCatalogue>();
    catalogue->LoadBuiltIn();
    return catalogue;
}

// A suite that shares one catalogue of the built-in army lists.
class BuiltInCatalogueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { catalogue = BuiltInCatalogue().release(); }
    static void TearDownTestSuite() {
        delete catalogue;
        catalogue = nullptr;
    }

    static inline ArmyCatalogue* catalogue = nullptr;
};

} // namespace ovra::test
