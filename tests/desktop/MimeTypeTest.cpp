// The army-file type as a desktop's MIME database sees it, read from the
// type's file alone: by the .evr name, and by content whatever the name.
#include "RunProgram.h"

#include <QMimeDatabase>

#include <gtest/gtest.h>

using namespace ovra::test;

namespace {

const std::filesystem::path kData = OVRA_TEST_DATA;

TEST(ArmyFileType, IsKnownByNameOrByItsFirstUnit) {
    const ScratchFolder folder;
    folder.Put("share/mime/packages/ovra.xml", ReadWholeFile(kData / "../../resources/ovra-mime.xml"));
    ::setenv("XDG_DATA_DIRS", (folder / "share").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (folder / "home").c_str(), 1);
    const std::string header("\1\0\0\0\2\0\0\0\xd0\x07\0\0", 12);
    const struct {
        const char* name;
        std::string bytes;
        bool isArmyFile;
    } cases[] = {
        {"army.dat", ReadWholeFile(kData / "army/india-example.evr"), true},
        {"no-extension", ReadWholeFile(kData / "army/dropped-block.evr"), true},
        {"unitless.dat", header, false}, // known by its name only
        {"other-tag.dat", header + "<UNIX>\n", false},
        {"format-two.dat", std::string("\2", 1) + header.substr(1) + "<UNIT>\n", false},
        {"unit-too-early.dat", header.substr(0, 8) + "<UNIT>\n", false},
        {"text.evr", "not an army", true},
        {"empty.evr", "", true},
    };
    for (const auto& c : cases) {
        const QString path = QString::fromStdString(folder.Put(c.name, c.bytes).string());
        const QString type = QMimeDatabase().mimeTypeForFile(path).name();
        EXPECT_EQ(type == QStringLiteral("application/x-fennmarch-army"), c.isArmyFile) << c.name;
    }
}

} // namespace
