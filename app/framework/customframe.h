// TfmeCustomFrame: the base of the record lists on the main window's tabs and in the settings
// dialogs. It stretches its controls and grid columns with its width (a form scaler) and hears
// every change of the loan book's clients, properties and loans.
//
// A subclass builds its controls in its constructor, then calls DesignedAt with the size they
// were laid out for: from then on a wider frame stretches them (and its grids' columns) in
// proportion. Controls a Qt layout places keep to their layout; their grids' columns still
// stretch. It overrides ClientsChanged, PropertiesChanged or MortgagesChanged to follow those
// lists (refill a pick list, refresh a grid).
#pragma once

#include <QFrame>
#include <memory>

namespace duebell {

class TFormScaler;
class TMorvaneObserver;

class TfmeCustomFrame : public QFrame {
    Q_OBJECT

public:
    // Listens to the clients, properties and loans of the loan book (Data()) when there is one.
    explicit TfmeCustomFrame(QWidget* parent = nullptr);
    ~TfmeCustomFrame() override;

    TFormScaler& Scaler() const { return *scaler_; }

protected:
    // Sizes the frame as designed and records its layout there.
    void DesignedAt(int width, int height);

    // Every change of the loan book's list (a record added or deleted, the list cleared or
    // sorted, the refresh after loading) while it is the program's loan book (Data()); the
    // base does nothing.
    virtual void ClientsChanged();
    virtual void MortgagesChanged();
    virtual void PropertiesChanged();

    void resizeEvent(QResizeEvent* event) override;

private:
    TFormScaler* scaler_;
    std::unique_ptr<TMorvaneObserver> propertyObserver_;
    std::unique_ptr<TMorvaneObserver> clientObserver_;
    std::unique_ptr<TMorvaneObserver> mortgageObserver_;
};

} // namespace duebell
