// The dialogs of the four loan notices: Arrears, Default, Termination and Vacate Property.
// Each is a report dialog on a client form whose body is the stage's letter, the arrears table
// and the closing. Print first offers the arrears administration fee; Preview never does, and
// shows the fee paragraph when the last Print of the dialog charged one.
#pragma once

#include "reports/customreport.h"
#include "reports/loannoticebody.h"
#include "reports/noticearrearsfee.h"

namespace duebell {

class TfmCustomLoanNotice : public TfmCustomReport {
    Q_OBJECT
public:
    // Whether the last Print of this dialog charged an arrears administration fee for the
    // loan chosen now.
    bool FeeApplied() const;

    std::string ReportTitle() const override;
    std::unique_ptr<TfmCustomPrintedReport>
    PrintedFormClass(TPqPreviewModel& preview) const override;
    void DrawBody(TfmCustomPrintedReport& form) override;
    // The loan's check, then a refusal naming the loan when it owes nothing today: a letter
    // about arrears needs arrears.
    bool ValidateParameters() override;
    bool btnPrintClick() override;

protected:
    TfmCustomLoanNotice(TLoanNoticeStage stage, QWidget* parent);

private:
    TLoanNoticeStage stage_;
    TNoticeArrearsFee arrearsFee_;
};

class TfmReportLoanArrears : public TfmCustomLoanNotice {
    Q_OBJECT
public:
    explicit TfmReportLoanArrears(QWidget* parent = nullptr)
        : TfmCustomLoanNotice(TLoanNoticeStage::Arrears, parent) {}
};

class TfmReportLoanDefault : public TfmCustomLoanNotice {
    Q_OBJECT
public:
    explicit TfmReportLoanDefault(QWidget* parent = nullptr)
        : TfmCustomLoanNotice(TLoanNoticeStage::Default, parent) {}
};

class TfmReportLoanForeclosure : public TfmCustomLoanNotice {
    Q_OBJECT
public:
    explicit TfmReportLoanForeclosure(QWidget* parent = nullptr)
        : TfmCustomLoanNotice(TLoanNoticeStage::Termination, parent) {}
};

class TfmReportLoanEviction : public TfmCustomLoanNotice {
    Q_OBJECT
public:
    explicit TfmReportLoanEviction(QWidget* parent = nullptr)
        : TfmCustomLoanNotice(TLoanNoticeStage::Vacate, parent) {}
};

} // namespace duebell
