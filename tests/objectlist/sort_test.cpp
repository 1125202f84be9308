// Re-sorting, shared descriptors and the shape of the skip list.
#include "objectlist/exceptions.h"
#include "objectlist/randomgenerator.h"
#include "testrecords.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace duebell::testing {
namespace {

std::vector<std::pair<int, int>> NumbersAndTags(const TTovObjectList& list) {
    std::vector<std::pair<int, int>> result;
    for (TTovObjectItem* item : list) {
        auto* row = static_cast<TTestRow*>(item);
        result.emplace_back(row->Number, row->Tag);
    }
    return result;
}

// Every level's chain must hold exactly the nodes that reach it, in bottom-chain order, and
// the back links must mirror the bottom chain.
void ExpectWellFormed(const TTovObjectList& list) {
    std::vector<const TTovVirtualObjectItem*> nodes;
    for (const TTovVirtualObjectItem* node = list.PeekFirstNode(); node != nullptr;) {
        nodes.push_back(node);
        const TTovVirtualObjectItem* next = node->Forward(1);
        node = (next != nullptr && next->Item() != nullptr) ? next : nullptr;
    }
    ASSERT_EQ(static_cast<int>(nodes.size()), list.Count());
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        EXPECT_EQ(nodes[i]->Back(), nodes[i - 1]);
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        for (int level = 2; level <= nodes[i]->Level(); ++level) {
            const TTovVirtualObjectItem* expected = nullptr;
            for (std::size_t j = i + 1; j < nodes.size(); ++j) {
                if (nodes[j]->Level() >= level) {
                    expected = nodes[j];
                    break;
                }
            }
            const TTovVirtualObjectItem* actual = nodes[i]->Forward(level);
            if (expected == nullptr) {
                EXPECT_EQ(actual->Item(), nullptr) << "level " << level << " must end at the tail";
            } else {
                EXPECT_EQ(actual, expected) << "level " << level;
            }
        }
    }
}

TEST(SortTest, ResortingIsStableForEqualKeys) {
    TTovOwnedObjectList list(new TTovObjectList(&GetItemManager<TTestRow>()));
    const std::vector<int> numbers = {3, 1, 2, 1, 3, 2, 1, 2, 3, 1, 1};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        list->Add(NewRow(numbers[i], {}, static_cast<int>(i)));
    }
    list->SetSortFields("Number");
    list->SetSorted(true); // re-sorts
    std::vector<std::pair<int, int>> expected = {{1, 1}, {1, 3}, {1, 6}, {1, 9}, {1, 10}, {2, 2},
                                                 {2, 5}, {2, 7}, {3, 0}, {3, 4}, {3, 8}};
    EXPECT_EQ(NumbersAndTags(*list), expected);
    ExpectWellFormed(*list);
}

TEST(SortTest, NewSortFieldsReSortASortedListAndItsListenersHearOfIt) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    for (const auto& [number, text] : {std::pair{1, "c"}, {2, "a"}, {3, "b"}}) {
        list->Add(NewRow(number, text));
    }
    std::vector<ChangeRecorder::Change> log;
    ChangeRecorder recorder("grid", log);
    list->AddListener(&recorder);
    list->SetSortFields("Text");
    EXPECT_EQ(Column(*list, &TTestRow::Text), (std::vector<std::string>{"a", "b", "c"}));
    auto* found = static_cast<TTestRow*>(list->Locate("b"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Number, 3);
    EXPECT_THROW(list->Add(NewRow(9, "a")), Exception); // the new key's duplicate
    ExpectWellFormed(*list);
    // One refresh signal: a record added, with no record.
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].kind, ckItemAdded);
    EXPECT_EQ(log[0].item, nullptr);
    list->RemoveListener(&recorder);
}

