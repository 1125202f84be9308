// The public holiday lists of the configuration, which decide the business days.
//
// TfmPublicHolidaysConfig, "Once-Off Public Holiday Configuration": holidays on one date.
// TfmPublicHolidaysRecurringConfig, "Recurring Public Holiday Configuration": holidays on the
// same month and day every year.
// A second holiday on a listed date (or month and day) is refused by the list as a duplicate.
#pragma once

#include "app/dialogs/settingslistdialog.h"

namespace duebell {

class TfmPublicHolidaysConfig : public TfmCustomListConfig {
    Q_OBJECT

public:
    TfmPublicHolidaysConfig();

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
};

class TfmPublicHolidaysRecurringConfig : public TfmCustomListConfig {
    Q_OBJECT

public:
    TfmPublicHolidaysRecurringConfig();

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
};

} // namespace duebell
