// Runs a program with arguments and captures its output, and checks a run
// against what a table of command-line cases expects of it.
#pragma once

#include "ScratchFolder.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace ovra::test {

struct ProgramResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs `program` with `args` and the `environment` entries ("NAME=VALUE")
// added, in the folder `cwd` when one is given.
inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::vector<std::string>& environment = {},
                                const std::filesystem::path& cwd = {}) {
    const ScratchFolder dir;
    const std::filesystem::path outPath = dir / "out";
    const std::filesystem::path errPath = dir / "err";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        ::dup2(::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        for (const std::string& e : environment)
            ::putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (cwd.empty() || ::chdir(cwd.c_str()) == 0)
            ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ProgramResult result;
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadWholeFile(outPath);
    result.err = ReadWholeFile(errPath);
    return result;
}

// `text` with "@DATA" standing for the test data folder and "@TMP" for `scratch`.
inline std::string Expand(std::string text, const std::filesystem::path& scratch) {
    for (const auto& [name, path] : {std::pair<std::string, std::string>{"@DATA", OVRA_TEST_DATA},
                                     std::pair<std::string, std::string>{"@TMP", scratch.string()}})
        for (std::size_t at = 0; (at = text.find(name, at)) != std::string::npos; at += path.size())
            text.replace(at, name.size(), path);
    return text;
}

// Golden files: outputs the tests expect, kept in tests/data. Run with
// OVRA_UPDATE_GOLDENS set (scripts/update-goldens), a test that finds other
// bytes than a golden's writes them over it instead of failing, so that the
// change shows in `git diff` for a reviewer to judge.
inline bool UpdatingGoldens() {
    const char* update = std::getenv("OVRA_UPDATE_GOLDENS");
    return update != nullptr && *update != '\0';
}

// Goldens read so far, by what they hold (with "@DATA" expanded).
inline std::map<std::string, std::filesystem::path>& GoldensRead() {
    static std::map<std::string, std::filesystem::path> read;
    return read;
}

// The golden file at `relative` in tests/data, "@DATA" in it standing for
// the data folder.
inline std::string Golden(const std::string& relative) {
    const std::filesystem::path path = std::filesystem::path(OVRA_TEST_DATA) / relative;
    std::string expected = Expand(ReadWholeFile(path), {});
    GoldensRead()[expected] = path;
    return expected;
}

// `actual` must be `expected`; when that is a golden and goldens are being
// updated, the golden takes `actual` instead.
inline void ExpectOutput(const std::string& actual, const std::string& expected) {
    if (actual == expected)
        return;
    const auto golden = GoldensRead().find(expected);
    if (UpdatingGoldens() && golden != GoldensRead().end()) {
        std::string written = actual;
        const std::string data = OVRA_TEST_DATA;
        if (ReadWholeFile(golden->second).find("@DATA") != std::string::npos)
            for (std::size_t at = 0; (at = written.find(data, at)) != std::string::npos; at += 5)
                written.replace(at, data.size(), "@DATA");
        std::ofstream(golden->second, std::ios::binary | std::ios::trunc) << written;
        std::cout << "updated " << golden->second.string() << "\n";
        return;
    }
    EXPECT_EQ(actual, expected);
}

// A command line and what its run gives: for `out` and `err`, kAny for
// anything, "" for nothing, a golden for exactly that, and otherwise a part
// of it; `absent` is in neither.
inline const std::string kAny = "*";
struct Invocation {
    std::vector<std::string> args;
    int exitCode;
    std::string out = kAny;
    std::string err = kAny;
    std::string absent = {};
};

inline void ExpectRun(const ProgramResult& result, const Invocation& expected) {
    EXPECT_EQ(result.exitCode, expected.exitCode) << result.err;
    for (const auto& [printed, part] :
         {std::pair{&result.out, &expected.out}, {&result.err, &expected.err}}) {
        if (part->empty()) {
            EXPECT_EQ(*printed, "");
        } else if (GoldensRead().count(*part) != 0) {
            ExpectOutput(*printed, *part);
        } else if (*part != kAny) {
            EXPECT_NE(printed->find(*part), std::string::npos) << *printed;
        }
    }
    if (!expected.absent.empty()) {
        EXPECT_EQ((result.out + result.err).find(expected.absent), std::string::npos);
    }
}

} // namespace ovra::test
