// The XML store: a record tree written as an indented UTF-8 XML document and read back through
// the SAX reader. The loan book, the configuration and the help topics are such trees.
//
// Form: one element per record named by its GetElementName ("MorvaneData"), holding one
// element per published property in table order: simple values as text (empty ones left
// out), sub-records as nested record elements, non-empty child lists as an element holding
// one record element per record. Reading matches element names ignoring case, skips unknown
// elements with their contents, leaves read-only properties alone, and inserts each list
// record when its end tag is read (so an equal key refuses the load).
//
// Safety: saving to a file replaces it only once the whole document is on disk; loading reads
// into a fresh tree and changes the given root only when the whole document was read.
#pragma once

#include "objectlist/objectlistfiler.h"
#include "objectlist/saxreader.h"
#include "objectlist/treeadoption.h"

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace duebell {

class XmlWriter;

// The element stack entry of the reader: an object, list or implicit-list element, or an
// ignored one (no record and no list).
struct TXMLNode {
    std::string NodeName;
    TTovObjectNodeType NodeType = ntObject;
    TTovObjectItem* Item = nullptr;
    TTovObjectList* List = nullptr;
    std::unique_ptr<TTovObjectItem> Pending; // a list record not inserted yet
};

class TTovObjectListFilerXML : public TTovObjectListFiler, private SaxContentHandler {
public:
    // A filer that writes the root record to output (SaveToFiler) ...
    TTovObjectListFilerXML(TTovObjectList* list, TTovObjectItem* rootItem, std::ostream& output);
    // ... or reads input into it (LoadFromFiler).
    TTovObjectListFilerXML(TTovObjectList* list, TTovObjectItem* rootItem, std::istream& input);
    ~TTovObjectListFilerXML() override;

    // The whole document, in one step; both leave Ok False so the list does nothing further.
    void BeginRead(bool& ok) override;
    void BeginWrite(bool& ok) override;

    // Loading into a fresh tree that will replace another: records of lists held by these
    // objects get the stand-in as their owner, and the AfterLoad of these objects is left to
    // whoever adopts the tree (ClosedStandIns lists the ones whose element was read, in order).
    void SetStandIns(TTovStandIns standIns);
    const std::vector<TTovObjectItem*>& ClosedStandIns() const { return closedStandIns_; }
    // The name of the document element read, as written in the document.
    const std::string& RootElementName() const { return rootElementName_; }

private:
    // Writing.
    void WriteRecordElement(XmlWriter& writer, const std::string& name, TTovObjectItem& record);
    void WriteListElement(XmlWriter& writer, const std::string& name, TTovObjectItem& owner,
                          const TTovPropInfo& prop, TTovObjectList& list);

    // Reading (SAX events).
    void startElement(std::string_view name, const SaxAttributes& attributes) override;
    void endElement(std::string_view name) override;
    void characters(std::string_view text) override;
    void StartListRecord(std::string_view name, const SaxAttributes& attributes);
    void StartProperty(std::string_view name, const SaxAttributes& attributes);
    void PushList(std::string_view name, TTovObjectList* list, TTovObjectNodeType type);
    void PushIgnored(std::string_view name);
    void StoreCollectedText(TTovObjectItem& record);
    void CloseTopNode();
    TTovObjectItem* NearestRecord() const;
    static void StoreAttributes(TTovObjectItem& record, const SaxAttributes& attributes);

    TTovObjectItem* rootItem_;
    std::ostream* output_ = nullptr;
    std::istream* input_ = nullptr;

    std::vector<TXMLNode> stack_;
    const TTovPropInfo* currentProp_ = nullptr;
    std::string collectedText_;
    std::string lastPropertyName_;
    bool collecting_ = false;
    std::string nameScratch_;

    TTovStandIns standIns_;
    std::vector<TTovObjectItem*> closedStandIns_;
    std::string rootElementName_;
};

// Writes the tree under RootItem as the whole file, atomically: on any failure the previous
// file stays as it was. Raises Exception "Cannot save "<file>": <reason>".
void SaveObjectToXMLFile(const std::string& fileName, TTovObjectItem& rootItem);
void SaveObjectToXMLStream(std::ostream& stream, TTovObjectItem& rootItem);

// Fills RootItem (created by its constructor with its sub-records and lists) from the file.
// The tree under RootItem is replaced only when the whole document was read; on any failure
// it is left as it was. A document that is not well-formed raises
// "Error at Line <l> Column <c>: <message>"; a value or key the records refuse raises the same
// form with the records' own message; memory running out raises "Out of memory"; the file
// form adds "Cannot read "<file>".  " in front. Every failure is an Exception. Whatever the
// document element is named, it is read as RootItem; its name is given back, for a caller that
// must know the file is what its name says.
std::string LoadObjectFromXMLFile(const std::string& fileName, TTovObjectItem& rootItem);
std::string LoadObjectFromXMLStream(std::istream& stream, TTovObjectItem& rootItem);

} // namespace duebell
