#include "print/pagerender.h"

#include "print/devicecanvas.h"
#include "print/pagelist.h"
#include "print/richtext.h"

#include <cmath>

namespace duebell {

void RenderPage(QPainter& painter, const TPqPage& page, const TPqRenderTarget& target) {
    painter.save();
    painter.translate(target.Origin);
    painter.scale(target.PixelsPerInchX / LogicalPixelsPerInch,
                  target.PixelsPerInchY / LogicalPixelsPerInch);
    TPqDrawContext context{page.PageNumber(), page.Owner().Count(), target.Timestamp};
    TPqDeviceCanvas canvas(painter, context);
    page.Draw(canvas, target.Purpose);
    painter.restore();
}

void RenderPageRichText(QPainter& painter, const TPqPage& page, const TPqRenderTarget& target) {
    const TPqPageRtfInfo& info = page.RtfInfo();
    if (!info.Memo || !info.Memo->Document)
        return;
    painter.save();
    painter.translate(target.Origin);
    painter.scale(1, target.PixelsPerInchY / target.PixelsPerInchX);
    DrawRtf(painter, target.PixelsPerInchX, *info.Memo->Document, info.FirstChar, info.LastChar,
            {page.Width(), page.Height()}, info.Margins);
    painter.restore();
}

QImage RenderPageImage(const TPqPage& page, double pixelsPerInch) {
    QSize size(static_cast<int>(std::lround(page.Width() * pixelsPerInch)),
               static_cast<int>(std::lround(page.Height() * pixelsPerInch)));
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(pixelsPerInch / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(pixelsPerInch / 0.0254)));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    TPqRenderTarget target;
    target.PixelsPerInchX = target.PixelsPerInchY = pixelsPerInch;
    RenderPageRichText(painter, page, target);
    RenderPage(painter, page, target);
    return image;
}

} // namespace duebell
