// TfmReportAccountingPeriodicalAddEdit: one periodical bookkeeping report. Adding one offers
// the accounting periods up to five years ahead, the next number chosen, and lists the loans
// that ran during the chosen period; a number already reported is refused. Editing keeps the
// report's number and loan list, whose entries open in the per-loan figures dialog.
#pragma once

#include "app/dialogs/accountingperiods.h"
#include "app/framework/detailform.h"

#include <optional>

class QLineEdit;

namespace duebell {

class TGridBox;
class TfmeCustomHeaderFrame;
class TMorvanePeriodicAccountingReport;

inline constexpr const char* DuplicatePeriodicReportMessage =
    "You have already created this periodic accounting report";

class TfmReportAccountingPeriodicalAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    // The controls and the periods up to five years from today; a financial year's first day
    // that makes no date raises EConvertError.
    TfmReportAccountingPeriodicalAddEdit();
    ~TfmReportAccountingPeriodicalAddEdit() override;

    TGridBox* ReportNoBox() const { return cmbReportNo_; }
    TfmeCustomHeaderFrame* MortgagesFrame() const { return fmeMortgages_; }

    // A report number chosen: its period's dates and, while adding, the loans of the period;
    // a number already reported, while adding, is refused with an error box and Save stays
    // disabled until another is chosen.
    void ReportNoChange();

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;

private:
    void FillReportList();
    // Lists periods up to the number, so a report whose period no longer falls within the
    // list still shows (and keeps) its number.
    void ListPeriodsUpTo(int number);
    void AddPeriodRow(const AccountingPeriod& period);
    void ShowPeriod(const AccountingPeriod* period);
    void ListLoansOf(TMorvanePeriodicAccountingReport& report, const AccountingPeriod& period);
    TMorvanePeriodicAccountingReport* Report() const;

    TGridBox* cmbReportNo_;
    QLineEdit* edtFromDate_;
    QLineEdit* edtToDate_;
    TfmeCustomHeaderFrame* fmeMortgages_;
    std::optional<AccountingPeriods> periods_;
};

} // namespace duebell
