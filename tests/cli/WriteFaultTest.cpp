// Every kind of output under write faults, through the program as a user runs
// it: a full disk, a read-only folder, an output that is the input, a symbolic
// link, a device, a name near the 255-byte limit. Each case checks the exit
// code, the message, the bytes left at the output and that no temporary file
// remains. The faults are made on a small tmpfs that the test mounts.
#include "CatalogueFixtures.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "Headless.h"

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <csignal>
#include <cstring>
#include <set>
#include <sstream>
#include <utility>

using namespace ovra;
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

// A small tmpfs of the test's own, where the faults are made.
class SmallDisk : public ::testing::Test {
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

class WriteFaults : public SmallDisk, public ::testing::WithParamInterface<WriteCase> {};

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
    const std::string bytes = c.expect == NewArmy  ? std::string("\1\0\0\0\x08\0\0\0\xB8\x0B\0\0", 12)
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

namespace {

// An army of India with `units` longbowmen (code 1GBW, stored reversed),
// large enough that writing its roster takes a while.
std::string LargeArmy(int units) {
    std::string bytes("\1\0\0\0\2\0\0\0\xD0\7\0\0", 12);
    for (int i = 0; i < units; ++i)
        bytes += "<UNIT>\nWBG1\n</UNIT>\n";
    return bytes;
}

// Starts the program with standard output going to `out` and standard error
// to the file `err`.
// Starts the program with the interrupting signals at their defaults (a test
// started in the background inherits SIGINT ignored), except `ignored`.
pid_t Start(const std::vector<std::string>& args, const fs::path& out, const fs::path& err, int ignored = 0) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        sigset_t none;
        ::sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP})
            ::signal(signal, signal == ignored ? SIG_IGN : SIG_DFL);
        ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        std::vector<char*> argv{const_cast<char*>(OVRA_PROGRAM)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(OVRA_PROGRAM, argv.data());
        ::_exit(127);
    }
    return pid;
}

bool HasTemporary(const fs::path& folder) {
    for (const std::string& name : Names(folder))
        if (name.rfind(".ovra-", 0) == 0)
            return true;
    return false;
}

// Every command that prints, with standard output on a full device: the
// failure is told and the exit code is 2, whatever the command found.
TEST(StandardOutput, AFullDeviceIsAnError) {
    const ScratchFolder dir;
    const std::string army = DataPath("army/breaches.evr").string();
    const std::string list = DataPath("lint/example.dfm").string();
    const std::vector<std::vector<std::string>> commands = {
        {"catalogue"},
        {"catalogue", "--sources"},
        {"check", army},
        {"check", "--json", army},
        {"lint", list},
        {"lint", "--json", list},
        {"export-text", army, "-"},
        {"export-text", "--markdown", army, "-"},
        {"--help"},
        {"--version"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(::testing::PrintToString(command));
        std::vector<std::string> args = command;
        args.insert(args.end(), {"--army-lists", dir.path().string()});
        int status = 0;
        ::waitpid(Start(args, "/dev/full", dir / "err"), &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), 2);
        EXPECT_EQ(ReadWholeFile(dir / "err"),
                  "ovra: cannot write to standard output: No space left on device\n");
    }
}

// A signal in the middle of an export ends the program as the signal does,
// and takes the temporary file away with it; a signal the program was started
// ignoring (nohup, a background job) stays ignored and the export completes.
TEST(Signals, TakeTheTemporaryFileAway) {
    const ScratchFolder dir;
    const fs::path army = dir.Put("in/army.evr", LargeArmy(300000));
    fs::create_directories(dir / "out");
    const fs::path target = dir / "out/army.html";
    for (const auto& [signal, ignored] :
         {std::pair{SIGINT, false}, {SIGTERM, false}, {SIGHUP, false}, {SIGHUP, true}}) {
        SCOPED_TRACE(std::string(strsignal(signal)) + (ignored ? ", ignored" : ""));
        const pid_t pid =
            Start({"export-html", army.string(), target.string(), "--army-lists", (dir / "in").string()},
                  "/dev/null", dir / "err", ignored ? signal : 0);
        // However slow the machine, the export reads the army first: wait
        // for its temporary file by the clock, not by a count of looks.
        bool seen = false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (!seen && std::chrono::steady_clock::now() < deadline) {
            seen = HasTemporary(dir / "out");
            if (!seen)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        ::kill(pid, signal);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(seen) << "the export never began writing";
        if (ignored) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
            EXPECT_EQ(Names(dir / "out"), std::set<std::string>{"army.html"});
        } else {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
            EXPECT_EQ(Names(dir / "out"), std::set<std::string>{});
        }
    }
}

} // namespace

namespace {

// An export that fills the disk half-way through its roster stops there: the
// previous file stays and the temporary file is gone.
TEST_F(SmallDisk, AnExportThatFailsInTheMiddleLeavesThePreviousFile) {
    if (!mounted)
        GTEST_SKIP() << "needs a tmpfs mounted by the test, which this system refused";
    const fs::path army = root.Put("big.evr", LargeArmy(20000)); // a roster of megabytes
    for (const char* format : {"export-html", "export-text"}) {
        SCOPED_TRACE(format);
        const fs::path out = root.Put("disk/old.out", kOldBytes);
        const ProgramResult result = RunProgram(
            OVRA_PROGRAM, {format, army.string(), out.string(), "--army-lists", (root / "lists").string()});
        ExpectRun(result, {{}, 2, "", kNoSpace});
        EXPECT_EQ(ReadWholeFile(out), kOldBytes);
        EXPECT_EQ(Names(folder), std::set<std::string>{"old.out"});
    }
}

// Memory running out in the middle of a command: a message, exit code 2 and
// nothing written. The command runs in a child whose address space is only a
// little larger than it is at the start.
TEST(OutOfMemory, StopsTheCommandAndWritesNothing) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit leaves";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit leaves";
#endif
#endif
    const ScratchFolder dir;
    const fs::path army = dir.Put("army.evr", LargeArmy(1000000)); // hundreds of megabytes once loaded
    const fs::path out = dir / "army.html", err = dir / "err";
    const auto catalogue = BuiltInCatalogue();
    const pid_t child = ::fork();
    if (child == 0) {
        std::ostringstream output, errors;
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t limit =
            static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (64 << 20);
        const struct rlimit space { limit, limit };
        int code = 3;
        if (::setrlimit(RLIMIT_AS, &space) == 0)
            code = RunHeadlessCommand(ParseCommandLine({"export-html", army.string(), out.string()}),
                                      *catalogue, output, errors);
        std::ofstream(err) << errors.str();
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2);
    EXPECT_EQ(ReadWholeFile(err), "ovra: out of memory; nothing written\n");
    EXPECT_EQ(Names(dir), (std::set<std::string>{"army.evr", "err"}));
}

} // namespace
