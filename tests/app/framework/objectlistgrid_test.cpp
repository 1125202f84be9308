#include "app/framework/gridcelltext.h"
#include "app/framework/objectlistgrid.h"
#include "domain/computedrecords.h"
#include "gridbook.h"
#include "objectlist/clock.h"
#include "support/qtapp.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace duebell {
namespace {

using testing::Cents;
using testing::Day;

enum TGridTestColour { gcRed, gcGreen, gcBlue };

// A record with the property kinds the loan book has few of.
class TGridTestRow : public TTovRecord<TGridTestRow> {
public:
    using TTovRecord::TTovRecord;
    std::string Code;
    bool Flag = false;
    TGridTestColour Colour = gcRed;
    char Initial = 'A';
    std::int64_t Big = 0;
    TDateTime Stamp;
    TDate Due;
    double Ratio = 0;
    TPercentage Rate;
    Currency Amount;

    static void DeclareProperties(TTovPropertyTable<TGridTestRow>& table) {
        table.Property("Code", &TGridTestRow::Code)
            .Property("Flag", &TGridTestRow::Flag)
            .Property("Colour", &TGridTestRow::Colour)
            .Property("Initial", &TGridTestRow::Initial)
            .Property("Big", &TGridTestRow::Big)
            .Property("Stamp", &TGridTestRow::Stamp)
            .Property("Due", &TGridTestRow::Due)
            .Property("Ratio", &TGridTestRow::Ratio)
            .Property("Rate", &TGridTestRow::Rate)
            .Property("Amount", &TGridTestRow::Amount);
    }
};

std::vector<std::string> RowTexts(TTovObjectListGrid& grid, int row) {
    std::vector<std::string> texts;
    for (int col = 0; col < grid.ColCount(); ++col)
        texts.push_back(grid.Cells(col, row));
    return texts;
}

TEST(GridCellText, EachKindInTheFixedFormats) {
    TGridTestRow row(nullptr);
    const auto text = [&](const char* name) {
        std::string shown = "(left alone)";
        PropertyCellText(row, *row.ItemManager().FindPropInfo(name), shown);
        return shown;
    };
    EXPECT_EQ(text("Flag"), "False");
    EXPECT_EQ(text("Due"), "");   // the empty date
    EXPECT_EQ(text("Stamp"), ""); // the empty date-time
    EXPECT_EQ(text("Amount"), "$0.00");
    row.Flag = true;
    row.Colour = gcBlue;
    row.Initial = 'Q';
    row.Big = -9000000000;
    row.Stamp = TDateTime(EncodeDate(2024, 2, 29) + EncodeTime(14, 30, 0, 0));
    row.Due = Day(2023, 3, 15);
    row.Ratio = 7.125;
    row.Rate = TPercentage{Currency::fromRaw(72500)};
    row.Amount = Cents(-123450);
    EXPECT_EQ(text("Flag"), "True");
    EXPECT_EQ(text("Colour"), "2");
    EXPECT_EQ(text("Initial"), "Q");
    EXPECT_EQ(text("Big"), "-9000000000");
    EXPECT_EQ(text("Stamp"), "29/02/2024 14:30:00");
    EXPECT_EQ(text("Due"), "15/03/2023");
    EXPECT_EQ(text("Ratio"), "7.125");
    EXPECT_EQ(text("Rate"), "7.25");
    EXPECT_EQ(text("Amount"), "-$1,234.50");
    row.Stamp = TDateTime(EncodeDate(2024, 2, 29)); // midnight: the date alone
    row.Amount = Cents(123456789);
    EXPECT_EQ(text("Stamp"), "29/02/2024");
    EXPECT_EQ(text("Amount"), "$1,234,567.89");
}

TEST(GridCellText, TheBandingShadeStopsAtBlack) {
    const struct {
        TColor window;
        TColor shade;
    } cases[] = {
        {clWhite, RGB(239, 239, 239)},
        {RGB(200, 100, 50), RGB(184, 84, 34)},
        {RGB(10, 20, 5), RGB(0, 4, 0)}, // an 8-bit wrap would give nearly white
        {clBlack, clBlack},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShadeColor(c.window), c.shade) << std::hex << c.window;
}

class LoanGrid : public ::testing::Test {
protected:
    void SetUp() override {
        grid.AddColumn("Loan Number", "LoanNumber", 80);
        grid.AddColumn("Client Name", "ClientName", 120);
        grid.AddColumn("Property Address", "PropertyAddress", 200);
        grid.AddColumn("Amount", "ContractAmount", 90); // a property of the contract
        grid.AddColumn("Drawn", "PossessionDate", 80);
        grid.AddColumn("Nothing", "NoSuchProperty", 40);
        grid.OnClick = [this] { ++clicks; };
        const char* surnames[] = {"Smith", "Nguyen", "Brown", "Lee", "Jones"};
        for (int n = 1; n <= 5; ++n)
            book.AddLoan(n, surnames[n - 1], "Toowong", Day(2024, 1, n), Cents(25000000 + n));
        loan(2).Contract->PossessionDate = TDate();
    }
    TMorvaneMortgage& loan(int n) {
        return *static_cast<TMorvaneMortgage*>(
            book.Book().Mortgages->LocateNoMove(Variant(FormatInt(n, 7))));
    }

