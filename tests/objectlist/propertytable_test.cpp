// Per-class property tables, the class registry and property paths.
#include "objectlist/exceptions.h"
#include "objectlist/propertypath.h"
#include "testrecords.h"

#include <gtest/gtest.h>

namespace duebell::testing {
namespace {

std::vector<std::string> Names(const TTovObjectItemManager& manager) {
    std::vector<std::string> names;
    for (const TTovPropInfo* prop : manager.Properties()) {
        names.push_back(prop->Name());
    }
    return names;
}

TEST(PropertyTableTest, InheritedPropertiesComeFirstInDeclarationOrder) {
    TTovObjectItemManager& student = GetItemManager<TTestStudent>();
    std::vector<std::string> expected = {
        "Code", "Age", "Active", "Colour", "Initial", "Ratio",    "Born",   "Added", "Balance",
        "Rate", "Big", "Months", "Secret", "Address", "Children", "Friend", "School"};
    EXPECT_EQ(Names(student), expected);
    EXPECT_EQ(student.PropCount(), 17);
    for (int i = 0; i < student.PropCount(); ++i) {
        EXPECT_EQ(student.PropInfo(i).Index(), i);
    }
    EXPECT_EQ(student.ClassParent(), &GetItemManager<TTestPerson>());
    EXPECT_TRUE(student.InheritsFrom(GetItemManager<TTestPerson>()));
    EXPECT_FALSE(GetItemManager<TTestPerson>().InheritsFrom(student));
}

// A subclass that publishes nothing of its own.
class TTestGraduate : public TTovRecord<TTestGraduate, TTestStudent> {
public:
    using TTovRecord::TTovRecord;
};

TEST(PropertyTableTest, AClassWithoutDeclarationsHasItsParentsProperties) {
    TTovObjectItemManager& graduate = GetItemManager<TTestGraduate>();
    EXPECT_EQ(Names(graduate), Names(GetItemManager<TTestStudent>()));
    EXPECT_EQ(graduate.ClassName(), "TTestGraduate");
    std::unique_ptr<TTestGraduate> record(CreateItem<TTestGraduate>(nullptr));
    record->SetPropertyValue("School", "Hilltop High");
    EXPECT_EQ(record->School, "Hilltop High");
}

TEST(PropertyTableTest, LookupIgnoresCase) {
    TTovObjectItemManager& person = GetItemManager<TTestPerson>();
    ASSERT_NE(person.FindPropInfo("balance"), nullptr);
    EXPECT_EQ(person.FindPropInfo("BALANCE")->Name(), "Balance");
    EXPECT_EQ(person.FindPropInfo("bAlAnCe"), person.FindPropInfo("Balance"));
    EXPECT_EQ(person.FindPropInfo("Balances"), nullptr);
    EXPECT_EQ(person.FindPropInfo(""), nullptr);
}

TEST(PropertyTableTest, KindsTellDatesMoneyAndRatesApart) {
    TTovObjectItemManager& person = GetItemManager<TTestPerson>();
    auto prop = [&](const char* name) { return person.FindPropInfo(name); };
    EXPECT_EQ(prop("Age")->Kind(), TTovPropertyKind::Integer);
    EXPECT_EQ(prop("Active")->Kind(), TTovPropertyKind::Enumeration);
    EXPECT_TRUE(prop("Active")->IsBoolean());
    EXPECT_EQ(prop("Active")->TypeName(), "Boolean");
    EXPECT_FALSE(prop("Colour")->IsBoolean());
    EXPECT_EQ(prop("Colour")->TypeName(), "TTestColour");
    EXPECT_EQ(prop("Initial")->Kind(), TTovPropertyKind::Char);
    EXPECT_EQ(prop("Code")->Kind(), TTovPropertyKind::String);
    EXPECT_EQ(prop("Big")->Kind(), TTovPropertyKind::Int64);
    EXPECT_EQ(prop("Ratio")->FloatType(), TTovFloatType::Double);
    EXPECT_EQ(prop("Born")->FloatType(), TTovFloatType::Date);
    EXPECT_EQ(prop("Added")->FloatType(), TTovFloatType::DateTime);
    EXPECT_EQ(prop("Balance")->FloatType(), TTovFloatType::Currency);
    EXPECT_EQ(prop("Rate")->FloatType(), TTovFloatType::Percentage);
    EXPECT_TRUE(prop("Born")->IsDateKind());
    EXPECT_FALSE(prop("Balance")->IsDateKind());
    EXPECT_EQ(prop("Address")->ObjectKind(), TTovObjectKind::SubRecord);
    EXPECT_EQ(prop("Address")->RecordClass(), &GetItemManager<TTestAddress>());
    EXPECT_EQ(prop("Children")->ObjectKind(), TTovObjectKind::ChildList);
    EXPECT_EQ(prop("Friend")->ObjectKind(), TTovObjectKind::Reference);
    EXPECT_EQ(prop("Friend")->RecordClass(), &person);
    EXPECT_TRUE(prop("Months")->HasSetter());
    EXPECT_FALSE(prop("Secret")->HasSetter());
}

TEST(PropertyTableTest, WrongAccessIsAProgramFault) {
    std::unique_ptr<TTestPerson> person(CreateItem<TTestPerson>(nullptr));
    const TTovPropInfo* code = person->ItemManager().FindPropInfo("Code");
    EXPECT_THROW(code->GetFloat(*person), Exception);
    EXPECT_THROW(code->SetOrdinal(*person, 1), Exception);
}

TEST(ClassRegistryTest, VirtualConstructorByClassName) {
    GetItemManager<TTestStudent>(); // registered on first use
    TTovObjectItemManager* found = FindItemClass("ttestSTUDENT");
    ASSERT_EQ(found, &GetItemManager<TTestStudent>());
    std::unique_ptr<TTestPerson> owner(CreateItem<TTestPerson>(nullptr));
    std::unique_ptr<TTovObjectItem> made(found->Create(owner.get()));
    auto* student = dynamic_cast<TTestStudent*>(made.get());
    ASSERT_NE(student, nullptr);
    EXPECT_EQ(student->Owner(), owner.get());
    EXPECT_TRUE(student->Initialized);
    EXPECT_EQ(student->ClassName(), "TTestStudent");
    EXPECT_EQ(student->GetBareClassName(), "TestStudent");
    EXPECT_EQ(student->GetElementName(), "TestStudent");
    EXPECT_EQ(&student->ItemManager(), found);
    EXPECT_EQ(FindItemClass("TNoSuchClass"), nullptr);
}

TEST(ClassRegistryTest, CountsLiveRecordsOfEachClass) {
    TTovObjectItemManager& students = GetItemManager<TTestStudent>();
    TTovObjectItemManager& people = GetItemManager<TTestPerson>();
    const int studentsBefore = students.InstanceCount();
    const int peopleBefore = people.InstanceCount();
    {
        std::unique_ptr<TTestStudent> student(CreateItem<TTestStudent>(nullptr));
        EXPECT_EQ(students.InstanceCount(), studentsBefore + 1);
        EXPECT_EQ(people.InstanceCount(), peopleBefore); // counted as its own class only
    }
    EXPECT_EQ(students.InstanceCount(), studentsBefore);
}

TEST(PropertyPathTest, ResolvesThroughSubRecordsIgnoringCase) {
    std::unique_ptr<TTestPerson> person(CreateItem<TTestPerson>(nullptr));
    person->Address->Suburb = "Hilltop";
    TTovPropertyPath path = ResolvePropertyPath(*person, "address.SUBURB");
    ASSERT_TRUE(path);
    EXPECT_EQ(path.item, person->Address.get());
    EXPECT_EQ(path.item->GetPropInfoValue(path.prop).AsString(), "Hilltop");

    TTovPropertyPath direct = ResolvePropertyPath(*person, "Code");
    ASSERT_TRUE(direct);
    EXPECT_EQ(direct.item, person.get());
}

TEST(PropertyPathTest, UnresolvedPathsGiveNothing) {
    std::unique_ptr<TTestPerson> person(CreateItem<TTestPerson>(nullptr));
    EXPECT_FALSE(ResolvePropertyPath(*person, "Address.Nope"));
    EXPECT_FALSE(ResolvePropertyPath(*person, "Code.Suburb"));   // not an object
    EXPECT_FALSE(ResolvePropertyPath(*person, "Friend.Code"));   // no friend
    EXPECT_FALSE(ResolvePropertyPath(*person, "Children.Name")); // a list, not a record
    EXPECT_FALSE(ResolvePropertyPath(*person, ""));
    EXPECT_FALSE(ResolvePropertyPath(*person, "Address."));

    std::unique_ptr<TTestPerson> other(CreateItem<TTestPerson>(nullptr));
    other->Code = "0000007";
    person->Friend = other.get();
    TTovPropertyPath path = ResolvePropertyPath(*person, "Friend.Code");
    ASSERT_TRUE(path);
    EXPECT_EQ(path.item, other.get());
}

} // namespace
} // namespace duebell::testing
