// TfmRateChangesConfig, "Interest Rate Change Configuration": the interest rate changes of one
// loan, chosen in the "Loan" pick list or found with the search button beside it. The
// configuration keeps a rate history per loan (made when a loan is first chosen); every change
// added, edited or deleted rebuilds the loan, and a change notified today may then open the
// Notice of Payment Change for it. While the saved loan book still holds a deleted loan of the
// number, the changes wait for its Save, and the window says so.
#pragma once

#include "app/dialogs/settingslistdialog.h"

namespace duebell {

class TGridBox;
class TMorvaneMortgageRate;

class TfmRateChangesConfig : public TfmCustomListConfig {
    Q_OBJECT

public:
    TfmRateChangesConfig();

    TGridBox* LoanNumberBox() const { return cmbLoanNumber_; }
    // The loan chosen: its rate history in the list and the buttons enabled; no loan, no
    // buttons.
    void LoanChange();

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    void AfterModify(TModifyMode mode, TTovObjectItem& record, TfmCustomDetailForm& dialog,
                     bool saved) override;
    void AfterDelete() override;

private:
    std::string ChosenLoanNumber() const;
    // The rate history of the chosen loan, made when it has none.
    TMorvaneMortgageRate* ChosenRateHistory() const;
    void RebuildChosenLoan();
    // The change just made waits for the loan book's Save: says so.
    void TellWhenHeld() const;

    TGridBox* cmbLoanNumber_;
};

} // namespace duebell
