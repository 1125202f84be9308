// The sorted record list: insertion, duplicate refusal, the cursor, deletion and listeners.
#include "objectlist/exceptions.h"
#include "testrecords.h"

#include <climits>
#include <gtest/gtest.h>

namespace duebell::testing {
namespace {

std::vector<int> Numbers(const TTovObjectList& list) {
    return Column(list, &TTestRow::Number);
}

class SortedListTest : public ::testing::Test {
protected:
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
};

TEST_F(SortedListTest, RecordsComeOutInKeyOrderUpToTheEdgesOfTheRange) {
    for (int n : {0, INT_MAX, -1, INT_MIN, 1, INT_MIN + 1, INT_MAX - 1}) {
        list->Add(NewRow(n));
    }
    EXPECT_EQ(Numbers(*list),
              (std::vector<int>{INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX}));
    EXPECT_EQ(list->Count(), 7);
}

TEST_F(SortedListTest, DuplicateKeyIsRefusedWithTheExactMessageAndNothingChanges) {
    list->Add(NewRow(1));
    TTestRow* two = list->Add(NewRow(2));
    list->Add(NewRow(3));
    list->First(); // cursor on 1
    std::unique_ptr<TTestRow> again(NewRow(2, "again"));
    try {
        list->Add(std::move(again));
        FAIL() << "no exception";
    } catch (const ETovObjectListError&) {
        FAIL() << "the duplicate error is a plain exception, not the library's class";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Duplicate nodes in list containing classes of \"TTestRow\"");
    }
    EXPECT_EQ(list->Count(), 3);
    EXPECT_EQ(again->Text, "again"); // the refused record is still the caller's
    EXPECT_EQ(Numbers(*list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(static_cast<TTestRow*>(list->Current())->Number, 1);
    list->Locate(2);
    EXPECT_EQ(list->Current(), two);
}

TEST(ObjectListTest, SortedListWithoutSortFieldsHoldsOneRecord) {
    TTovOwnedObjectList list(new TTovObjectList(&GetItemManager<TTestRow>()));
    list->SetSorted(true);
    list->Add(NewRow(1));
    EXPECT_THROW(list->Add(NewRow(2)), Exception);
    EXPECT_EQ(list->Count(), 1);
}

TEST(ObjectListTest, UnsortedListKeepsInsertionOrderAndEqualKeys) {
    TTovOwnedObjectList list(new TTovObjectList(&GetItemManager<TTestRow>()));
    list->SetSortFields("Number");
    for (int n : {3, 1, 3, 2}) {
        list->Add(NewRow(n));
    }
    EXPECT_EQ(Numbers(*list), (std::vector<int>{3, 1, 3, 2}));
    EXPECT_EQ(list->PeekFirstNode()->Level(), 0);
}

TEST(ObjectListTest, RecordOfAnotherClassIsRefused) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    EXPECT_THROW(list->Add(MakeItem<TTestChild>(nullptr)), Exception);
    EXPECT_THROW(list->Add(std::unique_ptr<TTestRow>()), Exception);
    EXPECT_EQ(list->Count(), 0);
}

TEST_F(SortedListTest, CursorWalksForwardAndBackAndFallsOffTheEnds) {
    EXPECT_EQ(list->First(), nullptr);
    EXPECT_TRUE(list->Bof());
    EXPECT_TRUE(list->Eof());
    list->Add(NewRow(3));
    TTestRow* one = list->Add(NewRow(1));
    EXPECT_EQ(list->Current(), one); // Add puts the cursor on the new record
    EXPECT_EQ(static_cast<TTestRow*>(list->Next())->Number, 3);
    list->Add(NewRow(2));
    std::vector<int> walked;
    for (TTovObjectItem* item = list->First(); !list->Eof(); item = list->Next()) {
        walked.push_back(static_cast<TTestRow*>(item)->Number);
    }
    EXPECT_EQ(walked, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(list->Current(), nullptr);
    EXPECT_EQ(list->Next(), nullptr); // stays off the end

    EXPECT_EQ(static_cast<TTestRow*>(list->Last())->Number, 3);
    EXPECT_FALSE(list->Bof());
    EXPECT_FALSE(list->Eof());
    EXPECT_EQ(static_cast<TTestRow*>(list->Prior())->Number, 2);
    EXPECT_EQ(static_cast<TTestRow*>(list->PeekPrior())->Number, 1);
    EXPECT_EQ(static_cast<TTestRow*>(list->PeekNext())->Number, 3);
    EXPECT_EQ(static_cast<TTestRow*>(list->Current())->Number, 2); // peeks did not move
    EXPECT_EQ(static_cast<TTestRow*>(list->Prior())->Number, 1);
    EXPECT_EQ(list->PeekPrior(), nullptr);
    EXPECT_EQ(list->Prior(), nullptr);
    EXPECT_TRUE(list->Bof());
    EXPECT_EQ(static_cast<TTestRow*>(list->PeekFirst())->Number, 1);
    EXPECT_EQ(static_cast<TTestRow*>(list->PeekLast())->Number, 3);
}

TEST_F(SortedListTest, DeleteMovesTheCursorToTheFollowingRecord) {
    for (int n : {1, 2, 3}) {
        list->Add(NewRow(n));
    }
    list->First();
    TTestRow* one = static_cast<TTestRow*>(list->Current());
    list->Delete();
    EXPECT_EQ(static_cast<TTestRow*>(list->Current())->Number, 2);
    EXPECT_EQ(one->Number, 1); // unlinked, not freed
    delete one;

    list->Last();
    TTovObjectItem* three = list->Current();
    list->Delete();
    EXPECT_TRUE(list->Eof());
    EXPECT_EQ(list->Current(), nullptr);
    EXPECT_EQ(static_cast<TTestRow*>(list->Prior())->Number, 2); // back from the end
    delete three;
    EXPECT_EQ(Numbers(*list), (std::vector<int>{2}));
    EXPECT_EQ(list->Count(), 1);
}

TEST_F(SortedListTest, DeleteWithoutACurrentRecordIsRefused) {
    list->Add(NewRow(1));
    list->First();
    list->Next();
    EXPECT_THROW(list->Delete(), ETovObjectListError);
    EXPECT_EQ(list->Count(), 1);
}

TEST(ListenerTest, ListenersAreToldInRegistrationOrder) {
    std::vector<ChangeRecorder::Change> log;
    ChangeRecorder first("first", log);
    ChangeRecorder second("second", log);
    TTestRow* one = nullptr;
    {
        TTovObjectList list(&GetItemManager<TTestRow>());
        list.AddListener(&first);
        list.AddListener(&second);
        list.AddListener(&first); // ignored: already registered
        one = list.Add(NewRow(1));
        list.First();
        list.Delete();
        list.Add(std::unique_ptr<TTestRow>(one)); // unlinked, it was ours to add again
        list.NotifyListeners(ckItemAdded, nullptr);
        ASSERT_EQ(log.size(), 8u);
        EXPECT_EQ(log[0].who, "first");
        EXPECT_EQ(log[0].kind, ckItemAdded);
        EXPECT_EQ(log[0].item, one);
        EXPECT_EQ(log[0].list, &list);
        EXPECT_EQ(log[1].who, "second");
        EXPECT_EQ(log[2].kind, ckItemDeleted);
        EXPECT_EQ(log[2].item, one);
        EXPECT_EQ(log[6].item, nullptr);
        log.clear();
    } // destroyed: listeners hear the list cleared, then going away; the record lives on
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].who, "first");
    EXPECT_EQ(log[0].kind, ckListCleared);
    EXPECT_EQ(log[0].item, nullptr);
    EXPECT_EQ(log[1].who, "second");
    EXPECT_EQ(log[2].who, "first");
    EXPECT_EQ(log[2].kind, ckListDestroying);
    EXPECT_EQ(log[2].item, nullptr);
    EXPECT_EQ(log[3].who, "second");
    EXPECT_EQ(one->Number, 1);
    delete one;
}

TEST(ListenerTest, ABatchIsToldOnceAtItsEndButDeletionsAtOnce) {
    std::vector<ChangeRecorder::Change> log;
    ChangeRecorder recorder("recorder", log);
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    list->AddListener(&recorder);
    TTestRow* two = nullptr;
    {
        const TTovListUpdate outer(*list);
        list->Add(NewRow(1));
        {
            const TTovListUpdate inner(*list);
            two = list->Add(NewRow(2));
            list->Add(NewRow(3));
        }
        EXPECT_TRUE(log.empty()); // the inner end is not the batch's end
        list->Locate(2);
        list->Delete(); // unlinked: whoever shows it must forget it now
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].kind, ckItemDeleted);
        EXPECT_EQ(log[0].item, two);
        EXPECT_TRUE(list->Updating());
    }
    EXPECT_FALSE(list->Updating());
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].kind, ckItemAdded);
    EXPECT_EQ(log[1].item, nullptr);
    EXPECT_EQ(Numbers(*list), (std::vector<int>{1, 3}));
    delete two;

    // A batch that changed nothing says nothing; the next change is told at once again.
    log.clear();
    { const TTovListUpdate idle(*list); }
    EXPECT_TRUE(log.empty());
    list->Add(NewRow(4));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].item, nullptr);
}

