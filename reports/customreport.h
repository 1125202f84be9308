// TfmCustomReport: the parameter dialog of every notice, letter and statement. The user picks
// a loan (from the pick list or through the search button), sees its property and client,
// and previews or prints the report; the dialog stays open for another Print or Preview.
//
// A report overrides the TReportSource hooks (title, kind of printed form, body) and, when it
// has more parameters, ValidateParameters and cmbLoanNumberChange. Make report dialogs with
// CreateReport, which runs FormCreate once the whole object exists.
#pragma once

#include "reports/reportbuild.h"

#include <QDialog>
#include <memory>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace duebell {

class TGridBox;
class TMorvaneMortgageSearchButton;

class TfmCustomReport : public QDialog, public TReportSource {
    Q_OBJECT
public:
    explicit TfmCustomReport(QWidget* parent = nullptr);

    QGroupBox* grpParameters; // " Report Parameters "
    TGridBox* cmbLoanNumber;
    TMorvaneMortgageSearchButton* MorvaneMortgageSearchButton1;
    QLineEdit* edtPropertyAddress;
    QLineEdit* edtClientName;
    QPushButton* btnPrint;
    QPushButton* btnPreview;
    QPushButton* btnClose;

    // Fills the loan pick list, shows the loan the box names (if any) and takes the report's
    // title as the caption.
    virtual void FormCreate();

    // The loan chosen in the pick list, or nothing. Not owned.
    TMorvaneMortgage* Mortgage() const { return mortgage_; }
    // Chooses the loan in the pick list, unless it is chosen already.
    void SelectMortgage(const TMorvaneMortgage* mortgage);

    // TReportSource: "Report Title", the plain printed form, no body.
    std::string ReportTitle() const override;
    std::unique_ptr<TfmCustomPrintedReport>
    PrintedFormClass(TPqPreviewModel& preview) const override;
    void DrawBody(TfmCustomPrintedReport& form) override;
    TMorvaneMortgage* ReportMortgage() const override { return mortgage_; }

    // Raises the message of a field whose typed text it cannot hold (CheckTypedFields); false,
    // after saying "A mortgage must first be selected." and focusing the loan box, when the
    // box is shown and no loan is chosen.
    virtual bool ValidateParameters();

    // Preview: a fresh document in the preview window, shown modally.
    virtual void btnPreviewClick();
    // Print: a fresh document to the printer (the print dialog first); true when it printed.
    virtual bool btnPrintClick();

protected:
    // The pick list's change: the chosen loan and its property's address and client's name.
    virtual void cmbLoanNumberChange();

    // Builds and prints, the parameters checked already.
    bool PrintDocument();
    // A document of this dialog went to a printer or a file, from Print or from the Print of
    // its preview window. Nothing here.
    virtual void DocumentPrinted() {}

private:
    TMorvaneMortgage* mortgage_ = nullptr;
};

// A report dialog of the given class, set up (FormCreate) and ready to show.
template <class Report, class... Args> std::unique_ptr<Report> CreateReport(Args&&... args) {
    auto report = std::make_unique<Report>(std::forward<Args>(args)...);
    report->FormCreate();
    return report;
}

} // namespace duebell
