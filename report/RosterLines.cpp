#include "RosterLines.h"

#include "ImportText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <unordered_set>

namespace ovra::pasted {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsWordByte(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || static_cast<unsigned char>(c) >= 0x80;
}

// Whether a word of the key may start or end between `at` - 1 and `at`.
bool WordBoundaryAt(std::string_view key, std::size_t at) {
    return at == 0 || at >= key.size() || !IsWordByte(key[at]) || !IsWordByte(key[at - 1]);
}

bool IsTimes(std::string_view s) {
    return s == "x" || s == "X" || s == "\xD7";
}

// A count written to one word: "3x", "x3", "3×", "×3".
bool ParseCountWord(std::string_view word, std::int64_t& value) {
    if (word.size() < 2)
        return false;
    if (IsTimes(word.substr(word.size() - 1)))
        return ParseNumber(word.substr(0, word.size() - 1), value) && value >= 0;
    if (IsTimes(word.substr(0, 1)))
        return ParseNumber(word.substr(1), value) && value >= 0;
    return false;
}

bool IsBbTag(std::string_view tag) {
    if (!tag.empty() && tag.front() == '/')
        tag.remove_prefix(1);
    const std::size_t equals = tag.find('=');
    const std::string_view name = tag.substr(0, equals);
    return !name.empty() && name.size() <= 10 && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '*';
    });
}

std::optional<Group::Kind> GroupKind(std::string_view name) {
    if (name == "Character")
        return Group::Kind::Character;
    if (name == "Unit")
        return Group::Kind::Unit;
    if (name.empty())
        return Group::Kind::Other;
    return std::nullopt;
}

} // namespace

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\xA0';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), IsDigit);
}

// A number of up to 18 digits, an optional "-" before it.
bool ParseNumber(std::string_view s, std::int64_t& value) {
    const bool negative = !s.empty() && s.front() == '-';
    if (negative)
        s.remove_prefix(1);
    if (!AllDigits(s) || s.size() > 18)
        return false;
    value = 0;
    for (const char c : s)
        value = value * 10 + (c - '0');
    if (negative)
        value = -value;
    return true;
}

// Markdown's backslash escapes taken out.
std::string Unescaped(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && std::ispunct(static_cast<unsigned char>(s[i + 1])) != 0)
            ++i;
        out += s[i];
    }
    return out;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// The cells of a Markdown table row, unescaped and trimmed.
std::vector<std::string> TableCells(std::string_view row) {
    row = Trim(row);
    if (!row.empty() && row.front() == '|')
        row.remove_prefix(1);
    if (!row.empty() && row.back() == '|' && (row.size() < 2 || row[row.size() - 2] != '\\'))
        row.remove_suffix(1);
    std::vector<std::string> cells;
    std::string cell;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (row[i] == '\\' && i + 1 < row.size()) {
            cell += row.substr(i, 2);
            ++i;
        } else if (row[i] == '|') {
            cells.push_back(Unescaped(Trim(cell)));
            cell.clear();
        } else {
            cell += row[i];
        }
    }
    cells.push_back(Unescaped(Trim(cell)));
    return cells;
}

// Whether `key` holds `part` as whole words.
bool HoldsWords(std::string_view key, std::string_view part) {
    if (part.empty())
        return false;
    for (std::size_t at = key.find(part); at != std::string_view::npos; at = key.find(part, at + 1))
        if (WordBoundaryAt(key, at) && WordBoundaryAt(key, at + part.size()))
            return true;
    return false;
}

// "75", "75pts", "75 pts": words that say points after a number.
bool IsPointsWord(std::string_view word) {
    std::string key = NameKey(word);
    if (!key.empty() && key.back() == '.')
        key.pop_back();
    return key == "pts" || key == "pt" || key == "points" || key == "point" || key == "p" || key == "pkt";
}

// A forum line without its markup: BBCode tags, Markdown's emphasis, code
// marks and escapes, quote marks and headings.
std::string Unmarked(std::string_view line) {
    line = line.substr(0, kMostUnmarked);
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '[') {
            const std::size_t close = line.find(']', i);
            if (close != std::string_view::npos && IsBbTag(line.substr(i + 1, close - i - 1))) {
                out += ' ';
                i = close;
                continue;
            }
        }
        if (c == '\\' && i + 1 < line.size() && std::ispunct(static_cast<unsigned char>(line[i + 1])) != 0) {
            out += line[++i];
            continue;
        }
        if (c == '*' || c == '_' || c == '`' || c == '~')
            out += ' ';
        else
            out += c;
    }
    std::string_view rest = Trim(out);
    while (!rest.empty() && (rest.front() == '>' || rest.front() == '#' || IsBlank(rest.front())))
        rest.remove_prefix(1);
    return std::string(rest);
}

