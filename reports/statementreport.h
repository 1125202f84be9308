// TfmReportStatement, the "Statement of Accounts" dialog: the user picks a loan and one of its
// statements, sees the period's ledger movements in the grid, and previews or prints the
// statement of account (statementbody.h) on a client form. The list of statements shows each
// period exactly as it prints. A statement that printed (from the dialog or from its preview)
// is recorded as the loan's last statement (the statement-due alert reads it); an older one
// printed again leaves the record as it was.
#pragma once

#include "reports/customreport.h"
#include "reports/statementperiods.h"

#include <vector>

class QGroupBox;

namespace duebell {

class TTovObjectListGrid;

class TfmReportStatement : public TfmCustomReport {
    Q_OBJECT
public:
    explicit TfmReportStatement(QWidget* parent = nullptr);

    TGridBox* cmbStatementNo;          // "Statement No.": the number and the period
    QGroupBox* grpStatementDetail;     // "Statement Detail"
    TTovObjectListGrid* stgHeaderGrid; // the chosen period's ledger movements

    void FormCreate() override;

    // The chosen statement's first and last day (0 while none is chosen).
    double StatementStart() const { return period_.Start; }
    double StatementEnd() const { return period_.End; }
    // Chooses statement `number` (from 1) of the chosen loan; nothing when it has no such one.
    void SelectStatement(int number);

    std::string ReportTitle() const override;
    std::unique_ptr<TfmCustomPrintedReport>
    PrintedFormClass(TPqPreviewModel& preview) const override;
    void DrawBody(TfmCustomPrintedReport& form) override;

    // The loan's check, then "A statement must first be selected" when none is chosen.
    bool ValidateParameters() override;

protected:
    void cmbLoanNumberChange() override;
    // Whether printed from the dialog or from its preview: the loan's LastStatementNumber
    // becomes the printed statement's number when that is higher, the loan book is marked
    // modified, and the loan's alerts follow at once.
    void DocumentPrinted() override;

private:
    void FillStatementList();
    void cmbStatementNoChange();

    std::vector<TStatementPeriod> periods_; // the rows of cmbStatementNo
    TStatementPeriod period_;               // the chosen one
};

} // namespace duebell
