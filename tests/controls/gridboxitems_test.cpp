#include "controls/gridboxitems.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

// The box as the item list sees it: its text, and a count of change notifications.
struct FakeBox : GridBoxHost {
    std::string text;
    int changes = 0;
    bool modified = false;
    std::vector<int> indexesSeen;
    GridBoxItems* items = nullptr;
    std::string BoxText() const override { return text; }
    void SetBoxText(const std::string& t) override { text = t; }
    void BoxChanged() override {
        ++changes;
        if (items != nullptr)
            indexesSeen.push_back(items->ItemIndex());
    }
    void SetBoxModified() override { modified = true; }
};

class GridBoxItemsTest : public ::testing::Test {
protected:
    GridBoxItemsTest() { box.items = &items; }
    // A loan-style pick list: codes in column 0, a name beside them.
    void RowList(int count) {
        items.SetSelectType(stRow);
        items.SetDropDownCols(2);
        for (int i = 0; i < count; ++i) {
            const int row = items.Add("000000" + std::to_string(i + 1));
            items.SetCell(row, 1, "Client " + std::to_string(i + 1));
        }
    }
    StringGridData grid;
    FakeBox box;
    GridBoxItems items{grid, box};
};

TEST_F(GridBoxItemsTest, ANewBoxHasNoItemsAndNoSelection) {
    EXPECT_EQ(items.ItemIndex(), -1);
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(items.SelectType(), stCell);
    EXPECT_EQ(items.Style(), gsDropDown);
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.FixedRows(), 0);
    EXPECT_EQ(grid.DefaultRowHeight(), 16);
    box.text = "typed";
    items.Add("a");
    items.Add("b");
    EXPECT_EQ(box.text, "typed");
    EXPECT_EQ(box.changes, 0);
}

TEST_F(GridBoxItemsTest, RowItemsAreCommaTextWithTheCodeInColumnZero) {
    items.SetSelectType(stRow);
    items.SetDropDownCols(2);
    const int row = items.Add("0000001");
    items.SetCell(row, 1, "Smith, John");
    EXPECT_EQ(items.GetCell(0, 0), "0000001");
    EXPECT_EQ(items.FindRow("0000001"), 0);
    EXPECT_EQ(items.Get(0), "0000001,\"Smith, John\"");
    EXPECT_EQ(items.IndexOf("0000001"), -1);
    EXPECT_EQ(items.IndexOf("0000001,\"SMITH, JOHN\""), 0);
    EXPECT_EQ(items.Count(), 1);
    items.Put(0, "0000009,Jones");
    EXPECT_EQ(grid.Cells(1, 0), "Jones");
    EXPECT_EQ(items.FindRow("0000009"), 0);
    EXPECT_EQ(items.FindRow("0000009 "), -1);
}

TEST_F(GridBoxItemsTest, CellItemsAreCountedAlongTheRows) {
    items.SetDropDownCols(3);
    for (const char* s : {"a", "b", "c", "d", "e", "f", "g"})
        items.Add(s);
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.Cells(1, 1), "e");
    EXPECT_EQ(items.GetCell(4, 2), "e"); // stCell ignores the column
    EXPECT_EQ(items.IndexOf("E"), 4);
    items.Delete(0);
    EXPECT_EQ(grid.RowCount(), 2); // six items fill two rows of three
    EXPECT_EQ(items.Get(0), "b");
    EXPECT_EQ(grid.Cells(0, 2), "");
}

TEST_F(GridBoxItemsTest, SelectingFiresOnChangeOnceAndSetsTheCode) {
    RowList(3);
    items.SetItemIndex(0);
    EXPECT_EQ(box.text, "0000001");
    EXPECT_EQ(box.changes, 1);
    EXPECT_TRUE(box.modified);
    items.SetItemIndex(0);
    EXPECT_EQ(box.changes, 1);
    EXPECT_EQ(grid.Row(), 0);
    items.SetItemIndex(2);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_THROW(items.SetItemIndex(3), ERangeError);
    EXPECT_EQ(items.ItemIndex(), 2);
    EXPECT_EQ(box.changes, 2);
}

TEST_F(GridBoxItemsTest, NegativeIndexesAllMeanNoSelection) {
    RowList(2);
    items.SetItemIndex(-7);
    EXPECT_EQ(items.ItemIndex(), -1);
    EXPECT_EQ(box.changes, 0); // was already -1: nothing to report
    items.SetItemIndex(1);
    items.SetItemIndex(-3);
    EXPECT_EQ(items.ItemIndex(), -1);
    EXPECT_EQ(box.text, "");
    items.AcceptValue(-9);
    EXPECT_EQ(box.changes, 2);
}

