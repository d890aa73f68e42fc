#include "Json.h"

#include "Windows1252.h"

namespace ovra {

void JsonWriter::AppendQuoted(std::string& out, std::string_view bytes) {
    static const char* const kHex = "0123456789abcdef";
    out.push_back('"');
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out.push_back(kHex[c >> 4]);
                out.push_back(kHex[c & 15]);
            } else {
                AppendUtf8(out, Windows1252ToCodePoint(c));
            }
        }
    }
    out.push_back('"');
}

void JsonWriter::NewLine() {
    out_.push_back('\n');
    out_.append(static_cast<std::size_t>(depth_) * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (depth_ > 0) {
        if (!first_)
            out_.push_back(',');
        NewLine();
    }
    first_ = false;
}

void JsonWriter::BeginObject() {
    BeforeValue();
    out_.push_back('{');
    ++depth_;
    first_ = true;
}

void JsonWriter::EndObject() {
    --depth_;
    if (!first_)
        NewLine();
    out_.push_back('}');
    first_ = false;
}

void JsonWriter::BeginArray() {
    BeforeValue();
    out_.push_back('[');
    ++depth_;
    first_ = true;
}

void JsonWriter::EndArray() {
    --depth_;
    if (!first_)
        NewLine();
    out_.push_back(']');
    first_ = false;
}

void JsonWriter::Key(std::string_view key) {
    BeforeValue();
    AppendQuoted(out_, key);
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::String(std::string_view bytes) {
    BeforeValue();
    AppendQuoted(out_, bytes);
}

void JsonWriter::Int(std::int32_t value) {
    BeforeValue();
    out_ += std::to_string(value);
}

void JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
}

} // namespace ovra
