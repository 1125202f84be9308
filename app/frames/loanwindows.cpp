#include "app/frames/loanwindows.h"

#include "app/frames/loantransactionsframe.h"
#include "app/frames/mortgagesframe.h"
#include "app/framework/windowregistry.h"
#include "domain/datafiles.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"

namespace duebell {

void RegisterLoanWindows(const std::string& configurationFile) {
    RegisterWindow("TfmeMortgages", [configurationFile](const WindowRequest& request) {
        TTovObjectList* loans = request.list;
        if (loans == nullptr && Data() != nullptr)
            loans = Data()->Mortgages.get();
        OpenedWindow opened;
        opened.widget = std::make_unique<TfmeMortgages>(
            loans, [configurationFile] { SaveConfigurationNow(configurationFile); });
        return opened;
    });
    RegisterWindow("TfmeLoanTransactions", [](const WindowRequest& request) {
        auto frame = std::make_unique<TfmeLoanTransactions>();
        if (!request.loanNumber.empty())
            frame->ChooseLoan(request.loanNumber);
        OpenedWindow opened;
        opened.widget = std::move(frame);
        return opened;
    });
}

} // namespace duebell
