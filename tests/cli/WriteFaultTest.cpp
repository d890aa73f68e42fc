// Every kind of output under write faults, through the program as a user runs
// it: a full disk, a read-only folder, an output that is the input, a symbolic
// link, a device, a name near the 255-byte limit. Each case checks the exit
// code, the message, the bytes left at the output and that no temporary file
// remains. The faults are made on a small tmpfs that the test mounts.
#include "CatalogueFixtures.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <set>

using namespace ovra::test;

namespace {

namespace fs = std::filesystem;

constexpr const char* kOldBytes = "the previous file\n";
constexpr const char* kDiskOptions = "size=256k,mode=0755";
constexpr const char* kNoSpace = "No space left on device";
constexpr const char* kIsInput = "is the input file; nothing written";

enum class Fault { None, FullDisk, ReadOnly };
// What OUT names: an existing file, one with a 250-byte name, a relative
// symbolic link to one; the input, a symbolic or a hard link to it, an army
// file that loads without one unit as input and output; the null device, the
// device that is always full.
enum class Output {
    OldFile,
    LongName,
    Link,
    Input,
    LinkToInput,
    HardLinkToInput,
    IncompleteInput,
    DevNull,
    DevFull
};
// What is at the output afterwards.
enum class Expect { Kept, NewArmy, Device };
using enum Fault;
using enum Output;
using enum Expect;

struct WriteCase {
    const char* name;
    Fault fault;
    std::vector<std::string> command; // IN and OUT stand for the input and the output
    Output output;
    int exitCode;
    const char* message; // part of stderr; empty: stderr is empty
    Expect expect;
};

const WriteCase kCases[] = {
    {"FullDiskArmyFile", FullDisk, {"new", "OUT"}, OldFile, 2, kNoSpace, Kept},
    {"FullDiskMinMax", FullDisk, {"min-max", "IN", "OUT"}, OldFile, 2, kNoSpace, Kept},
    {"FullDiskHtml", FullDisk, {"export-html", "IN", "OUT"}, OldFile, 2, kNoSpace, Kept},
    {"FullDiskText", FullDisk, {"export-text", "IN", "OUT"}, OldFile, 2, kNoSpace, Kept},
    {"FullDiskPdf", FullDisk, {"export-pdf", "IN", "OUT"}, OldFile, 2, kNoSpace, Kept},
    {"ReadOnlyFolder", ReadOnly, {"new", "OUT"}, OldFile, 2, "Read-only file system", Kept},
    {"HtmlOverInput", None, {"export-html", "IN", "OUT"}, Input, 2, kIsInput, Kept},
    {"PdfOverInput", None, {"export-pdf", "IN", "OUT"}, Input, 2, kIsInput, Kept},
    {"HtmlOverLinkToInput", None, {"export-html", "IN", "OUT"}, LinkToInput, 2, kIsInput, Kept},
    {"TextOverLinkToInput", None, {"export-text", "--markdown", "IN", "OUT"}, LinkToInput, 2, kIsInput, Kept},
    {"PdfOverHardLinkToInput", None, {"export-pdf", "IN", "OUT"}, HardLinkToInput, 2, kIsInput, Kept},
    {"MinMaxOverIncompleteInput",
     None,
     {"min-max", "--allow-incomplete", "OUT", "OUT"},
     IncompleteInput,
     2,
     kIsInput,
     Kept},
    {"SymbolicLink", None, {"new", "--points", "3000", "OUT"}, Link, 0, "", NewArmy},
    {"LongName", None, {"new", "--points", "3000", "OUT"}, LongName, 0, "", NewArmy},
    {"DevNull", None, {"export-html", "IN", "OUT"}, DevNull, 0, "", Device},
    {"DevFull", None, {"new", "OUT"}, DevFull, 2, kNoSpace, Device},
};

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class WriteFaults : public ::testing::TestWithParam<WriteCase> {
protected:
    void SetUp() override {
        fs::create_directories(folder);
        fs::create_directories(root / "lists");
        mounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, kDiskOptions) == 0;
    }
    void TearDown() override {
        if (mounted)
            ::umount2(folder.c_str(), MNT_DETACH);
    }
    void SetReadOnly(bool readOnly) const {
        const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
        ASSERT_EQ(::mount(nullptr, folder.c_str(), nullptr, flags, kDiskOptions), 0);
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

    const ScratchFolder root;
    const fs::path folder = root / "disk";
    bool mounted = false;
};

TEST_P(WriteFaults, LeaveThePreviousFileAndNoTemporaryFile) {
    const WriteCase& c = GetParam();
    if (c.fault != None && !mounted)
        GTEST_SKIP() << "needs a tmpfs mounted by the test, which this system refused";
#ifndef OVRA_PROGRAM_HAS_UI
    if (c.command[0] == "export-pdf")
        GTEST_SKIP() << "this build writes no PDF files";
#endif
    const fs::path input = folder / "army.evr";
    fs::copy_file(DataPath("army/india-example.evr"), input);
    fs::path out = folder / "old.out";
    fs::path kept = out; // the file whose bytes are checked afterwards
    switch (c.output) {
    case OldFile:
    case LongName:
        if (c.output == LongName)
            out = kept = folder / (std::string(246, 'n') + ".evr");
        std::ofstream(out, std::ios::binary) << kOldBytes;
        break;
    case Link:
        out = folder / "link.evr";
        kept = folder / "saved.evr";
        std::ofstream(kept, std::ios::binary) << kOldBytes;
        fs::create_symlink("saved.evr", out);
        break;
    case Input:
    case LinkToInput:
    case HardLinkToInput:
        kept = input;
        out = c.output == Input ? input : folder / "second.name";
        if (c.output == LinkToInput)
            fs::create_symlink(input, out);
        if (c.output == HardLinkToInput)
            fs::create_hard_link(input, out);
        break;
    case IncompleteInput:
        out = kept = folder / "dropped.evr";
        fs::copy_file(DataPath("army/dropped-block.evr"), out);
        break;
    case DevNull:
    case DevFull:
        // A node of our own for the device, so that a save that wrongly
        // replaces it cannot replace the system's; without the right to make
        // one, the system's, which this user cannot replace either.
        out = kept = folder / (c.output == DevNull ? "null" : "full");
        if (::mknod(out.c_str(), S_IFCHR | 0666, makedev(1, c.output == DevNull ? 3 : 7)) != 0)
            out = kept = c.output == DevNull ? "/dev/null" : "/dev/full";
        break;
    }
    // The first nation at 3000 points and no units, or what was there.
    const std::string bytes =
        c.expect == NewArmy  ? std::string("\1\0\0\0\x08\0\0\0\xB8\x0B\0\0", 12)
        : c.expect == Device ? std::string() // a device reads without end
                             : ReadWholeFile(kept);

    std::vector<std::string> args;
    for (const std::string& arg : c.command)
        args.push_back(arg == "IN" ? input.string() : arg == "OUT" ? out.string() : arg);
    args.insert(args.end(), {"--army-lists", (root / "lists").string()});
    if (c.fault == FullDisk)
        FillDisk();
    const std::set<std::string> before = Names(folder);
    if (c.fault == ReadOnly)
        SetReadOnly(true);
    const ProgramResult result = RunProgram(OVRA_PROGRAM, args);
    if (c.fault == ReadOnly)
        SetReadOnly(false);

    ExpectRun(result, {args, c.exitCode, "", c.message});
    EXPECT_EQ(Names(folder), before) << "no file is added or removed, temporary or other";
    if (c.expect == Device) {
        EXPECT_TRUE(fs::is_character_file(kept)) << "a device is written to, never replaced";
    } else {
        EXPECT_EQ(ReadWholeFile(kept), bytes);
    }
    if (c.output == Link) {
        EXPECT_EQ(fs::read_symlink(out), "saved.evr") << "the link still points at the saved file";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryOutput, WriteFaults, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
