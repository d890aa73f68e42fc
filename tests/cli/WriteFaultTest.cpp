// Every kind of output under write faults, through the program as a user runs
// it: a full disk, a read-only folder, an output that is the input, a symbolic
// link, a device, a name near the 255-byte limit. Each case checks the exit
// code, the message, the bytes left at the output and that no temporary file
// remains. The faults are made on a small tmpfs that the test mounts.
#include "ArmyFixtures.h"
#include "RunProgram.h"

#include "ArmyFile.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>
#include <set>

#ifdef OVRA_PROGRAM

using namespace ovra;
using namespace ovra::test;

namespace {

namespace fs = std::filesystem;

constexpr const char* kOldBytes = "the previous file\n";
constexpr const char* kDiskOptions = "size=256k,mode=0755";

enum class Fault { None, FullDisk, ReadOnly };

// What OUT names in the command.
enum class Output {
    OldFile,         // an existing file
    LongName,        // an existing file whose name is 250 bytes long
    Link,            // a relative symbolic link to an existing file
    Input,           // the input file itself
    LinkToInput,     // a symbolic link to the input file
    HardLinkToInput, // a second name of the input file
    IncompleteInput, // an army file that loads without one unit
    DevNull,         // the null device
    DevFull,         // the device that is always full
};

// What must be at the output afterwards.
enum class Expect { Kept, NewArmy, Device };

struct WriteCase {
    const char* name;
    Fault fault;
    std::vector<std::string> command; // IN and OUT stand for the input and the output
    Output output;
    int exitCode;
    const char* message; // part of stderr; empty: stderr is empty
    Expect expect;
    bool needsPdf = false;
};

std::ostream& operator<<(std::ostream& out, const WriteCase& c) {
    return out << c.name;
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class WriteFaults : public ::testing::TestWithParam<WriteCase> {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("ovra_faults_" + std::to_string(::getpid()));
        fs::remove_all(root);
        folder = root / "disk";
        lists = root / "lists";
        fs::create_directories(folder);
        fs::create_directories(lists);
        mounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, kDiskOptions) == 0;
    }
    void TearDown() override {
        if (mounted)
            ::umount2(folder.c_str(), MNT_DETACH);
        fs::remove_all(root);
    }

    void SetReadOnly(bool readOnly) const {
        ASSERT_EQ(
            ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | (readOnly ? MS_RDONLY : 0), kDiskOptions),
            0);
    }
    // Takes every free block of the disk.
    void FillDisk() const {
        std::FILE* filler = std::fopen((folder / "filler").c_str(), "wb");
        ASSERT_NE(filler, nullptr);
        const std::string block(4096, 'f');
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
               std::fflush(filler) == 0) {
        }
        std::fclose(filler);
    }
    static void Put(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    fs::path root;
    fs::path folder;
    fs::path lists;
    bool mounted = false;
};

TEST_P(WriteFaults, LeaveThePreviousFileAndNoTemporaryFile) {
    const WriteCase& c = GetParam();
    if (c.fault != Fault::None && !mounted)
        GTEST_SKIP() << "needs a tmpfs mounted by the test, which this system refused";
#ifndef OVRA_PROGRAM_HAS_UI
    if (c.needsPdf)
        GTEST_SKIP() << "this build writes no PDF files";
#endif
    const fs::path input = folder / "army.evr";
    fs::copy_file(DataPath("army/india-example.evr"), input);
    const std::string inputBytes = ReadWholeFile(input);

    fs::path out = folder / "old.out";
    fs::path kept = out; // the file whose bytes are checked afterwards
    std::string keptBytes = kOldBytes;
    switch (c.output) {
    case Output::OldFile:
        Put(out, kOldBytes);
        break;
    case Output::LongName:
        out = kept = folder / (std::string(246, 'n') + ".evr");
        Put(out, kOldBytes);
        break;
    case Output::Link:
        kept = folder / "saved.evr";
        out = folder / "link.evr";
        Put(kept, kOldBytes);
        fs::create_symlink("saved.evr", out);
        break;
    case Output::Input:
        out = kept = input;
        keptBytes = inputBytes;
        break;
    case Output::LinkToInput:
    case Output::HardLinkToInput:
        out = folder / "second.name";
        kept = input;
        keptBytes = inputBytes;
        if (c.output == Output::LinkToInput)
            fs::create_symlink(input, out);
        else
            fs::create_hard_link(input, out);
        break;
    case Output::IncompleteInput:
        out = kept = folder / "dropped.evr";
        fs::copy_file(DataPath("army/dropped-block.evr"), out);
        keptBytes = ReadWholeFile(out);
        break;
    case Output::DevNull:
    case Output::DevFull: {
        // A node of our own for the device, so that a save that wrongly
        // replaces it cannot replace the system's; without the right to make
        // one, the system's, which this user cannot replace either.
        const bool null = c.output == Output::DevNull;
        out = kept = folder / (null ? "null" : "full");
        if (::mknod(out.c_str(), S_IFCHR | 0666, makedev(1, null ? 3 : 7)) != 0)
            out = kept = null ? "/dev/null" : "/dev/full";
        break;
    }
    }

    std::vector<std::string> args;
    for (const std::string& arg : c.command)
        args.push_back(arg == "IN" ? input.string() : arg == "OUT" ? out.string() : arg);
    args.insert(args.end(), {"--army-lists", lists.string()});

    if (c.fault == Fault::FullDisk)
        FillDisk();
    const std::set<std::string> before = Names(folder);
    if (c.fault == Fault::ReadOnly)
        SetReadOnly(true);
    const ProgramResult result = RunProgram(OVRA_PROGRAM, args);
    if (c.fault == Fault::ReadOnly)
        SetReadOnly(false);

    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    if (*c.message == '\0')
        EXPECT_EQ(result.err, "");
    else
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(Names(folder), before) << "no file is added or removed, temporary or other";
    switch (c.expect) {
    case Expect::Kept:
        EXPECT_EQ(ReadWholeFile(kept), keptBytes);
        break;
    case Expect::NewArmy: {
        const auto catalogue = BuiltInCatalogue();
        EXPECT_EQ(ReadWholeFile(kept), WriteArmyFile(Army(*catalogue->NextNation(nullptr), 3000, false)));
        break;
    }
    case Expect::Device:
        EXPECT_TRUE(fs::is_character_file(kept)) << "a device is written to, never replaced";
        break;
    }
    if (c.output == Output::Link) {
        EXPECT_TRUE(fs::is_symlink(out));
        EXPECT_EQ(fs::read_symlink(out), "saved.evr") << "the link still points at the saved file";
    }
}

