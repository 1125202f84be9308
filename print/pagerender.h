// The one renderer: draws a page of a document onto any QPainter (a screen image, a PDF
// writer, a printer). Outputs differ only by scale, origin and the purpose, which decides
// whether non-printable objects and the margin clip apply.
#pragma once

#include "objectlist/clock.h"
#include "print/page.h"
#include "print/textmetrics.h"

#include <QImage>
#include <QPainter>
#include <QPointF>

namespace duebell {

struct TPqRenderTarget {
    // The painter's device pixels per inch.
    double PixelsPerInchX = LogicalPixelsPerInch;
    double PixelsPerInchY = LogicalPixelsPerInch;
    // Where the paper's corner lies on the device, device pixels.
    QPointF Origin;
    TPqRenderPurpose Purpose = TPqRenderPurpose::Screen;
    // The date and time "{DATE}" and "{TIME}" show.
    double Timestamp = Now();
};

// The page's objects, header and footer.
void RenderPage(QPainter& painter, const TPqPage& page, const TPqRenderTarget& target);
// The page's rich text, when it has any.
void RenderPageRichText(QPainter& painter, const TPqPage& page, const TPqRenderTarget& target);
// A sheet of white paper with the page on it, as the screen shows it.
QImage RenderPageImage(const TPqPage& page, double pixelsPerInch);

} // namespace duebell
