// The record hooks the XML store consults: attributes, extra element and list attributes, the
// xsi:type, element text, properties, sub-records and lists left out, renamed elements and
// the implicit list that takes unknown child elements.
#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"
#include "objectlist/saxreader.h"
#include "objectlist/xmlfiler.h"
#include "testfiles.h"
#include "xmltestrecords.h"
#include "xmltextio.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

using xmltest::Load;
using xmltest::Save;
using namespace testfiles;

class THookItem : public TTovRecord<THookItem> {
public:
    using TTovRecord::TTovRecord;
    std::string Name;
    static void DeclareProperties(TTovPropertyTable<THookItem>& table) {
        table.Property("Name", &THookItem::Name);
    }
};

class THookRecord : public TTovRecord<THookRecord> {
public:
    explicit THookRecord(TTovObjectItem* owner)
        : TTovRecord(owner), Skipped(CreateItem<xmltest::TXmlTestAddress>(this)),
          Items(MakeOwnedObjectList<THookItem>()), Tags(MakeOwnedObjectList<THookItem>()) {}

    std::string Code;
    double Amount = 0.0;
    std::int32_t Count = 0;
    std::string Hidden;
    std::string Nick;
    bool Flag = false;
    std::unique_ptr<xmltest::TXmlTestAddress> Skipped;
    TTovOwnedObjectList Items;
    TTovOwnedObjectList Tags;
    static inline bool failOnSave = false;

    std::string Fuse() const {
        if (failOnSave)
            throw Exception("fuse blew");
        return {};
    }

    bool IsAttribute(const TTovPropInfo& prop) const override {
        return prop.Name() == "Code" || prop.Name() == "Amount" || prop.Name() == "Count";
    }
    void AddElementAttributes(std::vector<SaxAttribute>& attributes) const override {
        attributes.push_back({"version", "2"});
    }
    std::string GetXsiTypeName() const override { return "HookType"; }
    std::string GetElementText() const override { return "hello & bye"; }
    void AddListAttributes(TTovObjectList* list, const TTovPropInfo&,
                           std::vector<SaxAttribute>& attributes) const override {
        attributes.push_back({"size", IntToStr(list->Count())});
    }
    bool IncludeProperty(const TTovPropInfo& prop, bool) const override {
        return prop.Name() != "Hidden";
    }
    bool IncludeSubObject(TTovObjectItem* sub, bool writing) const override {
        return !(writing && sub == Skipped.get());
    }
    bool IncludeChildList(TTovObjectList* list, const TTovPropInfo&, bool) const override {
        return list != Tags.get();
    }
    std::string GetPropertyElementName(const TTovPropInfo& prop) const override {
        return prop.Name() == "Nick" ? "NickName" : TTovObjectItem::GetPropertyElementName(prop);
    }
    std::string PropertyNameToElementName(const std::string& name) const override {
        return name == "NickName" ? "Nick" : name;
    }
    TTovObjectList* GetImplicitList() const override { return Items.get(); }
    std::string GetImplicitListName() const override { return "Items"; }

    static void DeclareProperties(TTovPropertyTable<THookRecord>& table) {
        table.Property("Code", &THookRecord::Code)
            .Property("Amount", &THookRecord::Amount)
            .Property("Count", &THookRecord::Count)
            .Property("Hidden", &THookRecord::Hidden)
            .Property("Nick", &THookRecord::Nick)
            .Property("Flag", &THookRecord::Flag)
            .Property("Fuse", &THookRecord::Fuse)
            .SubRecord("Skipped", &THookRecord::Skipped)
            .ChildList("Items", &THookRecord::Items)
            .ChildList("Tags", &THookRecord::Tags);
    }
};

class THookHolder : public TTovRecord<THookHolder> {
public:
    explicit THookHolder(TTovObjectItem* owner)
        : TTovRecord(owner), Hooks(MakeOwnedObjectList<THookRecord>()) {}
    TTovOwnedObjectList Hooks;
    static void DeclareProperties(TTovPropertyTable<THookHolder>& table) {
        table.ChildList("Hooks", &THookHolder::Hooks);
    }
};

