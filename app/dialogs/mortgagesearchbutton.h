// TMorvaneMortgageSearchButton: the magnifier beside a loan pick list. A click opens the loan
// search; a loan chosen there and confirmed with OK is chosen in the linked pick list (whose
// change handler then runs as for a choice made in the list).
#pragma once

#include "controls/exspeedbutton.h"

#include <QPointer>

namespace duebell {

class TGridBox;

class TMorvaneMortgageSearchButton : public TExSpeedButton {
    Q_OBJECT
public:
    // 21 pixels high, with the magnifier glyph.
    explicit TMorvaneMortgageSearchButton(QWidget* parent = nullptr);

    // The pick list the chosen loan goes to; may be none.
    QPointer<TGridBox> LinkedGridBox;

    void Click() override;

    QSize sizeHint() const override { return {21, 21}; }
};

} // namespace duebell
