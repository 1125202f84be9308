#include "app/main/alerttabbar.h"

#include <QStyleOptionTab>

namespace duebell {

TAlertTabBar::TAlertTabBar(std::function<bool(int)> alerting, QWidget* parent)
    : QTabBar(parent), alerting_(std::move(alerting)) {}

void TAlertTabBar::initStyleOption(QStyleOptionTab* option, int tabIndex) const {
    QTabBar::initStyleOption(option, tabIndex);
    // Only the enabled looks: a disabled tab keeps the style's grey.
    const QColor colour = alerting_(tabIndex) ? QColor(Qt::red) : QColor(Qt::black);
    option->palette.setColor(QPalette::Active, foregroundRole(), colour);
    option->palette.setColor(QPalette::Inactive, foregroundRole(), colour);
}

} // namespace duebell

namespace duebell {

TAlertPageControl::TAlertPageControl(std::function<bool(int)> alerting, QWidget* parent)
    : QTabWidget(parent) {
    setTabBar(new TAlertTabBar(std::move(alerting), this));
}

} // namespace duebell
