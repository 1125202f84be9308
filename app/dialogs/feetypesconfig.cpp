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
    if (mode != mmEdit || !saved)
        return;
    const std::string& oldName = static_cast<TfmFeesAddEdit&>(dialog).OriginalDescription();
    const std::string& newName = static_cast<TMorvaneFeeConfiguration&>(record).FeeDescription;
    if (oldName != newName) {
        Configuration()->FeeList->Sort(); // the key changed
        if (!RenameFeeCharges(*Data(), oldName, newName).empty())
            SetDataModified(true);
        // Charges of the old name may be in the loan book's file until it is saved: the new
        // name reaches the disk with them.
        if (DataModified())
            HoldConfigurationForLoanBook();
    }
    // The charges' due dates follow their type's notice period.
    if (CountFeeCharges(*Data(), newName) > 0)
        RebuildAllLoans();
    RefreshAllHeaderFrames();
    if (const int row = Frame()->Grid()->FindRow(&record); row >= 0)
        Frame()->Grid()->SelectRow(row);
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
    const bool charged = !DeleteFeeCharges(*Data(), deletedDescription_).empty();
    if (charged)
        SetDataModified(true);
    if (DataModified())
        HoldConfigurationForLoanBook();
    if (charged)
        RebuildAllLoans();
    RefreshAllHeaderFrames();
}

} // namespace duebell
