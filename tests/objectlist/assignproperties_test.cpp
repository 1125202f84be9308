// Copying records and lists of records.
#include "objectlist/exceptions.h"
#include "testrecords.h"

#include <gtest/gtest.h>

namespace duebell::testing {
namespace {

TTestChild* AddChild(TTestPerson& person, const std::string& name, std::int64_t cents) {
    auto child = MakeItem<TTestChild>(&person);
    child->Name = name;
    child->Amount = Currency::fromRaw(cents * 100);
    return person.ChildList().Add(std::move(child));
}

class AssignPropertiesTest : public ::testing::Test {
protected:
    std::unique_ptr<TTestPerson> source{CreateItem<TTestPerson>(nullptr)};
    std::unique_ptr<TTestPerson> target{CreateItem<TTestPerson>(nullptr)};

    void SetUp() override {
        source->Code = "0000001";
        source->Age = 40;
        source->Active = true;
        source->Colour = tcBlue;
        source->Ratio = 1.0 / 3.0;
        source->Added = TDateTime(45356.123456789);
        source->Balance = Currency::fromRaw(12345678);
        source->Big = 9007199254740993;
        source->Secret = "source secret";
        source->Address->Suburb = "Hilltop";
        AddChild(*source, "Ann", 150);
        AddChild(*source, "Bob", 275);
    }
};

TEST_F(AssignPropertiesTest, SimpleValuesAreCopiedUnrounded) {
    target->AssignProperties(*source);
    EXPECT_EQ(target->Code, "0000001");
    EXPECT_EQ(target->Age, 40);
    EXPECT_TRUE(target->Active);
    EXPECT_EQ(target->Colour, tcBlue);
    EXPECT_EQ(target->Ratio, 1.0 / 3.0);
    EXPECT_EQ(target->Added.value, 45356.123456789);
    EXPECT_EQ(target->Balance.raw(), 12345678);
    EXPECT_EQ(target->Big, 9007199254740993);
    EXPECT_EQ(target->Secret, "kept"); // read-only: never copied
}

TEST_F(AssignPropertiesTest, ExistingSubRecordTakesTheValuesAndStays) {
    TTestAddress* ownAddress = target->Address.get();
    target->AssignProperties(*source);
    EXPECT_EQ(target->Address.get(), ownAddress);
    EXPECT_NE(target->Address.get(), source->Address.get());
    EXPECT_EQ(target->Address->Suburb, "Hilltop");

    target->Address->Suburb = "Other";
    target->AssignProperties(*source, /*skipSubObjects=*/true);
    EXPECT_EQ(target->Address->Suburb, "Other");
}

TEST_F(AssignPropertiesTest, ChildListsGetCopiesOwnedByTheTarget) {
    AddChild(*target, "Old", 1);
    target->AssignProperties(*source);
    std::vector<TTovObjectItem*> children = Items(target->ChildList());
    ASSERT_EQ(children.size(), 2u);
    auto* ann = dynamic_cast<TTestChild*>(children[0]);
    ASSERT_NE(ann, nullptr);
    EXPECT_EQ(ann->Name, "Ann");
    EXPECT_EQ(ann->Amount.raw(), 15000);
    EXPECT_EQ(ann->Owner(), target.get());
    EXPECT_NE(ann, source->ChildList().PeekFirst());

    std::unique_ptr<TTestPerson> untouched(CreateItem<TTestPerson>(nullptr));
    AddChild(*untouched, "Zed", 1);
    untouched->AssignProperties(*source, false, true, false, /*skipLists=*/true);
    EXPECT_EQ(untouched->ChildList().Count(), 1);
}

TEST_F(AssignPropertiesTest, SharingSubRecordsIsRefusedBeforeAnythingChanges) {
    try {
        target->AssignProperties(*source, false, true, /*shareSubObjects=*/true);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Internal error.  ", 0), 0u) << e.what();
    }
    EXPECT_EQ(target->Code, "");
    EXPECT_NE(target->Address.get(), source->Address.get());
}

TEST_F(AssignPropertiesTest, ARecordOfAnUnrelatedClassIsRefused) {
    std::unique_ptr<TTestRow> row(CreateItem<TTestRow>(nullptr));
    EXPECT_THROW(target->AssignProperties(*row), Exception);
    std::unique_ptr<TTestStudent> student(CreateItem<TTestStudent>(nullptr));
    student->Code = "0000009";
    target->AssignProperties(*student); // a subclass is fine: the person's part is copied
    EXPECT_EQ(target->Code, "0000009");
    EXPECT_THROW(student->AssignProperties(*target), Exception);
}

TEST(AssignListTest, ClearFirstFreesTheOldRecordsAndCopiesInOrder) {
    TTovOwnedObjectList source = MakeOwnedObjectList<TTestRow>("Number");
    TTovOwnedObjectList target = MakeOwnedObjectList<TTestRow>("Number");
    source->Add(NewRow(2, "two"));
    source->Add(NewRow(1, "one"));
    target->Add(NewRow(9, "nine"));
    const int before = GetItemManager<TTestRow>().InstanceCount();
    target->AssignList(*source, nullptr);
    EXPECT_EQ(GetItemManager<TTestRow>().InstanceCount(), before + 1); // -1 freed, +2 copies
    EXPECT_EQ(Column(*target, &TTestRow::Text), (std::vector<std::string>{"one", "two"}));
}

TEST(AssignListTest, MergeUpdatesEqualKeysAndAddsTheRest) {
    TTovOwnedObjectList source = MakeOwnedObjectList<TTestRow>("Number");
    TTovOwnedObjectList target = MakeOwnedObjectList<TTestRow>("Number");
    source->Add(NewRow(1, "new one"));
    source->Add(NewRow(3, "three"));
    TTestRow* one = target->Add(NewRow(1, "old one"));
    target->Add(NewRow(2, "two"));
    const int before = GetItemManager<TTestRow>().InstanceCount();
    target->AssignList(*source, nullptr, /*clearFirst=*/false);
    EXPECT_EQ(GetItemManager<TTestRow>().InstanceCount(), before + 1); // the spare copy freed
    EXPECT_EQ(target->PeekFirst(), one);
    EXPECT_EQ(Column(*target, &TTestRow::Text),
              (std::vector<std::string>{"new one", "two", "three"}));
}

TEST(AssignListTest, MergingIntoAnUnsortedListAppendsEveryRecord) {
    TTovObjectList source(&GetItemManager<TTestRow>());
    TTovOwnedObjectList target(new TTovObjectList(&GetItemManager<TTestRow>()));
    source.Add(NewRow(1, "a"));
    source.Add(NewRow(2, "b"));
    target->Add(NewRow(7, "kept"));
    target->AssignList(source, nullptr, /*clearFirst=*/false);
    EXPECT_EQ(Column(*target, &TTestRow::Text), (std::vector<std::string>{"kept", "a", "b"}));
    source.FreeAll();
}

TEST(AssignListTest, AssigningAListToItselfKeepsItsRecords) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    TTestRow* row = list->Add(NewRow(1, "one"));
    list->AssignList(*list, nullptr);
    ASSERT_EQ(list->Count(), 1);
    EXPECT_EQ(list->PeekFirst(), row);
    EXPECT_EQ(row->Text, "one");
}

TEST(AssignListTest, ADuplicateInTheSourceLeaksNothing) {
    TTovObjectList source(&GetItemManager<TTestRow>()); // unsorted: may hold equal keys
    source.Add(NewRow(1, "a"));
    source.Add(NewRow(1, "b"));
    TTovOwnedObjectList target = MakeOwnedObjectList<TTestRow>("Number");
    const int before = GetItemManager<TTestRow>().InstanceCount();
    EXPECT_THROW(target->AssignList(source, nullptr), Exception);
    EXPECT_EQ(target->Count(), 1);
    EXPECT_EQ(GetItemManager<TTestRow>().InstanceCount(), before + 1);
    source.FreeAll();
}

TEST(AssignListTest, SharingIsRefused) {
    TTovOwnedObjectList source = MakeOwnedObjectList<TTestRow>("Number");
    TTovOwnedObjectList target = MakeOwnedObjectList<TTestRow>("Number");
    source->Add(NewRow(1));
    EXPECT_THROW(target->AssignList(*source, nullptr, true, /*shareSubObjects=*/true), Exception);
    EXPECT_EQ(target->Count(), 0);
}

} // namespace
} // namespace duebell::testing
