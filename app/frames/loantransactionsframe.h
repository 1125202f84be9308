// TfmeLoanTransactions: the "Loan Transactions" tab, the payments received on one chosen loan
// within a date window (From and To both included), added, viewed, edited and deleted through
// the loan transaction dialog. After every Add, Edit/View and Delete press the chosen loan is
// recalculated, whatever the user answered, so its ledger and alerts follow.
#pragma once

#include "app/framework/headerframe.h"

#include <string>

class QGroupBox;

namespace duebell {

class TDatePicker;
class TGridBox;
class TMorvaneMortgage;
class TMorvaneMortgageSearchButton;

class TfmeLoanTransactions : public TfmeCustomHeaderFrame {
    Q_OBJECT

public:
    // The filter options (the loan pick list with its search button, From a year before today,
    // To a month after today) over the payments' grid; no loan chosen.
    explicit TfmeLoanTransactions(QWidget* parent = nullptr);

    // Chooses the loan of that number (none when no loan has it), then refreshes.
    void ChooseLoan(const std::string& loanNumber);
    // The loan chosen in the pick list; nothing when none is.
    TMorvaneMortgage* ChosenLoan() const;
    // The grid shows the chosen loan's payments in the date window; the buttons are usable
    // exactly when a loan is chosen.
    void RefreshTransactions();

    TfmCustomDetailFormClass GetDetailFormClass() override;
    // A new payment belongs to the chosen loan.
    TTovObjectItem* GetDetailParent() override;
    void AddClick() override;
    void EditClick() override;
    void DeleteClick() override;

    // --- The filter options -------------------------------------------------------------
    QGroupBox* FilterBox() const { return gbxFilterOptions_; }
    TGridBox* LoanNumber() const { return cmbLoanNumber_; }
    TMorvaneMortgageSearchButton* SearchButton() const { return searchButton_; }
    TDatePicker* StartDate() const { return edtStartDate_; }
    TDatePicker* EndDate() const { return edtEndDate_; }

protected:
    // The loan pick list is filled again (keeping the chosen loan), then the grid refreshed.
    void MortgagesChanged() override;

private:
    // The frame's own handling of a button, then the chosen loan recalculated, also when the
    // handling failed.
    template <class Press> void PressThenRecalculate(Press press);
    bool InDateWindow(const TTovObjectItem& transaction) const;

    QGroupBox* gbxFilterOptions_;
    TGridBox* cmbLoanNumber_;
    TMorvaneMortgageSearchButton* searchButton_;
    TDatePicker* edtStartDate_;
    TDatePicker* edtEndDate_;
};

} // namespace duebell
