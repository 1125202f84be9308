// Reading an XML document into a record tree, one SAX event at a time.
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"
#include "objectlist/textcase.h"
#include "objectlist/xmlfiler.h"
#include "objectlist/xmltext.h"

#include <cmath>

namespace duebell {

namespace {

// The element name that opens a record's implicit list explicitly.
constexpr std::string_view ImplicitListElementName = "TovObjectItemImplicitListUniqueID";
// The document element's node is never popped: its name matches no end tag.
constexpr std::string_view RootNodeName = "Root";

std::string PositionedMessage(const SaxError& position, const std::string& message) {
    return "Error at Line " + IntToStr(position.line) + " Column " + IntToStr(position.column) +
           ": " + message;
}

std::string_view LocalName(std::string_view name) {
    const auto colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

} // namespace

void TTovObjectListFilerXML::SetStandIns(TTovStandIns standIns) {
    standIns_ = std::move(standIns);
}

void TTovObjectListFilerXML::BeginRead(bool& ok) {
    TTovObjectListFiler::BeginRead(ok);
    stack_.clear();
    collecting_ = false;
    closedStandIns_.clear();
    rootElementName_.clear();
    SaxError error;
    bool parsed = false;
    try {
        parsed = SaxReader::parse(*input_, *this, error);
    } catch (const Exception& e) {
        throw Exception(PositionedMessage(error, e.message()));
    }
    if (!parsed)
        throw Exception(PositionedMessage(error, error.message));
    ok = false;
}

void TTovObjectListFilerXML::startElement(std::string_view name, const SaxAttributes& attributes) {
    if (stack_.empty()) {
        rootElementName_.assign(name);
        stack_.push_back({std::string(RootNodeName), ntObject, rootItem_, nullptr, nullptr});
        return;
    }
    const TXMLNode& top = stack_.back();
    if (top.Item == nullptr && top.List == nullptr)
        PushIgnored(name);
    else if (top.List != nullptr)
        StartListRecord(name, attributes);
    else
        StartProperty(name, attributes);
}

void TTovObjectListFilerXML::StartListRecord(std::string_view name,
                                             const SaxAttributes& attributes) {
    TTovObjectItemManager& itemClass = stack_.back().List->ItemClass();
    const std::string& itemName = itemClass.ListItemElementName();
    if (!itemName.empty() && !EqualsIgnoringCase(itemName, name)) {
        PushIgnored(name);
        return;
    }
    TTovObjectItem* owner = NearestRecord();
    if (const auto standIn = standIns_.find(owner); standIn != standIns_.end())
        owner = standIn->second;
    std::unique_ptr<TTovObjectItem> record(itemClass.Create(owner));
    TTovObjectItem* created = record.get();
    stack_.push_back({std::string(name), ntObject, created, nullptr, std::move(record)});
    StoreAttributes(*created, attributes);
}

void TTovObjectListFilerXML::StartProperty(std::string_view name, const SaxAttributes& attributes) {
    TTovObjectItem& record = *stack_.back().Item;
    nameScratch_.assign(name);
    const TTovPropInfo* prop =
        record.ItemManager().FindPropInfo(record.PropertyNameToElementName(nameScratch_));
    if (prop == nullptr) {
        if (TTovObjectList* implicitList = record.GetImplicitList()) {
            PushList(record.GetImplicitListName(), implicitList, ntImplicitList);
            StartListRecord(name, attributes);
        } else {
            PushIgnored(name);
        }
        return;
    }
    if (prop->Kind() == TTovPropertyKind::Class) {
        TTovObject* object = prop->GetObject(record);
        if (prop->ObjectKind() == TTovObjectKind::ChildList && object != nullptr) {
            PushList(name, dynamic_cast<TTovObjectList*>(object),
                     EqualsIgnoringCase(name, ImplicitListElementName) ? ntImplicitList : ntList);
        } else if (prop->ObjectKind() == TTovObjectKind::SubRecord && object != nullptr) {
            auto* sub = dynamic_cast<TTovObjectItem*>(object);
            stack_.push_back({std::string(name), ntObject, sub, nullptr, nullptr});
            StoreAttributes(*sub, attributes);
        } else {
            // A list that was never created, or an object the record only points at: the
            // file cannot fill it.
            PushIgnored(name);
        }
        return;
    }
    collectedText_.clear();
    collecting_ = true;
    currentProp_ = prop;
    lastPropertyName_.assign(name);
    StoreAttributes(record, attributes);
}

void TTovObjectListFilerXML::characters(std::string_view text) {
    if (collecting_)
        collectedText_.append(text);
}

void TTovObjectListFilerXML::endElement(std::string_view name) {
    TXMLNode& top = stack_.back();
    if (top.Item == nullptr && top.List == nullptr) {
        stack_.pop_back();
    } else if (collecting_ && EqualsIgnoringCase(name, lastPropertyName_)) {
        collecting_ = false;
        StoreCollectedText(*NearestRecord());
    } else if (stack_.size() > 1 && name == top.NodeName) {
        CloseTopNode();
    }
    if (stack_.size() > 1 && stack_.back().NodeType == ntImplicitList)
        stack_.pop_back();
}

void TTovObjectListFilerXML::StoreCollectedText(TTovObjectItem& record) {
    // Dates in the form this store writes take a short cut to the same value (a TDate is a
    // whole day; with a time in the text it goes the general way, which drops the time).
    double date = 0.0;
    if (currentProp_->IsDateKind() && TryReadXmlDate(collectedText_, date) &&
        (currentProp_->FloatType() == TTovFloatType::DateTime || date == std::trunc(date))) {
        currentProp_->SetFloat(record, date);
        return;
    }
    record.SetPropertyValue(currentProp_, Variant(std::move(collectedText_)));
    collectedText_.clear();
}

void TTovObjectListFilerXML::CloseTopNode() {
    TXMLNode node = std::move(stack_.back());
    stack_.pop_back();
    if (node.NodeType != ntObject)
        return; // the list's records are all in
    if (standIns_.count(node.Item) != 0)
        closedStandIns_.push_back(node.Item);
    else
        node.Item->AfterLoad();
    if (TTovObjectList* list = stack_.back().List)
        list->Add(std::move(node.Pending));
}

void TTovObjectListFilerXML::PushList(std::string_view name, TTovObjectList* list,
                                      TTovObjectNodeType type) {
    stack_.push_back({std::string(name), type, nullptr, list, nullptr});
}

void TTovObjectListFilerXML::PushIgnored(std::string_view name) {
    stack_.push_back({std::string(name), ntObject, nullptr, nullptr, nullptr});
}

TTovObjectItem* TTovObjectListFilerXML::NearestRecord() const {
    for (auto node = stack_.rbegin(); node != stack_.rend(); ++node)
        if (node->NodeType == ntObject && node->Item != nullptr)
            return node->Item;
    return nullptr;
}

void TTovObjectListFilerXML::StoreAttributes(TTovObjectItem& record,
                                             const SaxAttributes& attributes) {
    for (const SaxAttribute& attribute : attributes) {
        const TTovPropInfo* prop = record.ItemManager().FindPropInfo(LocalName(attribute.name));
        if (prop != nullptr && prop->Kind() != TTovPropertyKind::Class)
            record.SetPropertyValue(prop, Variant(attribute.value));
    }
}

} // namespace duebell
