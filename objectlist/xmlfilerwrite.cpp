// Writing a record tree as an XML document.
#include "objectlist/xmlfiler.h"
#include "objectlist/xmltext.h"
#include "objectlist/xmlwriter.h"

namespace duebell {

namespace {

// Only texts, characters and floats (dates included) can be attributes.
bool CanBeAttribute(const TTovPropInfo& prop) {
    return prop.Kind() == TTovPropertyKind::Char || prop.Kind() == TTovPropertyKind::String ||
           prop.Kind() == TTovPropertyKind::Float;
}

} // namespace

TTovObjectListFilerXML::TTovObjectListFilerXML(TTovObjectList* list, TTovObjectItem* rootItem,
                                               std::ostream& output)
    : TTovObjectListFiler(list), rootItem_(rootItem), output_(&output) {}

TTovObjectListFilerXML::TTovObjectListFilerXML(TTovObjectList* list, TTovObjectItem* rootItem,
                                               std::istream& input)
    : TTovObjectListFiler(list), rootItem_(rootItem), input_(&input) {}

TTovObjectListFilerXML::~TTovObjectListFilerXML() = default;

void TTovObjectListFilerXML::BeginWrite(bool& ok) {
    TTovObjectListFiler::BeginWrite(ok);
    XmlWriter writer(*output_);
    writer.startDocument();
    WriteRecordElement(writer, rootItem_->GetElementName(), *rootItem_);
    writer.endDocument();
    ok = false;
}

void TTovObjectListFilerXML::WriteRecordElement(XmlWriter& writer, const std::string& name,
                                                TTovObjectItem& record) {
    const auto& props = record.ItemManager().Properties();
    SaxAttributes attributes;
    for (const TTovPropInfo* prop : props)
        if (record.IsAttribute(*prop) && CanBeAttribute(*prop))
            attributes.push_back({prop->Name(), XmlPropertyText(record, *prop)});
    record.AddElementAttributes(attributes);
    if (std::string xsiType = record.GetXsiTypeName(); !xsiType.empty())
        attributes.push_back({"xsi:type", std::move(xsiType)});
    writer.startElement(name, attributes);
    writer.characters(record.GetElementText());

    for (const TTovPropInfo* prop : props) {
        if (record.IsAttribute(*prop) || !record.IncludeProperty(*prop, true))
            continue;
        if (prop->Kind() != TTovPropertyKind::Class) {
            const std::string text = XmlPropertyText(record, *prop);
            if (text.empty())
                continue;
            writer.startElement(record.GetPropertyElementName(*prop));
            writer.characters(text);
            writer.endElement();
            continue;
        }
        TTovObject* object = prop->GetObject(record);
        if (prop->ObjectKind() == TTovObjectKind::SubRecord) {
            auto* sub = dynamic_cast<TTovObjectItem*>(object);
            if (prop->HasSetter() && sub != nullptr && record.IncludeSubObject(sub, true))
                WriteRecordElement(writer, record.GetPropertyElementName(*prop), *sub);
        } else if (prop->ObjectKind() == TTovObjectKind::ChildList) {
            auto* list = dynamic_cast<TTovObjectList*>(object);
            if (list != nullptr && record.IncludeChildList(list, *prop, true))
                WriteListElement(writer, record.GetPropertyElementName(*prop), record, *prop,
                                 *list);
        }
        // Objects a record only points at belong to someone else's element.
    }
    writer.endElement();
}

void TTovObjectListFilerXML::WriteListElement(XmlWriter& writer, const std::string& name,
                                              TTovObjectItem& owner, const TTovPropInfo& prop,
                                              TTovObjectList& list) {
    if (list.Count() == 0)
        return;
    SaxAttributes attributes;
    owner.AddListAttributes(&list, prop, attributes);
    writer.startElement(name, attributes);
    for (TTovObjectItem* record : list)
        WriteRecordElement(writer, record->GetElementName(), *record);
    writer.endElement();
}

} // namespace duebell