    testing::GridBook book;
    TTovObjectListGrid grid;
    // Every refill keeps the grid's item model consistent for its view.
    QAbstractItemModelTester modelTester{grid.model(),
                                         QAbstractItemModelTester::FailureReportingMode::Fatal};
    int clicks = 0;
};

TEST_F(LoanGrid, LoansShownInTheColumnsTheirPropertiesName) {
    EXPECT_EQ(grid.Column(2).Caption(), "Property Address");
    EXPECT_EQ(grid.Column(2).Width(), 200);
    grid.SetObjectList(book.Book().Mortgages.get());
    grid.RefreshGrid();
    ASSERT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(RowTexts(grid, 0),
              (std::vector<std::string>{"Loan Number", "Client Name", "Property Address", "Amount",
                                        "Drawn", "Nothing"}));
    EXPECT_EQ(RowTexts(grid, 1),
              (std::vector<std::string>{"0000001", "Smith, Pat", "1 Main St, Toowong, QLD, 4000",
                                        "$250,000.01", "01/01/2024", ""}));
    EXPECT_EQ(RowTexts(grid, 2),
              (std::vector<std::string>{"0000002", "Nguyen, Pat", "2 Main St, Toowong, QLD, 4000",
                                        "$250,000.02", "", ""}));
    EXPECT_EQ(grid.Cells(0, 5), "0000005");
    // Each row holds its loan.
    EXPECT_EQ(grid.RowObjects(3), std::vector<TTovObject*>{&loan(3)});
    EXPECT_EQ(grid.FindRow(&loan(4)), 4);
    EXPECT_EQ(grid.FindRow(book.Book().Clients->PeekFirst()), -1);
}

TEST_F(LoanGrid, EverySecondDataRowIsBanded) {
    const QPalette before = QApplication::palette();
    for (QColor window : {QColor(255, 255, 255), QColor(8, 40, 12)}) {
        QPalette palette = before;
        palette.setColor(QPalette::Base, window);
        palette.setColor(QPalette::Window, window);
        QApplication::setPalette(palette);
        grid.SetObjectList(book.Book().Mortgages.get());
        grid.RefreshGrid();
        const TColor shade = ShadeColor(RGB(window.red(), window.green(), window.blue()));
        for (int row = 1; row <= 5; ++row) {
            const TCellProperties* set = grid.Styles().FindRow(row);
            const bool banded = set != nullptr && set->Brush().has_value();
            EXPECT_EQ(banded, row % 2 == 0) << row;
            if (banded) {
                EXPECT_EQ(set->Brush()->Color, shade) << row;
            }
        }
    }
    QApplication::setPalette(before);
    EXPECT_EQ(ShadeColor(RGB(8, 40, 12)), RGB(0, 24, 0));
}

TEST_F(LoanGrid, RefreshKeepsTheSelectedRow) {
    grid.SetObjectList(book.Book().Mortgages.get());
    grid.RefreshGrid();
    // Loan numbers are no date: a new list leaves the refill on its first row.
    EXPECT_EQ(grid.Row(), 1);
    const int before = clicks;
    grid.SelectRow(4);
    EXPECT_EQ(clicks, before + 1);
    EXPECT_EQ(grid.SelectedObjects(), std::vector<TTovObject*>{&loan(4)});
    book.AddLoan(9, "Zhu", "Ashgrove", Day(2024, 2, 1), Cents(100));
    grid.RefreshGrid();
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(grid.RowCount(), 7);
    grid.SetObjectList(book.Book().Mortgages.get()); // the same list again
    grid.RefreshGrid();
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(grid.SelectedObjects(), std::vector<TTovObject*>{&loan(4)});
}

TEST_F(LoanGrid, ANewListSortedByDateSelectsItsLatestRecord) {
    const ScopedFixedClock clock(EncodeDate(2024, 6, 30) + 0.5);
    TMorvaneMortgage& first = loan(1);
    book.AddPayment(first, Day(2024, 2, 1), Cents(150000));
    book.AddPayment(first, Day(2024, 3, 1), Cents(150000));
    book.AddPayment(first, Day(2024, 4, 2), Cents(99));
    grid.SetObjectList(book.Book().Mortgages.get());
    grid.RefreshGrid();
    grid.SelectRow(2);

    grid.SetObjectList(first.LoanTransactions.get());
    grid.RefreshGrid();
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.SelectedObjects(), std::vector<TTovObject*>{first.LoanTransactions->PeekLast()});
    // Refreshing it again keeps the row the user chose.
    grid.SelectRow(1);
    grid.RefreshGrid();
    EXPECT_EQ(grid.Row(), 1);

