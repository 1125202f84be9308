#include "app/dialogs/holidaysconfig.h"

#include "app/dialogs/holidaydialogs.h"
#include "app/framework/objectlistgrid.h"
#include "domain/configuration.h"

namespace duebell {

TfmPublicHolidaysConfig::TfmPublicHolidaysConfig()
    : TfmCustomListConfig("fmPublicHolidaysConfig", "Once-Off Public Holiday Configuration",
                          "fmeCustomHeaderFrame1", " Public Holiday Overview ") {
    Frame()->Grid()->AddColumn("Date", "TransactionDate", 120);
    Frame()->Grid()->AddColumn("Description", "Description", 311);
    Frame()->OnGetDetailFormClass = DetailFormClass<TfmPublicHolidaysAddEdit>();
    RebuildLoansAfterChanges();
    FrameDesigned(300);
}

void TfmPublicHolidaysConfig::InitForItem(TModifyMode, TTovObjectItem& item) {
    ShowList(static_cast<TMorvaneConfiguration&>(item).PublicHolidayList.get());
}

TfmPublicHolidaysRecurringConfig::TfmPublicHolidaysRecurringConfig()
    : TfmCustomListConfig("fmPublicHolidaysRecurringConfig",
                          "Recurring Public Holiday Configuration", "fmeCustomHeaderFrame1",
                          " Public Holiday Overview ") {
    Frame()->Grid()->AddColumn("Month", "MonthStr", 80);
    Frame()->Grid()->AddColumn("Day", "DayStr", 80);
    Frame()->Grid()->AddColumn("Description", "Description", 269);
    Frame()->OnGetDetailFormClass = DetailFormClass<TfmPublicHolidaysRecurringAddEdit>();
    RebuildLoansAfterChanges();
    FrameDesigned(300);
}

void TfmPublicHolidaysRecurringConfig::InitForItem(TModifyMode, TTovObjectItem& item) {
    ShowList(static_cast<TMorvaneConfiguration&>(item).RecurringPublicHolidayList.get());
}

} // namespace duebell