TEST_F(GridBoxItemsTest, ClearingASelectionClearsTheText) {
    RowList(3);
    items.SetItemIndex(1);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(box.text, "");
    EXPECT_EQ(box.changes, 2);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Cells(0, 0), "");
}

TEST_F(GridBoxItemsTest, DeletingTheSelectedLastItemSelectsTheNewLastOne) {
    RowList(3);
    items.SetItemIndex(2);
    items.Delete(2);
    EXPECT_EQ(items.ItemIndex(), 1);
    EXPECT_EQ(box.text, "0000002");
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST_F(GridBoxItemsTest, DeletingKeepsTheSelectionOnItsRecordAndObjectsWithTheirTexts) {
    RowList(4);
    int records[4] = {1, 2, 3, 4};
    for (int i = 0; i < 4; ++i)
        items.PutObject(i, &records[i]);
    items.SetItemIndex(2);
    const int changes = box.changes;
    items.Delete(0);
    EXPECT_EQ(items.ItemIndex(), 1);
    EXPECT_EQ(items.GetCell(1, 0), "0000003");
    EXPECT_EQ(box.text, "0000003");
    EXPECT_EQ(box.changes, changes); // the same record stays chosen: no change to report
    EXPECT_EQ(items.GetObject(0), &records[1]);
    EXPECT_EQ(items.GetObject(1), &records[2]);
    EXPECT_EQ(items.GetObject(2), &records[3]);
    EXPECT_EQ(grid.Cells(1, 2), "Client 4");
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(GridBoxItemsTest, DeletingTheSelectedItemInTheMiddleChoosesTheNextWithItsText) {
    RowList(3);
    items.SetItemIndex(1);
    box.indexesSeen.clear();
    items.Delete(1);
    EXPECT_EQ(items.ItemIndex(), 1);
    EXPECT_EQ(box.text, "0000003");
    EXPECT_EQ(box.indexesSeen, std::vector<int>{1});
}

TEST_F(GridBoxItemsTest, DeletingTheOnlyItemClearsTheText) {
    RowList(1);
    box.text = "0000001"; // shown, but not chosen from the list
    items.Delete(0);
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(box.text, "");
    EXPECT_EQ(box.changes, 1);
    RowList(1);
    items.SetItemIndex(0);
    items.Delete(0);
    EXPECT_EQ(items.ItemIndex(), -1);
    EXPECT_EQ(box.text, "");
    EXPECT_EQ(grid.Cells(0, 0), "");
}

TEST_F(GridBoxItemsTest, InsertingMovesObjectsAndKeepsTheSelection) {
    RowList(2);
    int a = 1;
    items.PutObject(0, &a);
    items.SetItemIndex(1);
    items.Insert(0, "0000000,First");
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(items.GetCell(0, 1), "First");
    EXPECT_EQ(items.GetObject(1), &a);
    EXPECT_EQ(items.ItemIndex(), 2);
    EXPECT_EQ(box.text, "0000002");
    EXPECT_THROW(items.Insert(5, "x"), ERangeError);
}

TEST_F(GridBoxItemsTest, TypedTextFindsItsItemInTheTypingStyle) {
    for (const char* s : {"Weekly", "Fortnightly", "Monthly"})
        items.Add(s);
    box.text = "monthly";
    items.TextChanged();
    EXPECT_EQ(box.changes, 1);
    EXPECT_EQ(items.ItemIndex(), 2);
    box.text = "";
    items.TextChanged();
    EXPECT_EQ(items.ItemIndex(), -1);
    items.SetStyle(gsDropDownList);
    box.text = "Weekly";
    items.TextChanged();
    EXPECT_EQ(items.ItemIndex(), -1);
}

TEST_F(GridBoxItemsTest, ListStylesStepWithTheCursorKeysAndSwallowTheRest) {
    RowList(3);
    items.SetStyle(gsDropDownList);
    EXPECT_EQ(items.HandleKey(GridBoxKey::Other), KeyResult::Consumed);
    EXPECT_EQ(box.text, "");
    items.HandleKey(GridBoxKey::Down);
    EXPECT_EQ(items.ItemIndex(), 0);
    items.HandleKey(GridBoxKey::Right);
    items.HandleKey(GridBoxKey::PageDown);
    EXPECT_EQ(items.ItemIndex(), 2);
    const int changes = box.changes;
    items.HandleKey(GridBoxKey::Down);
    EXPECT_EQ(items.ItemIndex(), 2);
    EXPECT_EQ(box.changes, changes);
    items.HandleKey(GridBoxKey::Left);
    EXPECT_EQ(items.ItemIndex(), 1);
    items.SetStyle(gsDropDown);
    EXPECT_EQ(items.ItemIndex(), -1);
    EXPECT_EQ(items.HandleKey(GridBoxKey::Other), KeyResult::NotHandled);
    EXPECT_EQ(items.HandleKey(GridBoxKey::Left), KeyResult::NotHandled);
    EXPECT_EQ(items.HandleKey(GridBoxKey::Down), KeyResult::ConsumedSelectText);
    EXPECT_EQ(items.ItemIndex(), 0);
}

TEST_F(GridBoxItemsTest, NegativeShapeValuesBecomeOne) {
    items.SetDropDownCols(-3);
    EXPECT_EQ(items.DropDownCols(), 1);
    items.SetDropDownRows(-1);
    EXPECT_EQ(items.DropDownRows(), 1);
}

TEST_F(GridBoxItemsTest, ChangingTheSelectTypeClearsTheItems) {
    for (const char* s : {"a", "b"})
        items.Add(s);
    items.SetItemIndex(1);
    items.SetSelectType(stRow);
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(box.text, "");
    EXPECT_TRUE(grid.HasOption(goRowSelect));
}

TEST_F(GridBoxItemsTest, PickingMapsCellsToItems) {
    items.SetDropDownCols(3);
    for (const char* s : {"a", "b", "c", "d"})
        items.Add(s);
    EXPECT_TRUE(items.CanSelectCell(0, 1));
    EXPECT_FALSE(items.CanSelectCell(1, 1));
    EXPECT_FALSE(items.CanSelectCell(-1, 0));
    int col = 9;
    EXPECT_EQ(items.ItemOfCell(2, 0, col), 2);
    EXPECT_EQ(col, -1);
    items.SetPopupValue(3);
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(items.PopupValue(), 3);
    items.SetPopupValue(-1);
    EXPECT_EQ(items.PopupValue(), 0);
}

TEST_F(GridBoxItemsTest, DropDownSizeForTheVisibleRows) {
    // Three columns of 80, 120 and 200 pixels, 16-pixel rows, 1-pixel lines, 10 rows of which
    // 5 show: 5 x (16 + 1) + 2 border = 87 high; 400 + 3 x 1 + 16 scroll bar + 2 = 421 wide.
    items.SetSelectType(stRow);
    items.SetDropDownCols(3);
    items.SetColWidth(0, 80);
    items.SetColWidth(1, 120);
    items.SetColWidth(2, 200);
    for (int i = 0; i < 10; ++i)
        items.Add(std::to_string(i));
    EXPECT_TRUE(items.SizeMarked());
    EXPECT_EQ(items.DropDownSize(16, 2, 2), QSize(421, 87));
    EXPECT_FALSE(items.SizeMarked());
    // Fewer rows than DropDownRows: only those, and no scroll bar.
    for (int i = 0; i < 7; ++i)
        items.Delete(0);
    EXPECT_TRUE(items.SizeMarked());
    EXPECT_EQ(items.DropDownSize(16, 2, 2), QSize(405, 3 * 17 + 2));
    // Without lines each way counts one extra pixel; default widths multiply out.
    items.SetGridLines(glNone);
    items.SetDefaultColWidth(50);
    EXPECT_EQ(items.DropDownSize(16, 2, 2), QSize(3 * 50 + 2 + 1, 3 * 16 + 2 + 1));
}

TEST_F(GridBoxItemsTest, TypingInAListChoosesByTheBeginningOfTheCode) {
    items.SetStyle(gsDropDownList);
    items.Assign({"Apple", "banana", "Blueberry", "Cherry", "Bay"});
    box.changes = 0;
    // Each row: what has been typed so far, and the item then chosen.
    const std::pair<const char*, int> typing[] = {
        {"b", 1},  {"bb", 2},  {"bbb", 4}, {"bbbb", 1}, // one letter steps round its items
        {"c", 3},                                       // another letter
        {"bl", 2}, {"blu", 2},                          // a longer beginning keeps its item
        {"x", 2},                                       // nothing begins so: no change
    };
    for (const auto& [typed, chosen] : typing) {
        items.SelectByPrefix(typed);
        EXPECT_EQ(items.ItemIndex(), chosen) << typed;
    }
    EXPECT_FALSE(items.SelectByPrefix("zz"));
    EXPECT_EQ(box.text, "Blueberry");
    EXPECT_EQ(box.changes, 6); // "blu" and the misses chose nothing new
}

} // namespace
} // namespace duebell
