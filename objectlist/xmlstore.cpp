// Saving and loading whole record trees as XML files.
#include "objectlist/atomicfile.h"
#include "objectlist/exceptions.h"
#include "objectlist/treeadoption.h"
#include "objectlist/xmlfiler.h"

#include <cerrno>
#include <fstream>
#include <memory>
#include <new>
#include <system_error>

namespace duebell {

namespace {

std::string LoadFromStream(std::istream& stream, TTovObjectItem& rootItem) {
    // Read into a fresh tree; the caller's tree changes only once the whole document is in.
    const std::unique_ptr<TTovObjectItem> loaded(rootItem.ItemManager().Create(rootItem.Owner()));
    const TTovStandIns standIns = PairStandIns(rootItem, *loaded);
    TTovObjectList list(&loaded->ItemManager()); // the root is read in the filer's first step
    TTovObjectListFilerXML filer(&list, loaded.get(), stream);
    filer.SetStandIns(standIns);
    LoadFromFiler(list, filer, nullptr);

    AdoptLoadedTree(rootItem, *loaded);
    // The sub-records that stay are the ones whose element was closed.
    for (const TTovObjectItem* closed : filer.ClosedStandIns())
        standIns.at(closed)->AfterLoad();
    return filer.RootElementName();
}

} // namespace

void SaveObjectToXMLFile(const std::string& fileName, TTovObjectItem& rootItem) {
    AtomicFileWriter file(fileName);
    SaveObjectToXMLStream(file.stream(), rootItem);
    file.commit();
}

void SaveObjectToXMLStream(std::ostream& stream, TTovObjectItem& rootItem) {
    // The filer writes the whole document from the root record in its first step: the list of
    // the root's class it works on needs no record.
    TTovObjectList list(&rootItem.ItemManager());
    TTovObjectListFilerXML filer(&list, &rootItem, stream);
    SaveToFiler(list, filer);
}

std::string LoadObjectFromXMLFile(const std::string& fileName, TTovObjectItem& rootItem) {
    const std::string context = "Cannot read \"" + fileName + "\".  ";
    std::ifstream input(fileName, std::ios::binary);
    if (!input)
        throw Exception(context + std::generic_category().message(errno));
    try {
        return LoadObjectFromXMLStream(input, rootItem);
    } catch (const Exception& e) {
        throw Exception(context + e.message());
    }
}

std::string LoadObjectFromXMLStream(std::istream& stream, TTovObjectItem& rootItem) {
    try {
        return LoadFromStream(stream, rootItem);
    } catch (const std::bad_alloc&) {
        // A document that needs more memory than there is fails as an unreadable one does.
        throw Exception("Out of memory");
    }
}

} // namespace duebell
