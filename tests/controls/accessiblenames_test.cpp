// Controls that paint themselves tell assistive technology what they are.
#include "controls/editbutton.h"
#include "controls/exspeedbutton.h"
#include "controls/exspinedit.h"
#include "controls/gridbox.h"
#include "controls/numedit.h"
#include "support/qtapp.h"

#include <QAccessible>
#include <gtest/gtest.h>

namespace duebell {
namespace {

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

TEST(AccessibleNames, SelfPaintedControlsNameThemselves) {
    TExSpeedButton save;
    save.SetCaption("&Save && Close");
    TExSpeedButton search;
    search.setToolTip("Find a loan");
    TExSpeedButton named;
    named.setAccessibleName("Loan search");
    named.SetCaption("...");
    TGridBox box;
    TCustomNumEdit number;
    TExSpinEdit spin;
    const std::pair<QWidget*, const char*> rows[] = {
        {&save, "Save & Close"}, {&search, "Find a loan"},        {&named, "Loan search"},
        {box.Button(), "Open"},  {number.Button(), "Calculator"}, {spin.Button(), "Up or down"},
    };
    for (const auto& [widget, name] : rows)
        EXPECT_EQ(AccessibleName(widget), name) << name;
}

} // namespace
} // namespace duebell
