#include "app/frames/feewindows.h"

#include "app/dialogs/instalmentfeelist.h"
#include "app/frames/feechargesframe.h"
#include "app/framework/windowregistry.h"
#include "domain/configuration.h"
#include "domain/processobjects.h"
#include "objectlist/exceptions.h"

namespace duebell {

void RegisterFeeWindows() {
    RegisterWindow("TfmFeesInstallmentConfig", [](const WindowRequest& request) {
        if (Configuration() == nullptr)
            throw InternalError("The instalment fees are opened without a configuration.");
        TfmFeesInstallmentConfig dialog;
        if (!request.loanNumber.empty())
            dialog.ChooseLoan(request.loanNumber);
        OpenedWindow opened;
        opened.modalResult = dialog.EditItem(request.mode, *Configuration());
        return opened;
    });
    RegisterWindow("TfmeFeeTransaction", [](const WindowRequest&) {
        OpenedWindow opened;
        opened.widget = std::make_unique<TfmeFeeTransaction>();
        return opened;
    });
}

} // namespace duebell
