#include "app/dialogs/holidaydialogs.h"

#include "app/dialogs/holidaydaylist.h"
#include "app/framework/controlbinder.h"
#include "controls/uihooks.h"
#include "domain/periods.h"
#include "objectlist/clock.h"
#include "ui_onceoffholidayaddedit.h"
#include "ui_recurringholidayaddedit.h"

#include <QSignalBlocker>

namespace duebell {

TfmPublicHolidaysAddEdit::TfmPublicHolidaysAddEdit()
    : TfmCustomDetailForm("fmPublicHolidaysAddEdit", "Add/Edit Once-Off Public Holiday"),
      ui_(std::make_unique<Ui::fmPublicHolidaysAddEdit>()) {
    ui_->setupUi(Body());
    Binder().AddRows({{ui_->edtDescription, "Text", "Description"},
                      {ui_->edtHolidayDate, "Date", "TransactionDate"}});
}

TfmPublicHolidaysAddEdit::~TfmPublicHolidaysAddEdit() = default;

void TfmPublicHolidaysAddEdit::InitForItem(TModifyMode mode, TTovObjectItem&) {
    if (mode == mmAdd)
        ui_->edtHolidayDate->SetDate(Date());
    else if (mode == mmEdit)
        ui_->edtHolidayDate->setEnabled(false);
}

void TfmPublicHolidaysAddEdit::ValidateSave() {
    RequireValue(ui_->edtDescription->text(), "Description", ui_->edtDescription);
}

TfmPublicHolidaysRecurringAddEdit::TfmPublicHolidaysRecurringAddEdit()
    : TfmCustomDetailForm("fmPublicHolidaysRecurringAddEdit", "Add/Edit Recurring Public Holiday"),
      ui_(std::make_unique<Ui::fmPublicHolidaysRecurringAddEdit>()) {
    ui_->setupUi(Body());
    Binder().AddRows({{ui_->edtDescription, "Text", "Description"},
                      {ui_->cmbHolidayMonth, "Text", "MonthStr"},
                      {ui_->cmbHolidayDay, "Text", "DayStr"}});
    {
        const QSignalBlocker fillLock(ui_->cmbHolidayMonth);
        for (std::string_view month : LongMonthNames)
            ui_->cmbHolidayMonth->addItem(QString::fromUtf8(month.data(), month.size()));
        ui_->cmbHolidayMonth->setCurrentIndex(0);
    }
    RebuildDayList();
    connect(ui_->cmbHolidayMonth, &QComboBox::currentIndexChanged, this,
            [this] { GuardEvent([this] { RebuildDayList(); }); });
}

TfmPublicHolidaysRecurringAddEdit::~TfmPublicHolidaysRecurringAddEdit() = default;

void TfmPublicHolidaysRecurringAddEdit::RebuildDayList() {
    QComboBox& days = *ui_->cmbHolidayDay;
    const int kept = days.currentIndex();
    const std::vector<std::string> texts =
        HolidayDayTexts(ui_->cmbHolidayMonth->currentIndex() + 1);
    const QSignalBlocker fillLock(days);
    days.clear();
    for (const std::string& text : texts)
        days.addItem(QString::fromStdString(text));
    days.setCurrentIndex(KeptDayIndex(kept, static_cast<int>(texts.size())));
}

void TfmPublicHolidaysRecurringAddEdit::InitForItem(TModifyMode mode, TTovObjectItem&) {
    if (mode == mmAdd) {
        const QSignalBlocker fillLock(ui_->cmbHolidayMonth);
        ui_->cmbHolidayMonth->setCurrentIndex(0);
        ui_->cmbHolidayDay->setCurrentIndex(0);
    } else if (mode == mmEdit) {
        ui_->cmbHolidayMonth->setEnabled(false);
        ui_->cmbHolidayDay->setEnabled(false);
    }
    RebuildDayList();
}

void TfmPublicHolidaysRecurringAddEdit::ValidateSave() {
    RequireValue(ui_->edtDescription->text(), "Description", ui_->edtDescription);
}

} // namespace duebell