    // The loan's ledger, one row per day, dated first.
    first.BuildLedger();
    TTovObjectList& days = *first.LocalTransactionDays;
    TTovObjectListGrid ledger;
    ledger.AddColumn("Date", "TransactionDate", 80);
    ledger.AddColumn("Balance", "Balance", 100);
    ledger.AddColumn("Rate", "ActualRate", 50);
    ledger.AddColumn("Interest", "DailyInterest", 70);
    ledger.SetObjectList(&days);
    ledger.RefreshGrid();
    ASSERT_EQ(ledger.RowCount(), days.Count() + 1);
    EXPECT_EQ(ledger.Row(), days.Count());
    // 240,000.00 drawn on 01/01/2024 (the amount less the 10,000 deposit) at 7.25%:
    // 240,000.01 x 0.0725 / 366 = 47.54 a day.
    EXPECT_EQ(RowTexts(ledger, 1),
              (std::vector<std::string>{"01/01/2024", "$240,000.01", "7.25", "$47.54"}));
    const auto* last = static_cast<TMorvaneLocalTransactionDay*>(days.PeekLast());
    EXPECT_EQ(ledger.Cells(0, ledger.Row()), DateToStr(last->TransactionDate.value));
}

TEST_F(LoanGrid, ARowShrinkingBelowTheSelectionFallsBackToTheRefill) {
    grid.SetObjectList(book.Book().Mortgages.get());
    grid.RefreshGrid();
    grid.SelectRow(5);
    for (int n = 3; n <= 5; ++n) {
        TTovObjectItem* gone = book.Book().Mortgages->Locate(Variant(FormatInt(n, 7)));
        book.Book().Mortgages->Delete();
        delete gone;
    }
    grid.RefreshGrid();
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.SelectedObjects(), std::vector<TTovObject*>{&loan(1)});
}

