#include "app/dialogs/noticeperiodsdialog.h"

#include "app/dialogs/formlabels.h"
#include "app/framework/controlbinder.h"
#include "app/framework/loanchanges.h"
#include "controls/modalresult.h"
#include "ui_noticeperiodsdialog.h"

namespace duebell {

TfmOptions::TfmOptions()
    : TfmCustomDetailForm("fmOptions", "Notice Period Configuration"),
      ui_(std::make_unique<Ui::fmOptions>()) {
    ui_->setupUi(Body());
    AlignFormLabels(*Body());
    Binder().AddRows(
        {{ui_->edtDefaultPeriod, "Value", "SystemConfiguration.DefaultPeriod"},
         {ui_->edtForeclosePeriod, "Value", "SystemConfiguration.ForeclosePeriod"},
         {ui_->edtEvictionPeriod, "Value", "SystemConfiguration.EvictionPeriod"},
         {ui_->edtInstallmentFeePeriod, "Value", "SystemConfiguration.InstallmentFeePeriod"}});
}

TfmOptions::~TfmOptions() = default;

int TfmOptions::EditItems(TModifyMode mode, const std::vector<TTovObject*>& list) {
    const int result = TfmCustomDetailForm::EditItems(mode, list);
    if (result == mrOk && mode != mmView)
        RebuildAllLoans();
    return result;
}

} // namespace duebell
