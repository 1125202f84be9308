#include "objectlist/exceptions.h"
#include "objectlist/xmlfiler.h"
#include "xmltestrecords.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using namespace duebell;
using namespace duebell::xmltest;

std::string Save(TTovObjectItem& root) {
    std::ostringstream out;
    SaveObjectToXMLStream(out, root);
    return out.str();
}

// Loads a document; false when the store refused it with its own error.
bool Load(const std::string& document, TTovObjectItem& root) {
    std::istringstream in(document);
    try {
        LoadObjectFromXMLStream(in, root);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string document(reinterpret_cast<const char*>(data), size);
    auto book = MakeBook(2, 2);
    const std::string before = Save(*book);
    if (!Load(document, *book)) {
        Check(Save(*book) == before); // a refused document changes nothing
        return 0;
    }
    // Whatever was read saves to a document that reads back, and from then on saving and
    // loading change nothing.
    const std::string first = Save(*book);
    auto again = std::unique_ptr<TXmlTestBook>(CreateItem<TXmlTestBook>(nullptr));
    Check(Load(first, *again));
    const std::string second = Save(*again);
    auto third = std::unique_ptr<TXmlTestBook>(CreateItem<TXmlTestBook>(nullptr));
    Check(Load(second, *third));
    Check(Save(*third) == second);
    return 0;
}