TEST(SortTest, SortAfterKeysWereEditedRestoresOrderAndKeepsTheList) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    list->Descriptor().RandomGenerator().SetSeed(7);
    std::vector<TTestRow*> rows;
    for (int i = 0; i < 200; ++i) {
        rows.push_back(list->Add(NewRow(i, {}, i)));
    }
    for (TTestRow* row : rows) {
        row->Number = (row->Tag * 37) % 10; // many equal keys, in tag order within each
    }
    list->First();
    TTovObjectItem* current = list->Current();
    list->Sort();
    EXPECT_EQ(list->Current(), current);
    // In key order, and in the old (tag) order among equal keys.
    const std::vector<std::pair<int, int>> actual = NumbersAndTags(*list);
    EXPECT_EQ(actual.size(), 200u);
    EXPECT_TRUE(std::is_sorted(actual.begin(), actual.end()));
    ExpectWellFormed(*list);
    // The rebuilt levels still serve deletion and insertion.
    std::unique_ptr<TTovObjectItem> five(list->Locate(5));
    ASSERT_NE(five, nullptr);
    list->Delete();
    EXPECT_EQ(list->Count(), 199);
    ExpectWellFormed(*list);
}

TEST(SortTest, AListSortedAfterUnsortedAddsStaysUsable) {
    TTovOwnedObjectList list(new TTovObjectList(&GetItemManager<TTestRow>()));
    for (int n : {5, 2, 8}) {
        list->Add(NewRow(n));
    }
    list->SetSortFields("Number");
    list->SetSorted(true);
    list->Add(NewRow(4));
    list->Add(NewRow(9));
    EXPECT_EQ(Column(*list, &TTestRow::Number), (std::vector<int>{2, 4, 5, 8, 9}));
    std::unique_ptr<TTovObjectItem> eight(list->Locate(8));
    ASSERT_NE(eight, nullptr);
    list->Delete();
    EXPECT_EQ(list->Locate(8), nullptr);
    ExpectWellFormed(*list);
}

TEST(DescriptorTest, SortFieldsAreUpperCasedAndChecked) {
    TTovObjectListDescriptor descriptor(&GetItemManager<TTestRow>());
    descriptor.SetSortFields(" number , \"Text\" stamp");
    EXPECT_EQ(descriptor.SortFields(), "NUMBER,TEXT,STAMP");
    EXPECT_EQ(descriptor.SortCount(), 3);
    EXPECT_EQ(descriptor.PropCount(), 6);
    try {
        descriptor.SetSortFields("Number,Colour");
        FAIL() << "no exception";
    } catch (const ETovObjectListError& e) {
        EXPECT_STREQ(e.what(), "Invalid property name COLOUR");
    }
    EXPECT_EQ(descriptor.SortFields(), "NUMBER,TEXT,STAMP"); // unchanged
}

TEST(DescriptorTest, SharedDescriptorSortsEveryListAndRefusesListSetters) {
    TTovObjectListDescriptor descriptor(&GetItemManager<TTestRow>());
    descriptor.SetSortFields("Number");
    TTovOwnedObjectList first(new TTovObjectList(nullptr, &descriptor));
    TTovOwnedObjectList second(new TTovObjectList(nullptr, &descriptor));
    EXPECT_EQ(&first->ItemClass(), &GetItemManager<TTestRow>());
    for (int n : {3, 1, 2}) {
        first->Add(NewRow(n));
        second->Add(NewRow(10 - n));
    }
    descriptor.SetSorted(true);
    EXPECT_EQ(static_cast<TTestRow*>(first->PeekFirst())->Number, 1);
    EXPECT_EQ(static_cast<TTestRow*>(second->PeekFirst())->Number, 7);
    try {
        first->SetSorted(false);
        FAIL() << "no exception";
    } catch (const ETovObjectListError& e) {
        EXPECT_STREQ(e.what(),
                     "ObjectList Sort properties can only be set with an internal descriptor");
    }
    EXPECT_THROW(second->SetSortFields("Text"), ETovObjectListError);
    EXPECT_TRUE(first->Sorted());
}

