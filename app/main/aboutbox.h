// The about box: the picture, "Duebell version 1.01" and the product's web address, which
// opens in the browser when clicked and shows the hand cursor while the mouse is over it.
#pragma once

#include <QDialog>

namespace duebell {

inline constexpr const char* ProductWebAddress = "https://www.example.com/duebell";

class TfmAbout : public QDialog {
    Q_OBJECT

public:
    TfmAbout();
};

} // namespace duebell
