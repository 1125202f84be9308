// The full-fee types: a name another type has is refused when adding and when renaming; a
// rename renames the loans' charges of that name (not those of another case) and keeps the
// list in order; a delete names the charges that go with it, takes them off every loan and
// rebuilds the loans; the notice period is at least one day.
#include "app/dialogs/feetypesconfig.h"
#include "controls/modalresult.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "settingsbook.h"

namespace duebell {
namespace {

using test::ColumnTexts;
using test::EditNamed;
using test::Press;
using test::PressFrameButton;
using test::PressOnRow;
using test::SpinNamed;

// Counts the refresh signals (record added, no record) of a list: one per rebuild of the loans.
struct RefreshCounter : ITovListListener {
    int refreshes = 0;
    void ListChanged(TTovObjectList*, TTovObjectItem* item, TTovChangeKind kind) override {
        refreshes += kind == ckItemAdded && item == nullptr ? 1 : 0;
    }
};

class FeeTypes : public test::SettingsBook {
protected:
    FeeTypes() {
        AddFeeType("A", 14);
        AddFeeType("Valuation", 30);
        auto second = MakeItem<TMorvaneMortgage>(Data());
        second->LoanNumber = "0000002";
        second->ClientCode = "0000002";
        second->PropertyCode = "0000001";
        second->Contract->AssignProperties(*Loan().Contract);
        secondLoan = Data()->Mortgages->Add(std::move(second));
        Charge(Loan(), 1, "A");
        Charge(Loan(), 2, "a");
        Charge(Loan(), 3, "Valuation");
        Charge(Loan(), 4, "A");
        Charge(*secondLoan, 1, "A");
        SetDataModified(false);
        Data()->Mortgages->AddListener(&loanRefreshes);
    }
    ~FeeTypes() override { Data()->Mortgages->RemoveListener(&loanRefreshes); }

    void AddFeeType(const char* description, int noticePeriod) {
        auto type = MakeItem<TMorvaneFeeConfiguration>(Configuration());
        type->FeeDescription = description;
        type->NoticePeriod = noticePeriod;
        Configuration()->FeeList->Add(std::move(type));
    }
    static void Charge(TMorvaneMortgage& loan, int number, const char* description) {
        auto charge = MakeItem<TMorvaneFeeTransaction>(&loan);
        charge->FeeNumber = number;
        charge->TransactionDate = TDate(EncodeDate(2025, 5, number));
        charge->FeeDescription = description;
        charge->FeeAmount = Currency::fromUnits(100 * number);
        loan.FeeTransactions->Add(std::move(charge));
    }
    static std::vector<std::string> Charges(const TMorvaneMortgage& loan) {
        std::vector<std::string> names;
        for (TTovObjectItem* item : *loan.FeeTransactions)
            names.push_back(static_cast<TMorvaneFeeTransaction*>(item)->FeeDescription);
        return names;
    }
    std::vector<std::string> FeeTypeNames() const {
        std::vector<std::string> names;
        for (TTovObjectItem* item : *Configuration()->FeeList)
            names.push_back(static_cast<TMorvaneFeeConfiguration*>(item)->FeeDescription);
        return names;
    }

    // Runs the dialog; `act` works in it (its entry dialogs answered by `driver`).
    int RunFeesConfig(const std::function<void(QDialog&)>& act) {
        TfmFeesConfig dialog;
        driver.Expect([&](QDialog& shown) {
            act(shown);
            Press(shown, "btnCancel");
            return mrNone;
        });
        const int result = dialog.EditItem(mmEdit, *Configuration());
        changed = dialog.EntriesChanged();
        return result;
    }