std::vector<Token> Tokens(std::string_view text) {
    std::vector<Token> tokens;
    std::string word;
    const auto endWord = [&] {
        if (word.empty())
            return;
        Token token;
        token.text = word;
        if (word == "-" || word == "\x96" || word == "\x97") {
            token.kind = Token::Kind::Separator;
            token.separator = '-';
        } else if (ParseNumber(word, token.value) && word.front() != '-') {
            token.kind = Token::Kind::Number;
        } else if (ParseCountWord(word, token.value)) {
            token.kind = Token::Kind::Count;
        } else if (const std::size_t digits = word.find_first_not_of("0123456789");
                   digits > 0 && digits != std::string::npos && IsPointsWord(word.substr(digits)) &&
                   ParseNumber(word.substr(0, digits), token.value)) {
            // "220pts"
            tokens.push_back({Token::Kind::Number, word.substr(0, digits), token.value, 0});
            token.text = word.substr(digits);
        } else if (word.size() > 1 && (word.back() == '.' || word.back() == ')') &&
                   ParseNumber(word.substr(0, word.size() - 1), token.value) && word.front() != '-') {
            // "1." or "1)" numbering a list
            tokens.push_back({Token::Kind::Number, word.substr(0, word.size() - 1), token.value, 0});
            token = {Token::Kind::Separator, word.substr(word.size() - 1), 0, word.back()};
        }
        tokens.push_back(std::move(token));
        word.clear();
    };
    static const std::array<bool, 256> separators = [] {
        std::array<bool, 256> is{};
        for (const char c : std::string_view("(),;+&|/[]{}=@:\x95\xB7"))
            is[static_cast<unsigned char>(c)] = true;
        return is;
    }();
    for (const char c : text) {
        if (tokens.size() >= kMostTokens)
            return tokens;
        if (IsBlank(c)) {
            endWord();
        } else if (separators[static_cast<unsigned char>(c)]) {
            endWord();
            tokens.push_back({Token::Kind::Separator, std::string(1, c), 0, c});
        } else {
            word += c;
        }
    }
    endWord();
    return tokens;
}

std::string Joined(const std::vector<Token>& tokens, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from)
            text += ' ';
        text += tokens[i].text;
    }
    return text;
}

bool IsNameToken(const Token& token) {
    return token.kind == Token::Kind::Word || token.kind == Token::Kind::Number;
}

// Where a loose line's troop type would start: after bullets, list numbers
// and a leading count, which is read.
std::size_t NameStart(const std::vector<Token>& tokens, std::int64_t& count) {
    std::size_t at = 0;
    const auto separator = [&](std::size_t i, std::string_view which) {
        return i < tokens.size() && tokens[i].kind == Token::Kind::Separator &&
               which.find(tokens[i].separator) != std::string_view::npos;
    };
    while (separator(at, "-+|\x95\xB7"))
        ++at;
    if (at + 1 < tokens.size() && tokens[at].kind == Token::Kind::Number && separator(at + 1, ".)"))
        at += 2;
    while (separator(at, "-+|\x95\xB7"))
        ++at;
    if (at < tokens.size() && tokens[at].kind == Token::Kind::Count) {
        count = tokens[at].value;
        return at + 1;
    }
    if (at + 1 < tokens.size() && tokens[at].kind == Token::Kind::Number) {
        const Token& next = tokens[at + 1];
        if (next.kind == Token::Kind::Word && IsTimes(next.text)) {
            count = tokens[at].value;
            return at + 2;
        }
        if (next.kind == Token::Kind::Word && !IsPointsWord(next.text)) {
            count = tokens[at].value;
            return at + 1;
        }
    }
    return at;
}

bool IsConnector(const Token& token) {
    static const std::unordered_set<std::string> connectors = {
        "with", "on", "and", "in", "riding", "rides", "mount", "mounted", "plus", "w", "a", "an", "the"};
    return token.kind == Token::Kind::Word && connectors.count(NameKey(token.text)) != 0;
}

Rest ReadRest(const std::vector<Token>& tokens, std::size_t from) {
    Rest rest;
    std::vector<Token> phrase;
    const auto flush = [&] {
        if (!phrase.empty())
            rest.phrases.push_back(std::move(phrase));
        phrase.clear();
    };
    // A number, a count or points, alone or in brackets.
    const auto number = [&](std::size_t at, std::size_t end) -> std::size_t {
        const Token& token = tokens[at];
        if (token.kind == Token::Kind::Count) {
            rest.count = token.value;
            return at + 1;
        }
        if (token.kind == Token::Kind::Word && IsTimes(token.text) && at + 1 < end &&
            tokens[at + 1].kind == Token::Kind::Number) {
            rest.count = tokens[at + 1].value;
            return at + 2;
        }
        if (token.kind == Token::Kind::Number) {
            rest.points = token.value;
            return at + 1 < end && tokens[at + 1].kind == Token::Kind::Word &&
                           IsPointsWord(tokens[at + 1].text)
                       ? at + 2
                       : at + 1;
        }
        if (token.kind == Token::Kind::Word && IsPointsWord(token.text))
            return at + 1;
        return at;
    };
    for (std::size_t at = from; at < tokens.size();) {
        const Token& token = tokens[at];
        if (token.kind == Token::Kind::Separator &&
            (token.separator == '(' || token.separator == '[' || token.separator == '{')) {
            const char close = token.separator == '(' ? ')' : token.separator == '[' ? ']' : '}';
            std::size_t end = at + 1;
            while (end < tokens.size() &&
                   !(tokens[end].kind == Token::Kind::Separator && tokens[end].separator == close))
                ++end;
            flush();
            const bool notes =
                token.separator == '[' &&
                std::all_of(tokens.begin() + static_cast<std::ptrdiff_t>(at + 1),
                            tokens.begin() + static_cast<std::ptrdiff_t>(end), [](const Token& t) {
                                return t.kind == Token::Kind::Number ||
                                       (t.kind == Token::Kind::Separator && t.separator == ',');
                            });
            for (std::size_t inner = at + 1; !notes && inner < end;) {
                const std::size_t after = number(inner, end);
                if (after != inner) {
                    inner = after;
                } else if (tokens[inner].kind == Token::Kind::Separator) {
                    flush();
                    ++inner;
                } else {
                    phrase.push_back(tokens[inner++]);
                }
            }
            flush();
            at = end + 1;
            continue;
        }
        if (const std::size_t after = number(at, tokens.size()); after != at) {
            at = after;
        } else if (token.kind == Token::Kind::Separator) {
            flush();
            ++at;
        } else {
            phrase.push_back(token);
            ++at;
        }
    }
    flush();
    return rest;
}