const char* const kNoSpace = "No space left on device";
const char* const kIsInput = "is the input file; nothing written";

INSTANTIATE_TEST_SUITE_P(
    EveryOutput, WriteFaults,
    ::testing::Values(
        WriteCase{
            "FullDiskArmyFile", Fault::FullDisk, {"new", "OUT"}, Output::OldFile, 2, kNoSpace, Expect::Kept},
        WriteCase{"FullDiskMinMax",
                  Fault::FullDisk,
                  {"min-max", "IN", "OUT"},
                  Output::OldFile,
                  2,
                  kNoSpace,
                  Expect::Kept},
        WriteCase{"FullDiskHtml",
                  Fault::FullDisk,
                  {"export-html", "IN", "OUT"},
                  Output::OldFile,
                  2,
                  kNoSpace,
                  Expect::Kept},
        WriteCase{"FullDiskText",
                  Fault::FullDisk,
                  {"export-text", "IN", "OUT"},
                  Output::OldFile,
                  2,
                  kNoSpace,
                  Expect::Kept},
        WriteCase{"FullDiskPdf",
                  Fault::FullDisk,
                  {"export-pdf", "IN", "OUT"},
                  Output::OldFile,
                  2,
                  kNoSpace,
                  Expect::Kept,
                  true},
        WriteCase{"ReadOnlyFolder",
                  Fault::ReadOnly,
                  {"new", "OUT"},
                  Output::OldFile,
                  2,
                  "Read-only file system",
                  Expect::Kept},
        WriteCase{"HtmlOverInput",
                  Fault::None,
                  {"export-html", "IN", "OUT"},
                  Output::Input,
                  2,
                  kIsInput,
                  Expect::Kept},
        WriteCase{"PdfOverInput",
                  Fault::None,
                  {"export-pdf", "IN", "OUT"},
                  Output::Input,
                  2,
                  kIsInput,
                  Expect::Kept},
        WriteCase{"HtmlOverLinkToInput",
                  Fault::None,
                  {"export-html", "IN", "OUT"},
                  Output::LinkToInput,
                  2,
                  kIsInput,
                  Expect::Kept},
        WriteCase{"TextOverLinkToInput",
                  Fault::None,
                  {"export-text", "--markdown", "IN", "OUT"},
                  Output::LinkToInput,
                  2,
                  kIsInput,
                  Expect::Kept},
        WriteCase{"PdfOverHardLinkToInput",
                  Fault::None,
                  {"export-pdf", "IN", "OUT"},
                  Output::HardLinkToInput,
                  2,
                  kIsInput,
                  Expect::Kept},
        WriteCase{"MinMaxOverIncompleteInput",
                  Fault::None,
                  {"min-max", "--allow-incomplete", "OUT", "OUT"},
                  Output::IncompleteInput,
                  2,
                  kIsInput,
                  Expect::Kept},
        WriteCase{"SymbolicLink",
                  Fault::None,
                  {"new", "--points", "3000", "OUT"},
                  Output::Link,
                  0,
                  "",
                  Expect::NewArmy},
        WriteCase{"LongName",
                  Fault::None,
                  {"new", "--points", "3000", "OUT"},
                  Output::LongName,
                  0,
                  "",
                  Expect::NewArmy},
        WriteCase{
            "DevNull", Fault::None, {"export-html", "IN", "OUT"}, Output::DevNull, 0, "", Expect::Device},
        WriteCase{"DevFull", Fault::None, {"new", "OUT"}, Output::DevFull, 2, kNoSpace, Expect::Device}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

} // namespace

#endif