    TMorvaneMortgage* secondLoan;
    RefreshCounter loanRefreshes;
    bool changed = false;
};

TEST_F(FeeTypes, ANameAnotherFeeTypeHasIsRefusedWhenAddingAndWhenRenaming) {
    const std::string refusal = "A fee of this name already exists";
    RunFeesConfig([&](QDialog& shown) {
        EXPECT_EQ(ColumnTexts(shown, 0), (std::vector<std::string>{"A", "Valuation"}));
        driver.Expect([&](QDialog& entry) {
            EditNamed(entry, "edtFeeDescription")->setText("Valuation");
            SaveRefused(entry, refusal);
            EditNamed(entry, "edtFeeDescription")->setText("Insurance");
            SpinNamed(entry, "edtNoticePeriod")->setText("0");
            SaveRefused(entry,
                        "\"Notice Period\": Value must be a whole number between 1 and 1000000");
            SpinNamed(entry, "edtNoticePeriod")->setText("21");
            Press(entry, "btnSave");
            return mrNone;
        });
        PressFrameButton(shown, "btnAdd");
        EXPECT_EQ(ColumnTexts(shown, 0), (std::vector<std::string>{"A", "Insurance", "Valuation"}));
        EXPECT_EQ(ColumnTexts(shown, 1), (std::vector<std::string>{"14", "21", "30"}));

        driver.Expect([&](QDialog& entry) {
            EXPECT_EQ(EditNamed(entry, "edtFeeDescription")->text(), "A");
            EditNamed(entry, "edtFeeDescription")->setText("Valuation");
            SaveRefused(entry, refusal);
            EditNamed(entry, "edtFeeDescription")->setText("A"); // its own name is no clash
            SpinNamed(entry, "edtNoticePeriod")->setText("7");
            Press(entry, "btnSave");
            return mrNone;
        });
        ConfirmEdit();
        PressOnRow(shown, 0, "btnEdit");
    });
    EXPECT_TRUE(changed);
    EXPECT_EQ(FeeTypeNames(), (std::vector<std::string>{"A", "Insurance", "Valuation"}));
    EXPECT_EQ(
        static_cast<TMorvaneFeeConfiguration*>(Configuration()->FeeList->PeekFirst())->NoticePeriod,
        7);
    EXPECT_EQ(Charges(Loan()), (std::vector<std::string>{"A", "a", "Valuation", "A"}));
}

TEST_F(FeeTypes, RenamingRenamesTheChargesOfThatNameOnEveryLoanButNotOfAnotherCase) {
    const auto rename = [this](int row, const char* name) {
        ConfirmEdit();
        RunFeesConfig([this, row, name](QDialog& shown) {
            driver.Expect([name](QDialog& entry) {
                EditNamed(entry, "edtFeeDescription")->setText(name);
                Press(entry, "btnSave");
                return mrNone;
            });
            PressOnRow(shown, row, "btnEdit");
            // The list is in key order again, the renamed type still chosen.
            EXPECT_EQ(test::GridOf(shown).Cells(0, test::GridOf(shown).Row()), name);
        });
    };
    rename(0, "B");
    EXPECT_EQ(Charges(Loan()), (std::vector<std::string>{"B", "a", "Valuation", "B"}));
    EXPECT_EQ(Charges(*secondLoan), std::vector<std::string>{"B"});
    EXPECT_TRUE(DataModified());
    EXPECT_EQ(loanRefreshes.refreshes, 1); // the loans rebuilt, the windows told once

    rename(0, "Zoning"); // now after "Valuation"
    EXPECT_EQ(FeeTypeNames(), (std::vector<std::string>{"Valuation", "Zoning"}));
    EXPECT_EQ(Charges(Loan()), (std::vector<std::string>{"Zoning", "a", "Valuation", "Zoning"}));

    // The same name again changes no charge.
    SetDataModified(false);
    rename(1, "Zoning");
    EXPECT_EQ(Charges(Loan()), (std::vector<std::string>{"Zoning", "a", "Valuation", "Zoning"}));
    EXPECT_EQ(Charges(*secondLoan), std::vector<std::string>{"Zoning"});
}

TEST_F(FeeTypes, DeletingNamesTheChargesAndTakesThemOffEveryLoan) {
    // A grid showing the first loan's charges, as the full-fee tab does.
    TTovObjectListGrid charges;
    charges.AddColumn("Fee", "FeeDescription", 100);
    charges.SetObjectList(Loan().FeeTransactions.get());
    charges.RefreshGrid();
    const std::string question = "Are you sure you wish to delete this record?\r"
                                 "3 fee charges of this type on the loans will be deleted with it.";

    ConfirmDelete(PromptAnswer::No);
    ConfirmDelete();
    Confirm(question, PromptAnswer::No);
    RunFeesConfig([](QDialog& shown) {
        PressOnRow(shown, 0, "btnDelete");
        PressOnRow(shown, 0, "btnDelete");
    });
    EXPECT_FALSE(changed);
    EXPECT_EQ(FeeTypeNames(), (std::vector<std::string>{"A", "Valuation"}));
    EXPECT_EQ(Charges(Loan()).size(), 4u);
    EXPECT_FALSE(DataModified());

    ConfirmDelete();
    Confirm(question, PromptAnswer::Yes);
    ConfirmDelete();
    Confirm("Are you sure you wish to delete this record?\r"
            "1 fee charge of this type on the loans will be deleted with it.",
            PromptAnswer::Yes);
    RunFeesConfig([](QDialog& shown) {
        PressOnRow(shown, 0, "btnDelete");
        EXPECT_EQ(ColumnTexts(shown, 0), std::vector<std::string>{"Valuation"});
        PressOnRow(shown, 0, "btnDelete");
    });
    EXPECT_TRUE(changed);
    EXPECT_TRUE(FeeTypeNames().empty());
    EXPECT_EQ(Charges(Loan()), std::vector<std::string>{"a"});
    EXPECT_TRUE(Charges(*secondLoan).empty());
    EXPECT_EQ(loanRefreshes.refreshes, 2); // once for each type
    EXPECT_TRUE(DataModified());
    // The charges' grid let go of the freed charges at once.
    EXPECT_EQ(charges.RowObjects(1).size(), 0u);
    charges.RefreshGrid();
    EXPECT_EQ(charges.Cells(0, 1), "a");
    EXPECT_EQ(charges.RowCount(), 2);
}

} // namespace
} // namespace duebell
