// TfmFeesConfig, "Full Fee Configuration": the full-fee types of the configuration. The loans'
// charges follow their type: a renamed type renames them, a deleted type deletes them (the
// delete question says how many), and the loans are rebuilt. A type that charges in the saved
// loan book name keeps its saved form in the file until the loan book is saved, once renamed
// or deleted: the window says so, and so after every change to that name until then.
#pragma once

#include "app/dialogs/settingslistdialog.h"

namespace duebell {

class TfmFeesConfig : public TfmCustomListConfig {
    Q_OBJECT

public:
    TfmFeesConfig();

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    void AfterModify(TModifyMode mode, TTovObjectItem& record, TfmCustomDetailForm& dialog,
                     bool saved) override;
    void AfterDelete() override;

private:
    // The delete question, naming the charges that go with the fee type.
    std::string DeleteQuestion(TTovObjectItem& feeType);
    // Why a change to the fee type waits for the loan book.
    static std::string HeldFeeTypeReason(const std::string& description);

    // The description of the fee type being deleted.
    std::string deletedDescription_;
};

} // namespace duebell
