// A statement-sized page for the print benchmarks: a ledger table of 50 rows of five columns
// with ruled lines under a bold title, and a closing paragraph.
#pragma once

#include "print/canvas.h"

#include <functional>

namespace duebell {

// Fills 'pages' pages; 'newPage' makes each page after the first.
inline void BuildStatementPages(TPqCanvas& canvas, int pages,
                                const std::function<void()>& newPage) {
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            newPage();
        canvas.Font().SetSize(16);
        canvas.Font().SetStyle(fsBold);
        canvas.CentredTextOut(85, 0, "Statement of account");
        canvas.Font().SetSize(9);
        canvas.Font().SetStyle(0);
        for (int row = 0; row < 50; ++row) {
            double y = 15 + row * 4.5;
            canvas.TextOut(0, y, "12/03/2024");
            canvas.TextOut(25, y, "Instalment received");
            canvas.TextOut(95, y, "$1,250.00");
            canvas.TextOut(125, y, "$0.00");
            canvas.TextOut(150, y, "$184,312.57");
            canvas.Line(0, y + 4.2, 170, y + 4.2);
        }
        canvas.TextBox(0, 245, 170, 0, 1,
                       "Payments received after the statement date will appear on the next "
                       "statement. Please contact us if any entry is not as you expect.",
                       taLeftJustify, pqTop);
    }
}

} // namespace duebell
