// The dialogs of one public holiday.
//
// TfmPublicHolidaysAddEdit, "Add/Edit Once-Off Public Holiday": a holiday on one date
// (TMorvanePublicHoliday). The date is the list's key: today for a new holiday, fixed when
// editing.
// TfmPublicHolidaysRecurringAddEdit, "Add/Edit Recurring Public Holiday": a holiday on the same
// month and day every year (TMorvaneRecurringPublicHoliday), chosen from the fixed English
// month names and the days that month can have. Month and day are the list's key: the first
// month and day for a new holiday, fixed when editing.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

namespace Ui {
class fmPublicHolidaysAddEdit;
class fmPublicHolidaysRecurringAddEdit;
} // namespace Ui

namespace duebell {

class TfmPublicHolidaysAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmPublicHolidaysAddEdit();
    ~TfmPublicHolidaysAddEdit() override;

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    // "Description" required.
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmPublicHolidaysAddEdit> ui_;
};

class TfmPublicHolidaysRecurringAddEdit : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmPublicHolidaysRecurringAddEdit();
    ~TfmPublicHolidaysRecurringAddEdit() override;

    // Fills the day list with the chosen month's days, keeping the chosen day where it can
    // (the 31st of January becomes the 30th of April). Runs when the month changes.
    void RebuildDayList();

protected:
    void InitForItem(TModifyMode mode, TTovObjectItem& item) override;
    // "Description" required.
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmPublicHolidaysRecurringAddEdit> ui_;
};

} // namespace duebell
