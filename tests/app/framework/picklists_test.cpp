#include "app/framework/picklists.h"
#include "controls/gridbox.h"
#include "domain/clients.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "support/qtapp.h"

#include <gtest/gtest.h>
#include <memory>

namespace duebell {
namespace {

class PickLists : public ::testing::Test {
protected:
    void SetUp() override {
        SetData(std::unique_ptr<TMorvaneData>(CreateItem<TMorvaneData>(nullptr)));
        box.OnChange = [this] { ++changes; };
        box.SetStyle(gsDropDownList);
    }
    void TearDown() override { SetData(nullptr); }

    TMorvaneClient* AddClient(const std::string& code, const std::string& surname,
                              const std::string& given) {
        auto client = MakeItem<TMorvaneClient>(Data());
        client->ClientCode = code;
        client->Surname = surname;
        client->GivenNames = given;
        return Data()->Clients->Add(std::move(client));
    }
    void AddProperty(const std::string& code, const std::string& no, const std::string& street,
                     const std::string& suburb) {
        auto property = MakeItem<TMorvaneProperty>(Data());
        property->PropertyCode = code;
        property->Address->StreetNo = no;
        property->Address->StreetName = street;
        property->Address->Suburb = suburb;
        property->Address->State = "QLD";
        property->Address->PostCode = "4000";
        Data()->Properties->Add(std::move(property));
    }
    void AddLoan(const std::string& number, const std::string& client,
                 const std::string& property) {
        auto loan = MakeItem<TMorvaneMortgage>(Data());
        loan->LoanNumber = number;
        loan->ClientCode = client;
        loan->PropertyCode = property;
        Data()->Mortgages->Add(std::move(loan));
    }
    void DeleteClient(const std::string& code) {
        TTovObjectItem* client = Data()->Clients->Locate(Variant(code));
        ASSERT_NE(client, nullptr);
        Data()->Clients->Delete();
        delete client;
    }

    TGridBox box;
    int changes = 0;
};

TEST_F(PickLists, ClientsInKeyOrderWithTheirNames) {
    AddClient("0000002", "Nguyen", "Anh");
    AddClient("0000001", "Smith", "John");
    FillClientPickList(box);
    EXPECT_EQ(box.SelectType(), stRow);
    EXPECT_EQ(box.DropDownCols(), 2);
    EXPECT_EQ(box.DefaultRowHeight(), 16);
    EXPECT_EQ(box.DropDownGrid()->Grid()->ColWidths(0), 80);
    EXPECT_EQ(box.DropDownGrid()->Grid()->ColWidths(1), 200);
    ASSERT_EQ(box.Items().Count(), 2);
    EXPECT_EQ(box.GetCell(0, 0), "0000001");
    EXPECT_EQ(box.GetCell(0, 1), "Smith, John");
    EXPECT_EQ(box.GetCell(1, 1), "Nguyen, Anh");
    EXPECT_EQ(box.ItemIndex(), -1);
    EXPECT_EQ(changes, 0);
}

TEST_F(PickLists, PropertiesWithTheirAddresses) {
    AddProperty("0000001", "12", "Main St", "Hilltop");
    FillPropertyPickList(box);
    ASSERT_EQ(box.Items().Count(), 1);
    EXPECT_EQ(box.GetCell(0, 0), "0000001");
    EXPECT_EQ(box.GetCell(0, 1), "12 Main St, Hilltop, QLD, 4000");
}

TEST_F(PickLists, LoansWithTheirClientAndPropertyInThreeColumns) {
    AddClient("0000001", "Smith", "John");
    AddProperty("0000004", "5", "Creek St", "Ipswich");
    AddLoan("0000001", "0000001", "0000004");
    AddLoan("0000002", "0000009", "0000009"); // points at nothing: empty columns
    FillMortgagePickList(box);
    EXPECT_EQ(box.DropDownCols(), 3);
    EXPECT_EQ(box.DropDownGrid()->Grid()->ColWidths(1), 120);
    EXPECT_EQ(box.DropDownGrid()->Grid()->ColWidths(2), 200);
    ASSERT_EQ(box.Items().Count(), 2);
    EXPECT_EQ(box.GetCell(0, 1), "Smith, John");
    EXPECT_EQ(box.GetCell(0, 2), "5 Creek St, Ipswich, QLD, 4000");
    EXPECT_EQ(box.GetCell(1, 0), "0000002");
    EXPECT_EQ(box.GetCell(1, 1), "");
}

TEST_F(PickLists, ARefillKeepsTheChosenCodeAndReportsOneChange) {
    AddClient("0000001", "Smith", "John");
    AddClient("0000003", "Lee", "Sam");
    FillClientPickList(box);
    box.SetItemIndex(box.FindRow("0000003"));
    ASSERT_EQ(box.Text(), "0000003");
    changes = 0;
    std::vector<std::string> codesSeen;
    box.OnChange = [&] {
        ++changes;
        codesSeen.push_back(box.Text().toStdString());
    };
    AddClient("0000002", "Brown", "Mary"); // the chosen row moves down one place
    FillClientPickList(box);
    EXPECT_EQ(box.ItemIndex(), 2);
    EXPECT_EQ(box.Text(), "0000003");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(codesSeen, std::vector<std::string>{"0000003"}); // never an empty code on the way
}

// The drop-down's view, brought up to date once after the rows are in, shows every row at the
// pick list's row height and column widths, also after a refill of more rows.
TEST_F(PickLists, TheDropDownShowsEveryRowOfARefill) {
    AddClient("0000001", "Smith", "John");
    FillClientPickList(box);
    AddClient("0000002", "Brown", "Mary");
    AddClient("0000003", "Lee", "Sam");
    FillClientPickList(box);
    const TGrid& view = *box.DropDownGrid()->Grid();
    ASSERT_EQ(view.model()->rowCount(), 3);
    ASSERT_EQ(view.model()->columnCount(), 2);
    EXPECT_EQ(view.model()->index(2, 0).data().toString(), "0000003");
    EXPECT_EQ(view.model()->index(1, 1).data().toString(), "Brown, Mary");
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(view.rowHeight(row), view.rowHeight(0)) << row;
    EXPECT_GE(view.rowHeight(2), 16);
    EXPECT_GE(view.columnWidth(1), 200);
    EXPECT_GE(view.columnWidth(0), 80);
    EXPECT_LT(view.columnWidth(0), 200);
}

TEST_F(PickLists, AShownCodeThatWasNotChosenIsChosenByTheFill) {
    AddClient("0000001", "Smith", "John");
    box.SetText("0000001"); // as the binder puts a record's code into a list box
    changes = 0;
    FillClientPickList(box);
    EXPECT_EQ(box.ItemIndex(), 0);
    EXPECT_EQ(changes, 1);
}

TEST_F(PickLists, ACodeNoLongerInTheListEndsWithNoRowChosen) {
    AddClient("0000001", "Smith", "John");
    AddClient("0000002", "Lee", "Sam");
    FillClientPickList(box);
    box.SetItemIndex(1);
    changes = 0;
    DeleteClient("0000002");
    FillClientPickList(box);
    EXPECT_EQ(box.ItemIndex(), -1);
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(box.Items().Count(), 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(PickLists, AnEmptyListOrNoLoanBookLeavesNothing) {
    FillMortgagePickList(box);
    EXPECT_EQ(box.Items().Count(), 0);
    EXPECT_EQ(box.ItemIndex(), -1);
    SetData(nullptr);
    FillClientPickList(box);
    EXPECT_EQ(box.Items().Count(), 0);
    EXPECT_EQ(changes, 0);
}

} // namespace
} // namespace duebell
