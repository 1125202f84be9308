// TfmeDuebells: the "Duebells" tab, a grid of the loan book's current alerts (loan number,
// property address, client name and status). A double-click on an alert asks whether to print
// the notice it calls for or to clear it.
//
// The grid shows the list it is given (the empty alert list) until the loan list first says
// it changed; from then on it shows the book's current alerts and follows them, refilled once
// after every change, or once after a batch of them (a loan's recalculation, the daily
// refresh); a freed alert is never left on screen, the grid forgetting it at once.
#pragma once

#include "app/framework/customframe.h"

#include <memory>

namespace duebell {

class TMorvaneData;
class TTovObjectList;
class TTovObjectListGrid;

class TfmeDuebells : public TfmeCustomFrame {
    Q_OBJECT

public:
    explicit TfmeDuebells(TTovObjectList* alerts, QWidget* parent = nullptr);
    ~TfmeDuebells() override;

    TTovObjectListGrid* Grid() const { return stgHeaderGrid_; }

    // The alert of the selected row asks for an action: Print opens its report, Clear clears
    // it; Cancel, or no alert selected, does nothing.
    void GridDblClick();

protected:
    // Shows, and from now on follows, the book's current alerts.
    void MortgagesChanged() override;

private:
    void ShowCurrentAlerts();

    TTovObjectListGrid* stgHeaderGrid_;
    class AlertsObserver;
    std::unique_ptr<AlertsObserver> alertsObserver_;
};

} // namespace duebell
