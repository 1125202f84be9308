// TfmReportFeeBase: the parameter dialog of the letters about one full fee charged to a loan.
// Besides the loan the user picks the fee, from the loan's fees listed newest first (number,
// description, date). Print and Preview refuse until a loan and one of its fees are chosen.
//
// The Notice of Fee Charge (feechargenotice.h) and the four fee notices (feenotices.h) derive
// from it.
#pragma once

#include "reports/customreport.h"

namespace duebell {

class TMorvaneFeeConfiguration;
class TMorvaneFeeTransaction;

class TfmReportFeeBase : public TfmCustomReport {
    Q_OBJECT
public:
    explicit TfmReportFeeBase(QWidget* parent = nullptr);

    TGridBox* cmbFeeNumber; // fee number, description, transaction date

    // Lists the chosen loan's fees, latest first, none chosen; empties the list without a loan.
    void FillFeeList();
    // Chooses the listed fee of that number; nothing when the loan has none such.
    void SelectFee(int feeNumber);
    // The chosen fee of the chosen loan, or nothing.
    TMorvaneFeeTransaction* FindSelectedFee() const;
    // The fee type of the chosen fee (its notice period), or nothing: no fee chosen, or no fee
    // type of that description any more.
    TMorvaneFeeConfiguration* FindFeeConfiguration() const;

    // The loan's check, then "A fee number must first be selected" when no fee of the loan is
    // chosen (both messages when neither is).
    bool ValidateParameters() override;

protected:
    void cmbLoanNumberChange() override;
    // For the letters that reckon with the fee type's notice period: false, after saying which
    // description has no fee type, when the chosen fee has none.
    bool ValidateFeeType();
    // For drawing, once the parameters have passed: the chosen fee and its type's notice
    // period (an internal error without them).
    TMorvaneFeeTransaction& SelectedFee() const;
    int FeeNoticePeriod() const;
};

} // namespace duebell