TEST(SkipListTest, LevelsFollowTheQuarterRuleAndNeverJumpAboveTopPlusOne) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    list->Descriptor().RandomGenerator().SetSeed(12345);
    int top = 1;
    std::map<int, int> levels;
    for (int i = 0; i < 20000; ++i) {
        list->Add(NewRow(i));
        auto* node = list->PeekLastNode();
        EXPECT_LE(node->Level(), top + 1);
        top = std::max(top, node->Level());
        ++levels[node->Level()];
    }
    // P(level 1) = 3/4, P(level 2) = 3/16: 15000 and 3750 expected.
    EXPECT_NEAR(levels[1], 15000, 300);
    EXPECT_NEAR(levels[2], 3750, 200);
    EXPECT_LE(top, TTovVirtualObjectItem::MaxLevel);
}

TEST(SkipListTest, SameSeedGivesTheSameShape) {
    auto shape = [](std::uint32_t seed) {
        TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
        list->Descriptor().RandomGenerator().SetSeed(seed);
        for (int i = 0; i < 500; ++i) {
            list->Add(NewRow((i * 7919) % 500));
        }
        std::vector<int> levels;
        for (auto* node = list->PeekFirstNode(); node->Item() != nullptr; node = node->Forward(1)) {
            levels.push_back(node->Level());
        }
        return levels;
    };
    EXPECT_EQ(shape(99), shape(99));
    EXPECT_NE(shape(99), shape(100));
}

TEST(SkipListTest, RandomInsertsAndDeletesMatchAModel) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    list->Descriptor().RandomGenerator().SetSeed(2024);
    std::map<int, bool> model;
    std::mt19937 random(42);
    for (int step = 0; step < 5000; ++step) {
        int key = static_cast<int>(random() % 400) - 200;
        if (random() % 3 != 0) {
            std::unique_ptr<TTestRow> row(NewRow(key));
            if (model.count(key) != 0) {
                EXPECT_THROW(list->Add(std::move(row)), Exception);
                EXPECT_NE(row, nullptr); // refused: still the caller's
            } else {
                list->Add(std::move(row));
                model[key] = true;
            }
        } else if (TTovObjectItem* found = list->Locate(key)) {
            list->Delete();
            delete found;
            model.erase(key);
        } else {
            EXPECT_EQ(model.count(key), 0u);
        }
        ASSERT_EQ(list->Count(), static_cast<int>(model.size()));
    }
    std::vector<int> expected;
    for (auto& [key, present] : model) {
        expected.push_back(key);
    }
    EXPECT_EQ(Column(*list, &TTestRow::Number), expected);
    ExpectWellFormed(*list);
}

TEST(SkipListTest, DeletingARecordWhoseKeyWasEditedKeepsTheListSound) {
    TTovOwnedObjectList list = MakeOwnedObjectList<TTestRow>("Number");
    list->Descriptor().RandomGenerator().SetSeed(5);
    std::vector<TTestRow*> rows;
    for (int i = 0; i < 300; ++i) {
        rows.push_back(list->Add(NewRow(i * 2)));
    }
    // Find the tallest node, change its key behind the list's back, then delete it.
    TTestRow* tallest = nullptr;
    int tallestLevel = 0;
    for (auto* node = list->PeekFirstNode(); node->Item() != nullptr; node = node->Forward(1)) {
        if (node->Level() > tallestLevel) {
            tallestLevel = node->Level();
            tallest = static_cast<TTestRow*>(node->Item());
        }
    }
    ASSERT_NE(tallest, nullptr);
    list->Locate(tallest->Number);
    tallest->Number = 100000;
    list->Delete();
    delete tallest;
    ExpectWellFormed(*list);
    EXPECT_EQ(list->Count(), 299);
    for (TTestRow* row : rows) {
        if (row != tallest) {
            EXPECT_EQ(list->Locate(row->Number), row);
        }
    }
}

} // namespace
} // namespace duebell::testing