TEST(ListenerTest, RemovedListenerHearsNothingMore) {
    std::vector<ChangeRecorder::Change> log;
    ChangeRecorder first("first", log);
    ChangeRecorder second("second", log);
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    list->AddListener(&first);
    list->AddListener(&second);
    list->RemoveListener(&first);
    list->Add(NewRow(1));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].who, "second");
}

// A listener that unregisters another one, and itself, while being told.
class Unregistering : public ITovListListener {
public:
    explicit Unregistering(ITovListListener* victim) : victim_(victim) {}
    void ListChanged(TTovObjectList* list, TTovObjectItem*, TTovChangeKind) override {
        list->RemoveListener(victim_);
        list->RemoveListener(this);
    }

private:
    ITovListListener* victim_;
};

TEST(ListenerTest, AListenerRemovedDuringNotificationIsSkipped) {
    std::vector<ChangeRecorder::Change> log;
    ChangeRecorder victim("victim", log);
    ChangeRecorder last("last", log);
    Unregistering remover(&victim);
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    list->AddListener(&remover);
    list->AddListener(&victim);
    list->AddListener(&last);
    list->Add(NewRow(1));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].who, "last");
}

TEST(ListenerTest, AListenerMayUnregisterWhileTheListGoesAway) {
    std::vector<ChangeRecorder::Change> log;
    ChangeRecorder victim("victim", log);
    ChangeRecorder last("last", log);
    Unregistering remover(&victim);
    {
        TTovObjectList list(&GetItemManager<TTestRow>());
        list.AddListener(&remover);
        list.AddListener(&victim);
        list.AddListener(&last);
    }
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].who, "last");
    EXPECT_EQ(log[0].kind, ckListCleared);
    EXPECT_EQ(log[1].kind, ckListDestroying);
}

