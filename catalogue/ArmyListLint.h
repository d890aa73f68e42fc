// Checks army-list texts for what their authors most likely did not mean. The
// linter loads the texts into a catalogue of its own exactly as the program
// does, follows the reading as an observer, and reports what it saw with the
// line and column where it starts. It never changes what is read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ovra {

class ArmyCatalogue;

struct LintFinding {
    enum class Severity { Warning, Error };

    Severity severity = Severity::Warning;
    std::uint32_t offset = 0; // byte offset in the text
    std::uint32_t line = 1;   // from 1
    std::uint32_t column = 1; // from 1, counted in bytes
    std::string message;
    // A fault that makes the reader misread what follows it (typographic
    // quotes, a UTF-8 file): listed before the findings it may cause.
    bool rootCause = false;
};

// The findings for one text, in the order of their positions.
struct LintedText {
    std::string name; // how the findings name the text: "built-in" or the file as given
    bool read = true; // false when the file could not be read
    bool builtIn = false;
    std::vector<LintFinding> findings;

    std::size_t Count(LintFinding::Severity severity) const;
};

class ArmyListLinter {
public:
    ArmyListLinter();
    ArmyListLinter(const ArmyListLinter&) = delete;
    ArmyListLinter& operator=(const ArmyListLinter&) = delete;
    ~ArmyListLinter();

    // Each Add loads one more text after those before it, as the program
    // would. Findings that compare with earlier texts (a nation replaced, a
    // code given again) name them.
    void AddBuiltIn(std::string name = "built-in");
    // False, and the text marked as not read, when the file cannot be read.
    // An empty file, which the program skips, gets a warning.
    bool AddFile(const std::filesystem::path& file, std::string name);
    // Bytes held in memory (tests, fuzzing); they need not outlive the call.
    void AddText(std::string name, std::string_view bytes);

    // Runs the checks that need every text loaded (rule codes, category bits)
    // and returns each text's findings, in the order the texts were added.
    std::vector<LintedText> Finish();

    // The catalogue the texts were loaded into.
    const ArmyCatalogue& catalogue() const;

private:
    class Observer;
    std::unique_ptr<ArmyCatalogue> catalogue_;
    std::unique_ptr<Observer> observer_;
};

// One finding as `ovra lint` prints it: "NAME:LINE:COLUMN: warning|error: MESSAGE".
std::string FormatFinding(const std::string& name, const LintFinding& finding);
// "2 errors, 1 warning in 3 files".
std::string LintSummary(const std::vector<LintedText>& texts);

} // namespace ovra
