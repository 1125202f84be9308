// The loan search dialog and its button: what the results list for each choice of "Search By"
// (every loan for an empty text), the choice that OK gives, and the button that puts the loan
// found into its pick list. The dialog is also grabbed as the user sees it.
#include "app/dialogs/mortgagesearch.h"
#include "app/dialogs/mortgagesearchbutton.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/picklists.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "domain/mortgage.h"
#include "searchbook.h"
#include "support/dialogdriver.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace duebell {
namespace {

// The loan numbers of the result rows, blank rows left out.
std::vector<std::string> Results(TfmMortgageSearch& search) {
    std::vector<std::string> numbers;
    TTovObjectListGrid& grid = *search.stgHeaderGrid;
    for (int row = 1; row < grid.RowCount(); ++row)
        if (!grid.RowObjects(row).empty())
            numbers.push_back(grid.Cells(0, row));
    return numbers;
}

void Search(TfmMortgageSearch& search, TLoanSearchField field, const QString& text) {
    search.SetSearchBy(field);
    search.edtSearchText->setText(text);
    search.btnSearch->click();
}

TEST(MortgageSearch, ListsEveryLoanAtOnceAndFindsByTheChosenField) {
    test::SearchBook book;
    TfmMortgageSearch search;
    EXPECT_EQ(search.windowTitle(), "Search...");
    EXPECT_TRUE(search.rgpSearchBy[lsfPropertyAddress]->isChecked());
    EXPECT_EQ(Results(search),
              (std::vector<std::string>{"0000001", "0000002", "0000003", "0000004"}));
    EXPECT_EQ(search.stgHeaderGrid->Cells(2, 0), "Client Name");
    EXPECT_EQ(search.stgHeaderGrid->ColWidths(1), 200);

    Search(search, lsfClientName, "smith");
    EXPECT_EQ(Results(search), (std::vector<std::string>{"0000001", "0000002"}));
    EXPECT_EQ(search.stgHeaderGrid->Cells(2, 1), "SMITH, J");
    EXPECT_EQ(search.stgHeaderGrid->Cells(2, 2), "Goldsmith, A");

    Search(search, lsfBankDetails, "064-");
    EXPECT_EQ(Results(search), (std::vector<std::string>{"0000001", "0000003", "0000004"}));
    Search(search, lsfPropertyAddress, "MAIN st");
    EXPECT_EQ(Results(search), (std::vector<std::string>{"0000001", "0000004"}));
    Search(search, lsfClientName, "");
    EXPECT_EQ(Results(search).size(), 4u);
}

TEST(MortgageSearch, TheLastLoanChosenStaysTheChoice) {
    test::SearchBook book;
    TfmMortgageSearch search;
    Search(search, lsfClientName, "smith");
    search.stgHeaderGrid->SelectRow(2);
    EXPECT_EQ(search.ChosenLoanNumber(), "0000002");
    EXPECT_TRUE(search.btnOk->isEnabled());
    // Nothing found: the choice made before stays, and so does OK.
    Search(search, lsfClientName, "nobody");
    EXPECT_TRUE(Results(search).empty());
    EXPECT_EQ(search.ChosenLoanNumber(), "0000002");
    EXPECT_TRUE(search.btnOk->isEnabled());
}

TEST(MortgageSearch, AnEmptyLoanBookGivesNoChoiceAndNoOk) {
    test::SearchBook book;
    SetData(MakeItem<TMorvaneData>(nullptr));
    TfmMortgageSearch search;
    EXPECT_TRUE(Results(search).empty());
    EXPECT_EQ(search.ChosenLoanNumber(), "");
    EXPECT_FALSE(search.btnOk->isEnabled());
}

class SearchButton : public ::testing::Test {
protected:
    SearchButton() {
        FillMortgagePickList(box);
        box.OnChange = [this] { ++changes; };
        button.LinkedGridBox = &box;
    }

    test::SearchBook book;
    TGridBox box;
    TMorvaneMortgageSearchButton button;
    int changes = 0;
    test::DialogDriver windows;
};

TEST_F(SearchButton, OkPutsTheLoanFoundIntoThePickList) {
    windows.Expect([](QDialog& dialog) {
        auto& search = dynamic_cast<TfmMortgageSearch&>(dialog);
        Search(search, lsfClientName, "goldsmith");
        search.stgHeaderGrid->SelectRow(1);
        search.btnOk->click();
        return int(mrNone);
    });
    button.Click();
    EXPECT_EQ(box.ItemIndex(), 1);
    EXPECT_EQ(box.Text(), "0000002");
    EXPECT_EQ(changes, 1);
}

TEST_F(SearchButton, CancelOrNoPickListChangesNothing) {
    windows.Expect([](QDialog& dialog) {
        dynamic_cast<TfmMortgageSearch&>(dialog).btnCancel->click();
        return int(mrNone);
    });
    button.Click();
    EXPECT_EQ(box.ItemIndex(), -1);
    button.LinkedGridBox = nullptr;
    windows.Expect([](QDialog& dialog) {
        dynamic_cast<TfmMortgageSearch&>(dialog).btnOk->click();
        return int(mrNone);
    });
    button.Click();
    EXPECT_EQ(box.ItemIndex(), -1);
    EXPECT_EQ(changes, 0);
}

TEST_F(SearchButton, LooksLikeAMagnifierBesideThePickList) {
    EXPECT_EQ(button.height(), 21);
    EXPECT_EQ(button.Glyph().size(), QSize(16, 16));
    windows.Expect([](QDialog& dialog) {
        auto& search = dynamic_cast<TfmMortgageSearch&>(dialog);
        Search(search, lsfClientName, "smith");
        search.show();
        EXPECT_TRUE(search.grab().toImage().save(
            QDir(DUEBELL_TEST_OUTPUT_DIR).filePath("mortgage_search.png")));
        return int(mrCancel);
    });
    button.Click();
}

} // namespace
} // namespace duebell
