// "Print Address Labels": the user picks recipients (the lender's "Self Addressed" entry and the
// clients of the loan book), a label sheet style and the number of labels per recipient; the
// labels are laid out at once in the window's preview and printed on request. A plain modal
// window, not a report dialog; the run itself is clientlabels.h.
#pragma once

#include "reports/clientlabels.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QGroupBox;
class QPushButton;
class QTreeWidget;

namespace duebell {

class TExSpinEdit;
class TPqPageNavigator;
class TPqPreview;

class TfmReportLabelsClient : public QDialog {
    Q_OBJECT

public:
    // Lists the "Self Addressed" row, then one row per client of the loan book in its order;
    // the first style chosen, one label each, nothing laid out yet.
    explicit TfmReportLabelsClient(QWidget* parent = nullptr);
    ~TfmReportLabelsClient() override;

    TPqPageNavigator* PqPageNavigator1;
    TPqPreview* PqPreview1;
    QWidget* pnlReportParameters;
    TExSpinEdit* edtNoLabels;
    QComboBox* cmbLabelStyle;
    QTreeWidget* lvwRecipientList;
    QPushButton* btnPrint;
    QPushButton* btnClose;

    TClientLabelRun& Run() { return run_; }
    TPqLabelPrinter& PqLabelPrinter1() { return labelPrinter_; }

    // Lays the chosen recipients' labels out again from scratch; the control that asked gets
    // the focus back.
    void lbxRecipientListClick(QWidget* sender);
    // The count's typed text checked, then page 1 and every page printed (the print dialog
    // first).
    void btnPrintClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FillRecipients();

    TClientLabelRun run_;
    TPqLabelPrinter labelPrinter_;
    std::vector<TMorvaneClient*> rowClients_; // by row of lvwRecipientList
};

} // namespace duebell
