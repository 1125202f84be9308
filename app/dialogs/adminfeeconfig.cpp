#include "app/dialogs/adminfeeconfig.h"

#include "app/dialogs/adminfeeaddedit.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/windowregistry.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"
#include "domain/questions.h"
#include "objectlist/clock.h"

#include <cmath>

namespace duebell {

TfmAdministrationFeeConfig::TfmAdministrationFeeConfig()
    : TfmCustomListConfig("fmAdministrationFeeConfig", "Arrears Administration Fee Configuration",
                          "fmeCustomHeaderFrame2", "Arrears Administration Fee Overview ") {
    Frame()->Grid()->AddColumn("Effective Date", "TransactionDate", 120);
    Frame()->Grid()->AddColumn("Amount", "PenaltyAmount", 315);
    Frame()->OnGetDetailFormClass = DetailFormClass<TfmInstallmentFeePenaltiesAddEdit>();
    RebuildLoansAfterChanges();
    FrameDesigned(300);
}

void TfmAdministrationFeeConfig::InitForItem(TModifyMode mode, TTovObjectItem& item) {
    TfmCustomListConfig::InitForItem(mode, item);
    ShowList(static_cast<TMorvaneConfiguration&>(item).InstallmentFeePenalties.get());
}

// The question is asked once the new amount is in the list, so every notice shows it.
void TfmAdministrationFeeConfig::AfterModify(TModifyMode, TTovObjectItem& record,
                                             TfmCustomDetailForm&, bool saved) {
    const auto& amount = static_cast<TMorvaneInstallmentFeePenaltyConfig&>(record);
    if (!saved || Data()->Mortgages->Count() == 0 ||
        std::floor(amount.TransactionDate.value) != Date())
        return;
    if (!AskPrintPaymentChangeNotice())
        return;
    // One notice per loan in loan-number order; a notice that fails stops the run there. A
    // loan whose ledger has no day for today or yesterday has no figures to announce: it is
    // passed over, and named once the run is through.
    std::string skipped;
    for (TTovObjectItem* item : *Data()->Mortgages) {
        const auto& loan = static_cast<const TMorvaneMortgage&>(*item);
        if (!loan.LedgerHoldsTodayAndYesterday()) {
            skipped += (skipped.empty() ? "" : ", ") + loan.LoanNumber;
            continue;
        }
        WindowRequest request;
        request.loanNumber = loan.LoanNumber;
        request.printWithoutPreview = true;
        OpenWindow("TfmReportPaymentChange", request);
    }
    if (!skipped.empty())
        CurrentPrompter().Ask(PromptType::Warning, PromptButtons::Ok,
                              "No Notice of Payment Change was printed for the loans without a "
                              "ledger record for today or yesterday: " +
                                  skipped + ".");
}

TfmInstallmentFeePenaltiesConfig::TfmInstallmentFeePenaltiesConfig()
    : TfmCustomListConfig("fmInstallmentFeePenaltiesConfig", "Installment Fee Penalties",
                          "fmeCustomHeaderFrame1", " Installment Fee Penalty Overview ") {
    Frame()->Grid()->AddColumn("Date", "TransactionDate", 120);
    Frame()->Grid()->AddColumn("New Installment Fee Penalty", "PenaltyAmount", 245);
    Frame()->OnGetDetailFormClass = DetailFormClass<TfmInstallmentFeePenaltiesAddEdit>();
    RebuildLoansAfterChanges();
    FrameDesigned(300);
}

void TfmInstallmentFeePenaltiesConfig::InitForItem(TModifyMode mode, TTovObjectItem& item) {
    TfmCustomListConfig::InitForItem(mode, item);
    ShowList(static_cast<TMorvaneConfiguration&>(item).InstallmentFeePenalties.get());
}

} // namespace duebell
