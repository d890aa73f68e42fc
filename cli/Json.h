// A small JSON writer for the headless commands: texts are byte strings,
// written one character per byte as the window shows them (Windows-1252), so
// no byte is lost.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ovra {

class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view key);
    void String(std::string_view bytes);
    void Int(std::int32_t value);
    void Bool(bool value);
    void Null();

    // Appends bytes as a quoted JSON string, each byte its Windows-1252 character.
    static void AppendQuoted(std::string& out, std::string_view bytes);

private:
    void BeforeValue();
    void NewLine();

    std::string& out_;
    int depth_ = 0;
    bool first_ = true; // no element written yet at this level
    bool afterKey_ = false;
};

} // namespace ovra
