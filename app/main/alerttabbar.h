// The main window's tab bar: the caption of the alert tab is drawn red while the loan book has
// alerts, in the style's colour otherwise, decided afresh at every drawing.
#pragma once

#include <QTabBar>
#include <QTabWidget>
#include <functional>

namespace duebell {

class TAlertTabBar : public QTabBar {
    Q_OBJECT

public:
    // `alerting` tells, at drawing time, whether the tab of that index shows in red.
    explicit TAlertTabBar(std::function<bool(int index)> alerting, QWidget* parent = nullptr);

protected:
    void initStyleOption(QStyleOptionTab* option, int tabIndex) const override;

private:
    std::function<bool(int)> alerting_;
};

} // namespace duebell

namespace duebell {

// A page control whose tab bar is a TAlertTabBar.
class TAlertPageControl : public QTabWidget {
    Q_OBJECT

public:
    explicit TAlertPageControl(std::function<bool(int index)> alerting, QWidget* parent = nullptr);
};

} // namespace duebell
