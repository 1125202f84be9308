// The dialogs of the four notices about an unpaid full fee: Fee in Arrears, Default due to Fee
// Arrears, Termination and Vacate Property. Each is a fee report dialog (a loan and one of its
// fees) on a client form whose body is the stage's letter, the fee's "Fee Details" with what is
// still owed on it, and the closing. Print first offers the arrears administration fee;
// Preview never does, and shows the fee paragraph when the last Print of the dialog charged
// one.
#pragma once

#include "reports/feenoticebase.h"
#include "reports/feenoticebody.h"
#include "reports/noticearrearsfee.h"

namespace duebell {

class TfmCustomFeeNotice : public TfmReportFeeBase {
    Q_OBJECT
public:
    // Whether the last Print of this dialog charged an arrears administration fee for the
    // loan and fee chosen now.
    bool FeeApplied() const;

    std::string ReportTitle() const override;
    std::unique_ptr<TfmCustomPrintedReport>
    PrintedFormClass(TPqPreviewModel& preview) const override;
    void DrawBody(TfmCustomPrintedReport& form) override;
    // The arrears and default letters also need the fee type's notice period.
    bool ValidateParameters() override;
    bool btnPrintClick() override;

protected:
    TfmCustomFeeNotice(TFeeNoticeStage stage, QWidget* parent);

private:
    bool UsesNoticePeriod() const;
    // The loan and the chosen fee (its number and date); empty without a fee.
    std::string ChargeSubject() const;

    TFeeNoticeStage stage_;
    TNoticeArrearsFee arrearsFee_;
};

class TfmReportFeesArrears : public TfmCustomFeeNotice {
    Q_OBJECT
public:
    explicit TfmReportFeesArrears(QWidget* parent = nullptr)
        : TfmCustomFeeNotice(TFeeNoticeStage::Arrears, parent) {}
};

class TfmReportFeesDefault : public TfmCustomFeeNotice {
    Q_OBJECT
public:
    explicit TfmReportFeesDefault(QWidget* parent = nullptr)
        : TfmCustomFeeNotice(TFeeNoticeStage::Default, parent) {}
};

class TfmReportFeesForeclosure : public TfmCustomFeeNotice {
    Q_OBJECT
public:
    explicit TfmReportFeesForeclosure(QWidget* parent = nullptr)
        : TfmCustomFeeNotice(TFeeNoticeStage::Termination, parent) {}
};

class TfmReportFeesEviction : public TfmCustomFeeNotice {
    Q_OBJECT
public:
    explicit TfmReportFeesEviction(QWidget* parent = nullptr)
        : TfmCustomFeeNotice(TFeeNoticeStage::Vacate, parent) {}
};

} // namespace duebell
