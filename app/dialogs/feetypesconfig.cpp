#include "app/dialogs/feetypesconfig.h"

#include "app/dialogs/feetypeaddedit.h"
#include "app/dialogs/feetypecharges.h"
#include "app/framework/loanchanges.h"
#include "app/framework/objectlistgrid.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "objectlist/numberformat.h"

namespace duebell {

TfmFeesConfig::TfmFeesConfig()
    : TfmCustomListConfig("fmFeesConfig", "Full Fee Configuration", "fmeCustomHeaderFrame1",
                          " Full Fee Overview ") {
    Frame()->Grid()->AddColumn("Description", "FeeDescription", 383);
    Frame()->Grid()->AddColumn("Notice Period", "NoticePeriod", 80);
    Frame()->OnGetDetailFormClass = DetailFormClass<TfmFeesAddEdit>();
    Frame()->DeleteQuestion = [this](TTovObjectItem& feeType) { return DeleteQuestion(feeType); };
    FrameDesigned(300);
}

void TfmFeesConfig::InitForItem(TModifyMode, TTovObjectItem& item) {
    ShowList(static_cast<TMorvaneConfiguration&>(item).FeeList.get());
}

void TfmFeesConfig::AfterModify(TModifyMode mode, TTovObjectItem& record,
                                TfmCustomDetailForm& dialog, bool saved) {
    if (!saved)
        return;
    const std::string& newName = static_cast<TMorvaneFeeConfiguration&>(record).FeeDescription;
    std::string oldName = newName;
    if (mode == mmEdit) {
        oldName = static_cast<TfmFeesAddEdit&>(dialog).OriginalDescription();
        if (oldName != newName) {
            Configuration()->FeeList->Sort(); // the key changed
            if (!RenameFeeCharges(*Data(), oldName, newName).empty())
                SetDataModified(true);
            // The saved charges of the old name keep it in the file until they are saved.
            HoldFeeTypeForLoanBook(oldName);
        }
        // The charges' due dates follow their type's notice period.
        if (CountFeeCharges(*Data(), newName) > 0)
            RebuildAllLoans();
        RefreshAllHeaderFrames();
        if (const int row = Frame()->Grid()->FindRow(&record); row >= 0)
            Frame()->Grid()->SelectRow(row);
    }
    // The change waits when it touched a type held for the loan book.
    const std::string& touched = FeeTypeHeldForLoanBook(oldName) ? oldName : newName;
    if (FeeTypeHeldForLoanBook(touched))
        TellChangeWaitsForLoanBook(HeldFeeTypeReason(touched));
}

std::string TfmFeesConfig::DeleteQuestion(TTovObjectItem& feeType) {
    deletedDescription_ = static_cast<TMorvaneFeeConfiguration&>(feeType).FeeDescription;
    std::string question = "Are you sure you wish to delete this record?";
    if (const int charges = CountFeeCharges(*Data(), deletedDescription_); charges > 0)
        question += "\r" + IntToStr(charges) + (charges == 1 ? " fee charge" : " fee charges") +
                    " of this type on the loans will be deleted with it.";
    return question;
}

void TfmFeesConfig::AfterDelete() {
    if (!DeleteFeeCharges(*Data(), deletedDescription_).empty()) {
        SetDataModified(true);
        RebuildAllLoans();
    }
    RefreshAllHeaderFrames();
    if (HoldFeeTypeForLoanBook(deletedDescription_))
        TellChangeWaitsForLoanBook(HeldFeeTypeReason(deletedDescription_));
}

std::string TfmFeesConfig::HeldFeeTypeReason(const std::string& description) {
    return "Fee charges in the saved loan book name the fee type \"" + description + "\"";
}

} // namespace duebell
