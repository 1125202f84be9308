// The objects of which the process has one each.
#include "domain/alert.h"
#include "domain/configuration.h"
#include "domain/helpfile.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"

#include <gtest/gtest.h>
#include <memory>

namespace duebell {
namespace {

TEST(ProcessObjects, AtStartOnlyTheHelpTopicsAndTheEmptyAlertListExist) {
    EXPECT_EQ(Configuration(), nullptr);
    EXPECT_EQ(Data(), nullptr);
    EXPECT_FALSE(DataModified());
    EXPECT_EQ(HelpFile().HelpMeWithTopics->Count(), 0);
    EXPECT_EQ(&HelpFile(), &HelpFile());
    EXPECT_EQ(EmptyAlertList().Count(), 0);
    EXPECT_TRUE(EmptyAlertList().Sorted());
    EXPECT_EQ(EmptyAlertList().SortFields(), "LOANNUMBER,ALERTMESSAGE");
    EXPECT_EQ(&EmptyAlertList().ItemClass(), &GetItemManager<TMorvaneAlert>());
}

TEST(ProcessObjects, InstallingANewLoanBookFreesTheOldOne) {
    const int before = GetItemManager<TMorvaneData>().InstanceCount();
    SetData(std::unique_ptr<TMorvaneData>(CreateItem<TMorvaneData>(nullptr)));
    TMorvaneData* first = Data();
    ASSERT_NE(first, nullptr);
    SetData(std::unique_ptr<TMorvaneData>(CreateItem<TMorvaneData>(nullptr)));
    EXPECT_NE(Data(), nullptr);
    EXPECT_EQ(GetItemManager<TMorvaneData>().InstanceCount(), before + 1);
    SetData(nullptr);
    EXPECT_EQ(GetItemManager<TMorvaneData>().InstanceCount(), before);

    SetConfiguration(
        std::unique_ptr<TMorvaneConfiguration>(CreateItem<TMorvaneConfiguration>(nullptr)));
    EXPECT_NE(Configuration(), nullptr);
    SetConfiguration(nullptr);
    EXPECT_EQ(Configuration(), nullptr);
}

} // namespace
} // namespace duebell