TEST_F(LoanGrid, AnEmptyOrMissingListShowsOneBlankRowAndSelectsNothing) {
    grid.SetObjectList(book.Book().Mortgages.get());
    grid.RefreshGrid();
    EXPECT_EQ(grid.SelectedObjects().size(), 1u);
    for (TTovObjectList* list :
         {static_cast<TTovObjectList*>(nullptr), book.Book().ClearedDuebells.get()}) {
        const int before = clicks;
        grid.SetObjectList(list);
        grid.RefreshGrid();
        EXPECT_EQ(grid.RowCount(), 2);
        EXPECT_EQ(RowTexts(grid, 1), std::vector<std::string>(6));
        EXPECT_TRUE(grid.SelectedObjects().empty());
        EXPECT_TRUE(grid.RowObjects(1).empty());
        EXPECT_EQ(clicks, before + 1) << "the refresh runs the click logic";
    }
}

TEST_F(LoanGrid, SubListsGiveARowPerChildRecordWithItsParentsFields) {
    book.AddPayment(loan(1), Day(2024, 2, 1), Cents(150000));
    book.AddPayment(loan(1), Day(2024, 3, 1), Cents(150050));
    book.AddPayment(loan(3), Day(2024, 2, 3), Cents(-2500));
    grid.AddColumn("Paid", "TransactionAmount", 80);
    grid.AddColumn("On", "TransactionDate", 80);
    grid.SetSubLists("LoanTransactions");
    grid.SetObjectList(book.Book().Mortgages.get());
    grid.RefreshGrid();
    ASSERT_EQ(grid.RowCount(), 4); // loans without payments give no row
    EXPECT_EQ(grid.Cells(0, 1), "0000001");
    EXPECT_EQ(grid.Cells(6, 1), "$1,500.00");
    EXPECT_EQ(grid.Cells(7, 2), "01/03/2024");
    EXPECT_EQ(grid.Cells(1, 3), "Brown, Pat");
    EXPECT_EQ(grid.Cells(6, 3), "-$25.00");
    TTovObjectList* payments = loan(3).LoanTransactions.get();
    EXPECT_EQ(grid.RowObjects(3),
              (std::vector<TTovObject*>{&loan(3), payments, payments->PeekFirst()}));

    // A filter drops records from the rows.
    grid.OnFilterRecord = [](TTovObjectItem* item, TTovSubItem*, TTovObjectList*, bool& include) {
        include = static_cast<TMorvaneLoanTransaction*>(item)->TransactionAmount > Currency();
    };
    grid.RefreshGrid();
    EXPECT_EQ(grid.RowCount(), 3);
}

TEST_F(LoanGrid, DeleteSelectedFreesTheRecordsOfTheRow) {
    grid.SetObjectList(book.Book().Mortgages.get());
    grid.RefreshGrid();
    grid.SelectRow(2);
    const int loans = TMorvaneMortgage::ClassManager().InstanceCount();
    grid.DeleteSelected();
    EXPECT_EQ(TMorvaneMortgage::ClassManager().InstanceCount(), loans - 1);
    EXPECT_EQ(book.Book().Mortgages->LocateNoMove(Variant("0000002")), nullptr);
    EXPECT_EQ(book.Book().Mortgages->Count(), 4);
    EXPECT_TRUE(grid.SelectedObjects().empty()) << "the deleted loan is not selected any more";
    grid.RefreshGrid();
    EXPECT_EQ(grid.Cells(0, 2), "0000003");

    // The last record gone: the data row is blanked.
    for (int left = 4; left > 0; --left) {
        grid.SelectRow(1);
        grid.DeleteSelected();
        grid.RefreshGrid();
    }
    EXPECT_EQ(book.Book().Mortgages->Count(), 0);
    EXPECT_EQ(RowTexts(grid, 1), std::vector<std::string>(6));
    grid.DeleteSelected(); // nothing selected: nothing happens
}

