// The settings dialogs of the Configuration menu, registered by class name. Each opens on the
// configuration in the request's mode and answers OK when the configuration is to be written:
// after Save, and for a list dialog after any entry was added, changed or deleted, whichever
// button closed it (its entries are in the configuration already).
#pragma once

namespace duebell {

// TfmSystemConfig, TfmOptions, TfmFeesConfig, TfmAdministrationFeeConfig,
// TfmInstallmentFeePenaltiesConfig, TfmPublicHolidaysConfig, TfmPublicHolidaysRecurringConfig
// and TfmRateChangesConfig.
void RegisterSettingsWindows();

} // namespace duebell
