#include "app/framework/combofill.h"
#include "domain/periods.h"
#include "support/qtapp.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace duebell {
namespace {

QStringList Entries(const QComboBox& combo) {
    QStringList entries;
    for (int i = 0; i < combo.count(); ++i)
        entries << combo.itemText(i);
    return entries;
}

TEST(FillComboFromArray, ThePeriodTablesFillTheirBoxesWithTheFirstEntryChosen) {
    const struct {
        std::span<const std::string_view> table;
        QStringList entries;
    } cases[] = {
        {PaymentPeriodNames, {"Weekly", "Fortnightly", "Monthly"}},
        {StatementPeriodNames, {"Monthly", "Quarterly", "Tri-Yearly", "Half-Yearly"}},
        {FrequencyNames, {"Weekly", "Fortnightly", "Monthly", "Quarterly", "Annually"}},
        {PaymentTypeNames, {"Payment"}},
    };
    for (const auto& c : cases) {
        QComboBox combo;
        int changes = 0;
        QObject::connect(&combo, &QComboBox::currentIndexChanged, [&] { ++changes; });
        FillComboFromArray(c.table, combo);
        EXPECT_EQ(Entries(combo), c.entries);
        EXPECT_EQ(combo.currentIndex(), 0);
        EXPECT_EQ(changes, 0) << "a fill is no user's choice";
    }
}

TEST(FillComboFromArray, AppendsToWhatIsThereAndChoosesTheVeryFirstEntry) {
    QComboBox combo;
    combo.addItems({"(none)", "Other"});
    combo.setCurrentIndex(1);
    FillComboFromArray(PaymentPeriodNames, combo);
    EXPECT_EQ(Entries(combo), QStringList({"(none)", "Other", "Weekly", "Fortnightly", "Monthly"}));
    EXPECT_EQ(combo.currentText(), "(none)");

    QComboBox empty;
    FillComboFromArray({}, empty);
    EXPECT_EQ(empty.currentIndex(), -1);
}

} // namespace
} // namespace duebell
