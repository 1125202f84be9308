#include "controls/formstream.h"

#include <cctype>
#include <charconv>

namespace duebell {

void FormWriter::WriteInteger(std::int64_t value) {
    property_.values.push_back({FormValue::Integer, value, {}});
}

void FormWriter::WriteString(std::string_view value) {
    property_.values.push_back({FormValue::String, 0, std::string(value)});
}

void FormWriter::WriteIdent(std::string_view value) {
    property_.values.push_back({FormValue::Ident, 0, std::string(value)});
}

void FormWriter::WriteListBegin() {
    property_.values.push_back({FormValue::ListBegin, 0, {}});
}

void FormWriter::WriteListEnd() {
    property_.values.push_back({FormValue::ListEnd, 0, {}});
}

void FormWriter::WriteBinary(std::string_view bytes) {
    property_.values.push_back({FormValue::Binary, 0, std::string(bytes)});
}

const FormValue& FormReader::Next(FormValue::Kind kind) {
    if (AtEnd() || property_.values[pos_].kind != kind)
        throw EReadError("Invalid property value in \"" + property_.name + "\"");
    return property_.values[pos_++];
}

std::int64_t FormReader::ReadInteger() {
    return Next(FormValue::Integer).integer;
}

std::string FormReader::ReadString() {
    return Next(FormValue::String).text;
}

std::string FormReader::ReadIdent() {
    return Next(FormValue::Ident).text;
}

bool FormReader::ReadBoolean() {
    const std::string ident = ReadIdent();
    if (ident == "True")
        return true;
    if (ident == "False")
        return false;
    throw EReadError("Invalid property value in \"" + property_.name + "\"");
}

void FormReader::ReadListBegin() {
    Next(FormValue::ListBegin);
}

void FormReader::ReadListEnd() {
    Next(FormValue::ListEnd);
}

bool FormReader::EndOfList() const {
    return AtEnd() || property_.values[pos_].kind == FormValue::ListEnd;
}

std::string FormReader::ReadBinary() {
    return Next(FormValue::Binary).text;
}

void FormReader::SkipValue() {
    NextKind();
    ++pos_;
}

FormValue::Kind FormReader::NextKind() const {
    if (AtEnd())
        throw EReadError("Invalid property value in \"" + property_.name + "\"");
    return property_.values[pos_].kind;
}

const FormProperty* FindFormProperty(const StoredForm& form, std::string_view name) {
    for (const FormProperty& p : form)
        if (p.name == name)
            return &p;
    return nullptr;
}

namespace {

std::string StringToken(const std::string& s) {
    if (s.empty())
        return "''";
    std::string out;
    bool quoted = false;
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32) {
            if (quoted)
                out += '\'';
            quoted = false;
            out += '#' + std::to_string(u);
            continue;
        }
        if (!quoted)
            out += '\'';
        quoted = true;
        out += c;
        if (c == '\'')
            out += '\'';
    }
    if (quoted)
        out += '\'';
    return out;
}

std::string ValueToken(const FormValue& v) {
    static const char* hex = "0123456789ABCDEF";
    switch (v.kind) {
    case FormValue::Integer:
        return std::to_string(v.integer);
    case FormValue::String:
        return StringToken(v.text);
    case FormValue::Ident:
        return v.text;
    case FormValue::ListBegin:
        return "(";
    case FormValue::ListEnd:
        return ")";
    case FormValue::Binary: {
        std::string out = "{";
        for (char c : v.text) {
            out += hex[static_cast<unsigned char>(c) >> 4];
            out += hex[static_cast<unsigned char>(c) & 15];
        }
        return out + "}";
    }
    }
    return {};
}

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    StoredForm Parse() {
        StoredForm form;
        for (SkipBlanks(); pos_ < s_.size(); SkipBlanks()) {
            FormProperty property;
            property.name = Name();
            SkipBlanks();
            Expect('=');
            int depth = 0;
            do {
                SkipBlanks();
                FormValue v = Value();
                if (v.kind == FormValue::ListBegin)
                    ++depth;
                else if (v.kind == FormValue::ListEnd && --depth < 0)
                    Fail();
                property.values.push_back(std::move(v));
            } while (depth > 0);
            form.push_back(std::move(property));
        }
        return form;
    }