std::unique_ptr<THookHolder> NewHolder() {
    return std::unique_ptr<THookHolder>(CreateItem<THookHolder>(nullptr));
}

THookRecord& FilledHook(THookHolder& holder) {
    auto hook = MakeItem<THookRecord>(&holder);
    hook->Code = "C&1";
    hook->Amount = 2.5;
    hook->Count = 7;
    hook->Hidden = "secret";
    hook->Nick = "n";
    hook->Flag = true;
    hook->Skipped->Suburb = "never written";
    for (const char* name : {"a", "b"}) {
        auto item = MakeItem<THookItem>(hook.get());
        item->Name = name;
        hook->Items->Add(std::move(item));
        auto tag = MakeItem<THookItem>(hook.get());
        tag->Name = name;
        hook->Tags->Add(std::move(tag));
    }
    return *holder.Hooks->Add(std::move(hook));
}

const char* const HookDocument = R"(<?xml version="1.0" encoding="UTF-8"?>
<HookHolder>
	<Hooks>
		<HookRecord Code="C&amp;1" Amount="2.5" version="2" xsi:type="HookType">hello &amp; bye
			<NickName>n</NickName>
			<Flag>True</Flag>
			<Items size="2">
				<HookItem>
					<Name>a</Name>
				</HookItem>
				<HookItem>
					<Name>b</Name>
				</HookItem>
			</Items>
		</HookRecord>
	</Hooks>
</HookHolder>
)";

TEST(XmlStoreHooks, WritingHonoursEveryHook) {
    // Integer attributes are not written at all; the hidden property, the skipped sub-record
    // and the excluded list neither; the read-only Fuse is empty and so left out.
    auto holder = NewHolder();
    FilledHook(*holder);
    EXPECT_EQ(Save(*holder), HookDocument);
}

TEST(XmlStoreHooks, ReadingTakesAttributesRenamedElementsAndTheListsBack) {
    auto holder = NewHolder();
    Load(HookDocument, *holder);
    ASSERT_EQ(holder->Hooks->Count(), 1);
    auto& hook = static_cast<THookRecord&>(*holder->Hooks->PeekFirst());
    EXPECT_EQ(hook.Code, "C&1");
    EXPECT_EQ(hook.Amount, 2.5);
    EXPECT_EQ(hook.Count, 0);
    EXPECT_EQ(hook.Nick, "n");
    EXPECT_TRUE(hook.Flag);
    ASSERT_EQ(hook.Items->Count(), 2);
    EXPECT_EQ(static_cast<THookItem*>(hook.Items->PeekLast())->Name, "b");
    EXPECT_EQ(Save(*holder), HookDocument);
}

TEST(XmlStoreHooks, UnknownElementsGoToTheImplicitList) {
    auto holder = NewHolder();
    Load("<HookHolder><Hooks><HookRecord><Widget><Name>w</Name></Widget>"
         "<Gadget><Name>g</Name></Gadget><Flag>yes</Flag></HookRecord></Hooks></HookHolder>",
         *holder);
    auto& hook = static_cast<THookRecord&>(*holder->Hooks->PeekFirst());
    ASSERT_EQ(hook.Items->Count(), 2);
    EXPECT_EQ(static_cast<THookItem*>(hook.Items->PeekFirst())->Name, "w");
    EXPECT_EQ(static_cast<THookItem*>(hook.Items->PeekLast())->Name, "g");
    EXPECT_TRUE(hook.Flag);
}

TEST(XmlStoreHooks, AnExceptionWhileSavingLeavesThePreviousFile) {
    const auto folder = FreshFolder("xmlstorehooks_test");
    const std::string file = (folder / "MV_DATA.XML").string();
    auto holder = NewHolder();
    FilledHook(*holder);
    SaveObjectToXMLFile(file, *holder);
    FilledHook(*holder).Code = "second";
    THookRecord::failOnSave = true;
    EXPECT_THROW(SaveObjectToXMLFile(file, *holder), Exception);
    THookRecord::failOnSave = false;
    EXPECT_EQ(ReadFile(file), HookDocument);
    EXPECT_EQ(Entries(folder), 1);
}

} // namespace
} // namespace duebell
