// How the lines of a pasted roster read (RosterImport.h): forum lines as
// words, numbers, counts and separators with their markup taken off, and the
// headings, rows and total of the program's own plain and Markdown layouts.
// Every text here is Windows-1252 (Utf8ToWindows1252).
#pragma once

#include "Records.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovra::pasted {

// Names of troop types and options are this many words at most; a line of
// a roster has far fewer than kMostTokens, and only so many are read.
inline constexpr std::size_t kMostNameWords = 12;
inline constexpr std::size_t kMostTokens = 128;

bool IsBlank(char c); // blank, tab, CR, no-break space
std::string_view Trim(std::string_view s);
bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);
bool AllDigits(std::string_view s);
// A number of up to 18 digits, an optional "-" before it.
bool ParseNumber(std::string_view s, std::int64_t& value);
// Markdown's backslash escapes taken out.
std::string Unescaped(std::string_view s);
// Whether a name key (NameKey) holds `part` as whole words.
bool HoldsWords(std::string_view key, std::string_view part);
// "pts", "points", "p": words that say points after a number.
bool IsPointsWord(std::string_view word);

// ---------------------------------------------------------------- forum lines

struct Token {
    enum class Kind {
        Word,
        Number,   // digits
        Count,    // "3x", "x3", "3×"
        Separator // one of ( ) , ; + & | / [ ] { } = @ : • · or a dash standing alone ("-")
    } kind = Kind::Word;
    std::string text;
    std::int64_t value = 0; // Number, Count
    char separator = 0;
};

// A forum line without its markup: BBCode tags, Markdown's emphasis, code
// marks and escapes, quote marks and heading marks. Only the first
// kMostUnmarked bytes of a line are read: far more than a roster line holds.
inline constexpr std::size_t kMostUnmarked = 1024;
std::string Unmarked(std::string_view line);
// The line's tokens, the first kMostTokens of them; "1." numbering a list
// is a number and a separator, "220pts" a number and a word.
std::vector<Token> Tokens(std::string_view text);
// The tokens' texts from `from` to `to`, a blank between each two.
std::string Joined(const std::vector<Token>& tokens, std::size_t from, std::size_t to);
// Where a line's troop type would start: after bullets, a list number and a
// leading count ("3x", "3 x", "3"), which is put in `count`.
std::size_t NameStart(const std::vector<Token>& tokens, std::int64_t& count);
// "with", "on", "and"...: words between a troop type and its options.
bool IsConnector(const Token& token);
// "2000 points", "2000pts": a number of points at this token.
bool PointsAt(const std::vector<Token>& tokens, std::size_t at, std::int64_t& value);

// The longest run of words and numbers from `from`, at most kMostNameWords,
// whose key (NameKey) `known` accepts; its length, 0 for none. `known` is
// asked from the longest run down.
template <class Known>
std::size_t LongestName(const std::vector<Token>& tokens, std::size_t from, const Known& known);

// What follows a line's troop type: a count, points, and phrases that may
// name options, with the words that connect them.
struct Rest {
    std::optional<std::int64_t> count;
    std::optional<std::int64_t> points;
    std::vector<std::vector<Token>> phrases;
};
Rest ReadRest(const std::vector<Token>& tokens, std::size_t from);

// What a line names where a troop type would stand, for suggestions.
std::string WrittenName(std::string_view text);

// ---------------------------------------------------------------- the program's own layout

// "Character", "Unit" or nothing above a group of the roster, in plain text
// ("Unit      Pts") or as the head of a Markdown table.
struct Group {
    enum class Kind { Character, Unit, Other } kind = Kind::Other;
    bool markdown = false;
    bool notesColumn = false; // Markdown: "| Unit | Options | Notes | Pts |"

    // Whether a troop type's units stand in a group of this kind.
    bool Holds(const TroopTypeRecord& type) const;
};

std::optional<Group> ReadGroupHead(std::string_view line);
// "| :-- | --: |"
bool IsTableRule(std::string_view line);
// The cells of a Markdown table row, unescaped and trimmed.
std::vector<std::string> TableCells(std::string_view row);
// "Total: 655 of 600 points, breakpoint 3", bold in Markdown: the limit. A
// line that starts with a blank is a row, not the total.
std::optional<std::int64_t> ReadTotalLine(std::string_view line);

// ---------------------------------------------------------------- inline

bool IsNameToken(const Token& token);
std::string NameKeyOf(const Token& token);

template <class Known>
std::size_t LongestName(const std::vector<Token>& tokens, std::size_t from, const Known& known) {
    std::size_t run = 0;
    while (from + run < tokens.size() && run < kMostNameWords && IsNameToken(tokens[from + run]))
        ++run;
    std::vector<std::string> keys; // the key of each prefix of the run
    std::string key;
    for (std::size_t i = 0; i < run; ++i) {
        const std::string word = NameKeyOf(tokens[from + i]);
        if (!word.empty() && !key.empty())
            key += ' ';
        key += word;
        keys.push_back(key);
    }
    for (std::size_t length = run; length > 0; --length)
        if (!keys[length - 1].empty() && known(keys[length - 1]))
            return length;
    return 0;
}

} // namespace ovra::pasted
