// TPopupWindow: the drop-down of a combo edit. A Qt popup window with a border that belongs
// to its field: keys typed while it is open go to the field's popup-key handling, a press
// outside closes it (with accept only on the field's button), and closing it by any way
// reports to the field.
#pragma once

#include <QFrame>
#include <QVariant>
#include <functional>

namespace duebell {

class TCustomComboEdit;

class TPopupWindow : public QFrame {
    Q_OBJECT
public:
    explicit TPopupWindow(TCustomComboEdit* editor);

    TCustomComboEdit* Editor() const { return editor_; }
    virtual QVariant GetValue() const = 0;
    virtual void SetValue(const QVariant& value) = 0;
    // Calls OnCloseUp with the accept flag.
    virtual void CloseUp(bool accept);
    // The text the field shows while the popup is open (none in the base).
    virtual QString GetPopupText() const { return {}; }

    std::function<void(bool accept)> OnCloseUp;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    TCustomComboEdit* editor_;
};

} // namespace duebell
