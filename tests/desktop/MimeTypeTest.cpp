// The army-file type as a desktop's MIME database sees it, read from the
// type's file alone: by the .evr name, and by content whatever the name.
#include "RunProgram.h"

#include <QMimeDatabase>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>

using namespace ovra::test;

namespace {

const std::filesystem::path kData = OVRA_TEST_DATA;

struct FileCase {
    const char* name;
    std::string bytes;
    bool isArmyFile;
};

std::ostream& operator<<(std::ostream& out, const FileCase& c) {
    return out << c.name;
}

std::string Bytes(const char* armyFile) {
    return ReadWholeFile(kData / "army" / armyFile);
}

class ArmyFileType : public ::testing::TestWithParam<FileCase> {
protected:
    static void SetUpTestSuite() {
        // Each test runs in a process of its own: the database reads these once.
        folder = std::filesystem::temp_directory_path() / ("ovra_mime_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder / "share/mime/packages");
        std::filesystem::create_directories(folder / "home");
        std::filesystem::copy_file(kData / "../../resources/ovra-mime.xml",
                                   folder / "share/mime/packages/ovra.xml",
                                   std::filesystem::copy_options::overwrite_existing);
        ::setenv("XDG_DATA_DIRS", (folder / "share").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (folder / "home").c_str(), 1);
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(folder); }
    static inline std::filesystem::path folder;
};

TEST_P(ArmyFileType, IsKnownByNameOrByItsFirstUnit) {
    const FileCase& c = GetParam();
    const std::filesystem::path path = folder / c.name;
    std::ofstream(path, std::ios::binary) << c.bytes;
    const QString type = QMimeDatabase().mimeTypeForFile(QString::fromStdString(path.string())).name();
    EXPECT_EQ(type == QStringLiteral("application/x-fennmarch-army"), c.isArmyFile) << type.toStdString();
}

const std::string kHeader("\1\0\0\0\2\0\0\0\xd0\x07\0\0", 12);

INSTANTIATE_TEST_SUITE_P(
    Desktop, ArmyFileType,
    ::testing::Values(FileCase{"army.dat", Bytes("india-example.evr"), true},
                      FileCase{"no-extension", Bytes("dropped-block.evr"), true},
                      FileCase{"unitless.dat", kHeader, false}, // known by its name only
                      FileCase{"other-tag.dat", kHeader + "<UNIX>\n", false},
                      FileCase{"format-two.dat", std::string("\2", 1) + kHeader.substr(1) + "<UNIT>\n",
                               false},
                      FileCase{"unit-too-early.dat", kHeader.substr(0, 8) + "<UNIT>\n", false},
                      FileCase{"text.evr", "not an army", true}, FileCase{"empty.evr", "", true}),
    [](const ::testing::TestParamInfo<FileCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (std::isalnum(static_cast<unsigned char>(c)) == 0)
                c = '_';
        return name;
    });

} // namespace