private:
    [[noreturn]] void Fail() const {
        throw EReadError("Invalid stored form at position " + std::to_string(pos_ + 1));
    }
    void SkipBlanks() {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_])))
            ++pos_;
    }
    void Expect(char c) {
        if (pos_ >= s_.size() || s_[pos_] != c)
            Fail();
        ++pos_;
    }
    static bool IsNameChar(char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
    }
    std::string Name() {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && IsNameChar(s_[pos_]))
            ++pos_;
        if (pos_ == start)
            Fail();
        return std::string(s_.substr(start, pos_ - start));
    }
    FormValue Value() {
        if (pos_ >= s_.size())
            Fail();
        const char c = s_[pos_];
        if (c == '(' || c == ')') {
            ++pos_;
            return {c == '(' ? FormValue::ListBegin : FormValue::ListEnd, 0, {}};
        }
        if (c == '{')
            return BinaryValue();
        if (c == '\'' || c == '#')
            return {FormValue::String, 0, StringValue()};
        if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            std::int64_t value = 0;
            auto [end, ec] = std::from_chars(s_.data() + pos_, s_.data() + s_.size(), value);
            if (ec != std::errc())
                Fail();
            pos_ = static_cast<std::size_t>(end - s_.data());
            return {FormValue::Integer, value, {}};
        }
        return {FormValue::Ident, 0, Name()};
    }
    std::string StringValue() {
        std::string out;
        while (pos_ < s_.size() && (s_[pos_] == '\'' || s_[pos_] == '#')) {
            if (s_[pos_] == '#') {
                ++pos_;
                int code = 0;
                auto [end, ec] = std::from_chars(s_.data() + pos_, s_.data() + s_.size(), code);
                if (ec != std::errc() || code < 0 || code > 255)
                    Fail();
                pos_ = static_cast<std::size_t>(end - s_.data());
                out += static_cast<char>(code);
                continue;
            }
            ++pos_;
            for (;;) {
                if (pos_ >= s_.size())
                    Fail();
                if (s_[pos_] == '\'') {
                    if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
                        out += '\'';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                out += s_[pos_++];
            }
        }
        return out;
    }
    FormValue BinaryValue() {
        ++pos_;
        std::string bytes;
        int nibbles = 0;
        int current = 0;
        for (;; ++pos_) {
            if (pos_ >= s_.size())
                Fail();
            const char c = s_[pos_];
            if (c == '}')
                break;
            if (std::isspace(static_cast<unsigned char>(c)))
                continue;
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                Fail();
            current = current * 16 + (std::isdigit(static_cast<unsigned char>(c))
                                          ? c - '0'
                                          : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10);
            if (++nibbles % 2 == 0) {
                bytes += static_cast<char>(current);
                current = 0;
            }
        }
        if (nibbles % 2 != 0)
            Fail();
        ++pos_;
        return {FormValue::Binary, 0, bytes};
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

} // namespace

std::string FormToText(const StoredForm& form) {
    std::string out;
    for (const FormProperty& p : form) {
        out += p.name + " = ";
        std::size_t depth = 0;
        for (std::size_t i = 0; i < p.values.size(); ++i) {
            const FormValue& v = p.values[i];
            if (v.kind == FormValue::ListEnd) {
                out += ")";
                if (depth > 0)
                    --depth;
                continue;
            }
            if (i > 0)
                out += "\n" + std::string(2 * depth, ' ');
            out += ValueToken(v);
            if (v.kind == FormValue::ListBegin)
                ++depth;
        }
        out += "\n";
    }
    return out;
}

StoredForm FormFromText(std::string_view text) {
    return Parser(text).Parse();
}

} // namespace duebell
