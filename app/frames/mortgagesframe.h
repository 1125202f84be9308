// TfmeMortgages: the "Loans" tab, the loans of the loan book with their property address and
// client name, added, viewed, edited and deleted through the loan dialog.
//
// An added loan belongs to the loan book. It forgets what its number holds from an earlier
// loan, its ledger and alerts are built at once, then the answers of the dialog open the
// instalment fees, the draw-down notice and the initial bookkeeping report for it (windows
// opened by class name through the registry, each told the new loan's number). An edited loan
// is recalculated. A deleted loan takes its alerts, cleared alerts and rate history with it.
// A rate history dropped so goes to the configuration's file at once, unless the saved loan
// book has a loan of that number: then it waits for the loan book's Save, as does any change
// to the rate history of that number until then.
#pragma once

#include "app/framework/headerframe.h"

#include <functional>
#include <string>

namespace duebell {

class TMorvaneMortgage;
class TTovObjectList;
class TfmMortgageAddEdit;

class TfmeMortgages : public TfmeCustomHeaderFrame {
    Q_OBJECT

public:
    // The grid over the loans given (the loan book's loan list). `saveConfiguration` writes
    // the configuration to its file.
    TfmeMortgages(TTovObjectList* mortgages, std::function<void()> saveConfiguration,
                  QWidget* parent = nullptr);

    TfmCustomDetailFormClass GetDetailFormClass() override;
    // The frame's Delete; when the loan went, what it leaves behind goes too.
    void DeleteClick() override;

protected:
    // The button states follow the loan list.
    void MortgagesChanged() override;

private:
    void AfterModify(TModifyMode mode, TTovObjectItem* record, TfmCustomDetailForm& dialog);
    void AfterAdd(TMorvaneMortgage& loan, const TfmMortgageAddEdit& dialog);
    // The rate history of the number went with a loan: written now, or held for Save.
    void RateHistoryDropped(const std::string& loanNumber) const;
    void SaveConfiguration() const;

    std::function<void()> saveConfiguration_;
};

} // namespace duebell
