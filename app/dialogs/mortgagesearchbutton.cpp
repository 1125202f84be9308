#include "app/dialogs/mortgagesearchbutton.h"

#include "app/dialogs/mortgagesearch.h"
#include "app/framework/modalrunner.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"

#include <QImage>

namespace duebell {

namespace {

// A magnifier on the olive background that the button takes as transparent.
QImage MagnifierGlyph() {
    static const char* const rows[16] = {
        "................", "....xxxx........", "...xoooox.......", "..xoowoooox......",
        "..xowoooox......", "..xoooooox......", "..xoooooox......", "...xoooox.......",
        "....xxxxhh......", "........hhh.....", ".........hhh....", "..........hhh...",
        "...........hhh..", "............hh..", "................", "................"};
    QImage glyph(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            QRgb colour = qRgb(0x80, 0x80, 0x00); // olive: transparent
            switch (rows[y][x]) {
            case 'x':
                colour = qRgb(0x00, 0x00, 0x00);
                break;
            case 'o':
                colour = qRgb(0x00, 0xFF, 0xFF);
                break;
            case 'w':
                colour = qRgb(0xFF, 0xFF, 0xFF);
                break;
            case 'h':
                colour = qRgb(0x80, 0x00, 0x00);
                break;
            default:
                break;
            }
            glyph.setPixel(x, y, colour);
        }
    return glyph;
}

} // namespace

TMorvaneMortgageSearchButton::TMorvaneMortgageSearchButton(QWidget* parent)
    : TExSpeedButton(parent) {
    SetGlyph(MagnifierGlyph());
    setFixedHeight(21);
    setMinimumWidth(21);
    setToolTip("Search...");
    setAccessibleName("Search...");
}

void TMorvaneMortgageSearchButton::Click() {
    TExSpeedButton::Click();
    TfmMortgageSearch search;
    if (ExecModal(search) == mrOk && LinkedGridBox && !search.ChosenLoanNumber().empty())
        LinkedGridBox->SetItemIndex(LinkedGridBox->FindRow(search.ChosenLoanNumber()));
}

} // namespace duebell
