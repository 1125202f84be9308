// The common root of everything a record property or a variant can reference: records,
// lists and the odd helper object. It exists so an object reference keeps its real type
// and can be checked with dynamic_cast before it is stored anywhere.
#pragma once

namespace duebell {

class TTovObject {
public:
    TTovObject() = default;
    TTovObject(const TTovObject&) = delete;
    TTovObject& operator=(const TTovObject&) = delete;
    virtual ~TTovObject() = default;
};

} // namespace duebell