TEST_F(LoanGrid, RowsForgetRecordsTheirListNoLongerHolds) {
    grid.SetObjectList(book.Book().Mortgages.get());
    grid.RefreshGrid();
    grid.SelectRow(3);
    TMorvaneMortgage& third = loan(3);
    book.Book().Mortgages->Locate(Variant("0000003"));
    book.Book().Mortgages->Delete();
    delete &third;
    EXPECT_TRUE(grid.RowObjects(3).empty());
    EXPECT_TRUE(grid.SelectedObjects().empty());
    EXPECT_EQ(grid.RowObjects(4), std::vector<TTovObject*>{&loan(4)});
    EXPECT_EQ(grid.Cells(0, 3), "0000003") << "the texts stay until the refresh";
    grid.resize(600, 200);
    EXPECT_FALSE(grid.grab().isNull()); // painting reads texts only

    book.Book().Mortgages->FreeAll();
    for (int row = 1; row < grid.RowCount(); ++row)
        EXPECT_TRUE(grid.RowObjects(row).empty()) << row;
}

TEST_F(LoanGrid, AShownListThatGoesAwayLeavesTheGridWithNone) {
    auto list = MakeOwnedObjectList<TGridTestRow>("Code");
    for (const char* code : {"A", "B"}) {
        auto row = MakeItem<TGridTestRow>(nullptr);
        row->Code = code;
        list->Add(std::move(row));
    }
    grid.SetObjectList(list.get());
    grid.RefreshGrid();
    ASSERT_EQ(grid.RowObjects(2).size(), 1u);
    list.reset(); // frees the records, then the list
    EXPECT_EQ(grid.ObjectList(), nullptr);
    EXPECT_TRUE(grid.RowObjects(1).empty());
    EXPECT_TRUE(grid.SelectedObjects().empty());
    grid.resize(600, 200);
    EXPECT_FALSE(grid.grab().isNull());
    grid.RefreshGrid();
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cells(0, 1), "");
}

TEST_F(LoanGrid, ChildRecordsAndListsThatGoAwayLeaveTheirRows) {
    book.AddPayment(loan(1), Day(2024, 2, 1), Cents(150000));
    book.AddPayment(loan(1), Day(2024, 3, 1), Cents(150050));
    book.AddPayment(loan(2), Day(2024, 2, 3), Cents(2500));
    grid.SetSubLists("LoanTransactions");
    grid.SetObjectList(book.Book().Mortgages.get());
    grid.RefreshGrid();
    ASSERT_EQ(grid.RowCount(), 4);

    // A payment deleted from its loan's own list: only the loan's list is told.
    TTovObjectList& payments = *loan(1).LoanTransactions;
    std::unique_ptr<TTovObjectItem> gone(payments.First());
    payments.Delete();
    EXPECT_TRUE(grid.RowObjects(1).empty());
    EXPECT_EQ(grid.RowObjects(2).size(), 3u);

    // A loan freed with its payments: its rows forget it and the grid its payment list.
    TTovObjectItem* second = book.Book().Mortgages->Locate(Variant("0000002"));
    book.Book().Mortgages->Delete();
    delete second;
    EXPECT_TRUE(grid.RowObjects(3).empty());
    grid.RefreshGrid();
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST_F(LoanGrid, ARecalculatedLedgerLeavesNoRowPointingAtOldDays) {
    const ScopedFixedClock clock(EncodeDate(2024, 6, 30) + 0.5);
    TMorvaneMortgage& first = loan(1);
    first.BuildLedger();
    grid.SetObjectList(first.LocalTransactionDays.get());
    grid.RefreshGrid();
    const int rows = grid.RowCount();
    ASSERT_GT(rows, 100);
    book.AddPayment(first, Day(2024, 3, 1), Cents(500000));
    first.BuildLedger();
    for (int row = 1; row < rows; ++row)
        ASSERT_TRUE(grid.RowObjects(row).empty()) << row;
    grid.RefreshGrid();
    EXPECT_EQ(grid.RowObjects(rows - 1).size(), 1u);
}

} // namespace
} // namespace duebell
