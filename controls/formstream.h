// The stored form of a control: named properties, each a run of typed values, as the class
// library's form files keep them. A control writes its stored form and reads it back; the
// text form looks like a Delphi form file:
//     Cells = (
//       0
//       0
//       'Code')
#pragma once

#include "objectlist/exceptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace duebell {

// A stored form that does not read as the control expects.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

struct FormValue {
    enum Kind { Integer, String, Ident, ListBegin, ListEnd, Binary };
    Kind kind = Integer;
    std::int64_t integer = 0;
    std::string text; // String and Ident values; the bytes of a Binary value
    bool operator==(const FormValue&) const = default;
};

struct FormProperty {
    std::string name;
    std::vector<FormValue> values;
    bool operator==(const FormProperty&) const = default;
};

using StoredForm = std::vector<FormProperty>;

// Appends values to one property.
class FormWriter {
public:
    explicit FormWriter(FormProperty& property) : property_(property) {}
    void WriteInteger(std::int64_t value);
    void WriteString(std::string_view value);
    void WriteIdent(std::string_view value);
    void WriteBoolean(bool value) { WriteIdent(value ? "True" : "False"); }
    void WriteListBegin();
    void WriteListEnd();
    void WriteBinary(std::string_view bytes);

private:
    FormProperty& property_;
};

// Reads one property's values in order; a value of the wrong kind raises EReadError.
class FormReader {
public:
    explicit FormReader(const FormProperty& property) : property_(property) {}
    std::int64_t ReadInteger();
    std::string ReadString();
    std::string ReadIdent();
    bool ReadBoolean();
    void ReadListBegin();
    void ReadListEnd();
    // True when the next value ends a list (or nothing is left).
    bool EndOfList() const;
    std::string ReadBinary();
    // Passes over one value of any kind.
    void SkipValue();
    FormValue::Kind NextKind() const;
    bool AtEnd() const { return pos_ >= property_.values.size(); }

private:
    const FormValue& Next(FormValue::Kind kind);
    const FormProperty& property_;
    std::size_t pos_ = 0;
};

// The property of that name, or nullptr.
const FormProperty* FindFormProperty(const StoredForm& form, std::string_view name);

std::string FormToText(const StoredForm& form);
// Raises EReadError for text that is not a stored form.
StoredForm FormFromText(std::string_view text);

} // namespace duebell
