// TfmFeesConfig, "Full Fee Configuration": the full-fee types of the configuration. The loans'
// charges follow their type: a renamed type renames them, a deleted type deletes them (the
// delete question says how many), and the loans they are on are rebuilt. While the loan book
// has unsaved changes, a renamed or deleted type reaches the file with it, at Save.
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

    // The description of the fee type being deleted.
    std::string deletedDescription_;
};

} // namespace duebell
