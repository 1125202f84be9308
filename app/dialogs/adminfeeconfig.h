// The arrears administration fee amounts of the configuration, each in force from its
// effective date.
//
// TfmAdministrationFeeConfig, "Arrears Administration Fee Configuration" (the Configuration
// menu's): an amount added or changed with today's date offers a Notice of Payment Change for
// every loan, printed without preview one after the other.
// TfmInstallmentFeePenaltiesConfig, "Installment Fee Penalties": the same list, asking nothing.
#pragma once

#include "app/dialogs/settingslistdialog.h"

namespace duebell {

class TfmAdministrationFeeConfig : public TfmCustomListConfig {
    Q_OBJECT

public:
    TfmAdministrationFeeConfig();

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    void AfterModify(TModifyMode mode, TTovObjectItem& record, TfmCustomDetailForm& dialog,
                     bool saved) override;
};

class TfmInstallmentFeePenaltiesConfig : public TfmCustomListConfig {
    Q_OBJECT

public:
    TfmInstallmentFeePenaltiesConfig();

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
};

} // namespace duebell