// What a loose line names where a troop type would stand, for suggestions.
std::string WrittenName(std::string_view text) {
    const std::vector<Token> tokens = Tokens(Unmarked(text));
    std::int64_t count = 0;
    const std::size_t start = NameStart(tokens, count);
    std::size_t end = start;
    while (end < tokens.size() && end - start < kMostNameWords && tokens[end].kind == Token::Kind::Word)
        ++end;
    return Joined(tokens, start, end);
}

bool Group::Holds(const TroopTypeRecord& type) const {
    switch (kind) {
    case Kind::Character:
        return type.troopKind == kTroopCharacter;
    case Kind::Unit:
        return type.troopKind == kTroopUnit || type.troopKind == kTroopSkirmisherUnit;
    case Kind::Other:
        break;
    }
    return type.troopKind != kTroopCharacter && type.troopKind != kTroopUnit &&
           type.troopKind != kTroopSkirmisherUnit;
}

std::optional<Group> ReadGroupHead(std::string_view line) {
    if (!line.empty() && line.front() == '|') {
        const std::vector<std::string> cells = TableCells(line);
        if (cells.size() < 3 || cells[1] != "Options" || cells.back() != "Pts")
            return std::nullopt;
        const auto kind = GroupKind(cells.front());
        if (!kind)
            return std::nullopt;
        return Group{*kind, true, cells.size() == 4 && cells[2] == "Notes"};
    }
    std::string_view trimmed = Trim(line);
    if (!EndsWith(trimmed, "Pts") || (!line.empty() && IsBlank(line.front()) && trimmed != "Pts"))
        return std::nullopt;
    trimmed.remove_suffix(3);
    const auto kind = GroupKind(Trim(trimmed));
    if (!kind)
        return std::nullopt;
    return Group{*kind, false, false};
}

bool IsTableRule(std::string_view line) {
    if (line.empty() || line.front() != '|')
        return false;
    for (const std::string& cell : TableCells(line))
        if (cell.find_first_not_of(":-") != std::string::npos || cell.find('-') == std::string::npos)
            return false;
    return true;
}

// "Total: 655 of 600 points, breakpoint 3", bold in Markdown: the limit.
std::optional<std::int64_t> ReadTotalLine(std::string_view line) {
    if (line.empty() || IsBlank(line.front()))
        return std::nullopt; // a unit's name in a row, perhaps
    std::string_view s = Trim(line);
    while (!s.empty() && s.front() == '*')
        s.remove_prefix(1);
    if (!StartsWith(s, "Total: "))
        return std::nullopt;
    const std::size_t of = s.find(" of ");
    const std::size_t points = s.find(" points", of);
    std::int64_t limit = 0;
    if (of == std::string_view::npos || points == std::string_view::npos ||
        !ParseNumber(s.substr(of + 4, points - of - 4), limit))
        return std::nullopt;
    // The line ends there or with the breakpoint; a unit's row goes on with its points.
    std::string_view rest = s.substr(points + 7);
    std::int64_t breakpoint = 0;
    while (!rest.empty() && rest.back() == '*')
        rest.remove_suffix(1);
    if (!rest.empty() && !(StartsWith(rest, ", breakpoint ") && ParseNumber(rest.substr(13), breakpoint)))
        return std::nullopt;
    return limit;
}

// "2000 points", "2000pts": a number of points at this token.
bool PointsAt(const std::vector<Token>& tokens, std::size_t at, std::int64_t& value) {
    value = tokens[at].value;
    return tokens[at].kind == Token::Kind::Number && at + 1 < tokens.size() &&
           IsPointsWord(tokens[at + 1].text);
}

std::string NameKeyOf(const Token& token) {
    return NameKey(token.text);
}

} // namespace ovra::pasted
