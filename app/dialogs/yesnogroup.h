// TYesNoGroup: a titled group of two radio items, "Yes" (item 0) and "No" (item 1), that starts
// with neither chosen, so a dialog can tell an answer from no answer. The loan dialog asks its
// after-add questions with three of them.
#pragma once

#include <QGroupBox>
#include <functional>

class QButtonGroup;
class QRadioButton;

namespace duebell {

class TYesNoGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)

public:
    explicit TYesNoGroup(QWidget* parent = nullptr);

    // 0 for "Yes", 1 for "No", -1 while neither is chosen.
    int ItemIndex() const;
    // -1 (or any other value) chooses neither; clicks nothing.
    void SetItemIndex(int index);
    bool Answered() const { return ItemIndex() >= 0; }
    bool Yes() const { return ItemIndex() == 0; }

    // The item of a position (0 "Yes", 1 "No"): rbYes and rbNo.
    QRadioButton* Item(int index) const;

    // A click on either item; errors go to the program's handler.
    std::function<void()> OnClick;

private:
    QButtonGroup* items_;
};

} // namespace duebell
