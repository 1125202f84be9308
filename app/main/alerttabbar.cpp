#include "app/main/alerttabbar.h"

#include <QStyleOptionTab>

namespace duebell {

TAlertTabBar::TAlertTabBar(std::function<bool(int)> alerting, QWidget* parent)
    : QTabBar(parent), alerting_(std::move(alerting)) {}

void TAlertTabBar::initStyleOption(QStyleOptionTab* option, int tabIndex) const {
    QTabBar::initStyleOption(option, tabIndex);
    // Red in every state, also on a disabled tab; otherwise the style's own black (or grey).
    if (!alerting_(tabIndex))
        return;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        option->palette.setColor(group, foregroundRole(), Qt::red);
}

} // namespace duebell

namespace duebell {

TAlertPageControl::TAlertPageControl(std::function<bool(int)> alerting, QWidget* parent)
    : QTabWidget(parent) {
    setTabBar(new TAlertTabBar(std::move(alerting), this));
}

} // namespace duebell