// A listener that fails every time it is told.
struct Failing : ITovListListener {
    void ListChanged(TTovObjectList*, TTovObjectItem*, TTovChangeKind) override {
        throw Exception("cannot show it");
    }
};

std::vector<std::string> reportedFailures;

TEST(ListenerTest, AFailingListenerIsReportedAndTheChangeCompletes) {
    const TTovListenerFailureReport before = SetListenerFailureReport(
        [](const std::string& message) { reportedFailures.push_back(message); });
    std::vector<ChangeRecorder::Change> log;
    Failing failing;
    ChangeRecorder after("after", log);
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    list->AddListener(&failing);
    list->AddListener(&after);
    TTestRow* one = list->Add(NewRow(1)); // no exception: the record is the list's
    EXPECT_EQ(list->Current(), one);
    list->FreeAll();
    list->RemoveListener(&failing);
    SetListenerFailureReport(before);
    EXPECT_EQ(reportedFailures, (std::vector<std::string>{"cannot show it", "cannot show it"}));
    ASSERT_EQ(log.size(), 2u); // the others are still told
    EXPECT_EQ(log[0].kind, ckItemAdded);
    EXPECT_EQ(log[1].kind, ckListCleared);
}

TEST(ClearTest, ClearUnlinksAndFreeAllFrees) {
    TTovObjectItemManager& rows = GetItemManager<TTestRow>();
    const int before = rows.InstanceCount();
    std::vector<ChangeRecorder::Change> log;
    ChangeRecorder recorder("r", log);
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    list->AddListener(&recorder);
    std::vector<TTestRow*> kept;
    for (int n : {1, 2, 3}) {
        kept.push_back(list->Add(NewRow(n)));
    }
    list->First();
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Current(), nullptr);
    EXPECT_EQ(log.back().kind, ckListCleared);
    EXPECT_EQ(rows.InstanceCount(), before + 3); // unlinked, alive

    for (TTestRow* row : kept) {
        list->Add(std::unique_ptr<TTestRow>(row)); // the list is usable again
    }
    EXPECT_EQ(Numbers(*list), (std::vector<int>{1, 2, 3}));
    log.clear();
    list->FreeAll();
    EXPECT_EQ(rows.InstanceCount(), before);
    EXPECT_EQ(list->Count(), 0);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].kind, ckListCleared);
}

TEST(ClearTest, AnOwnedListFreesItsRecordsWithItself) {
    TTovObjectItemManager& rows = GetItemManager<TTestRow>();
    const int before = rows.InstanceCount();
    {
        TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
        list->Add(NewRow(1));
        list->Add(NewRow(2));
        EXPECT_EQ(rows.InstanceCount(), before + 2);
    }
    EXPECT_EQ(rows.InstanceCount(), before);
}

TEST(ClearTest, FreeAllForgetsRecordsThatWereListeners) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    TTestRow* row = list->Add(NewRow(1));
    list->AddListener(row);
    list->FreeAll(); // must not call the freed record
    list->Add(NewRow(2));
    EXPECT_EQ(list->Count(), 1);
}

} // namespace
} // namespace duebell::testing
