#include "print/rasterop.h"

#include <QPaintEngine>

namespace duebell {

namespace {

// The picture with every pixel's colour turned by 'op' (alpha kept opaque).
template <class Op> QImage MapPixels(const QImage& picture, Op op) {
    QImage result = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            line[x] = 0xFF000000u | (op(line[x]) & 0x00FFFFFFu);
    }
    return result;
}

void Draw(QPainter& painter, const QRect& rect, const QImage& picture,
          QPainter::CompositionMode mode) {
    painter.save();
    painter.setCompositionMode(mode);
    painter.drawImage(rect, picture);
    painter.restore();
}

void Fill(QPainter& painter, const QRect& rect, QColor colour, QPainter::CompositionMode mode) {
    painter.save();
    painter.setCompositionMode(mode);
    painter.fillRect(rect, colour);
    painter.restore();
}

} // namespace

bool IsKnownCopyMode(std::uint32_t copyMode) {
    switch (copyMode) {
    case cmBlackness:
    case cmDstInvert:
    case cmMergeCopy:
    case cmMergePaint:
    case cmNotSrcCopy:
    case cmNotSrcErase:
    case cmPatCopy:
    case cmPatInvert:
    case cmPatPaint:
    case cmSrcAnd:
    case cmSrcCopy:
    case cmSrcErase:
    case cmSrcInvert:
    case cmSrcPaint:
    case cmWhiteness:
        return true;
    default:
        return false;
    }
}

void DrawWithCopyMode(QPainter& painter, const QRect& rect, const QImage& picture,
                      std::uint32_t copyMode, QColor pattern) {
    using CM = QPainter::CompositionMode;
    const QRgb p = pattern.rgb();
    // The codes that need nothing of the device are worked out here and drawn on any device.
    switch (copyMode) {
    case cmBlackness:
        return Fill(painter, rect, Qt::black, CM::CompositionMode_Source);
    case cmWhiteness:
        return Fill(painter, rect, Qt::white, CM::CompositionMode_Source);
    case cmPatCopy:
        return Fill(painter, rect, pattern, CM::CompositionMode_Source);
    case cmNotSrcCopy:
        return Draw(painter, rect, MapPixels(picture, [](QRgb s) { return ~s; }),
                    CM::CompositionMode_Source);
    case cmMergeCopy:
        return Draw(painter, rect, MapPixels(picture, [p](QRgb s) { return p & s; }),
                    CM::CompositionMode_Source);
    default:
        break;
    }
    const QImage opaque = picture.convertToFormat(QImage::Format_RGB32);
    // Only the raster engine of images combines with what it shows (the PDF engine claims the
    // raster operations too, but draws them as plain fills).
    const QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster)
        return Draw(painter, rect, opaque, CM::CompositionMode_SourceOver);
    switch (copyMode) {
    case cmDstInvert:
        return Fill(painter, rect, Qt::black, CM::RasterOp_NotDestination);
    case cmPatInvert:
        return Fill(painter, rect, pattern, CM::RasterOp_SourceXorDestination);
    case cmSrcPaint:
        return Draw(painter, rect, opaque, CM::RasterOp_SourceOrDestination);
    case cmSrcAnd:
        return Draw(painter, rect, opaque, CM::RasterOp_SourceAndDestination);
    case cmSrcInvert:
        return Draw(painter, rect, opaque, CM::RasterOp_SourceXorDestination);
    case cmSrcErase:
        return Draw(painter, rect, opaque, CM::RasterOp_SourceAndNotDestination);
    case cmNotSrcErase:
        return Draw(painter, rect, opaque, CM::RasterOp_NotSourceAndNotDestination);
    case cmMergePaint:
        return Draw(painter, rect, opaque, CM::RasterOp_NotSourceOrDestination);
    case cmPatPaint:
        return Draw(painter, rect, MapPixels(opaque, [p](QRgb s) { return p | ~s; }),
                    CM::RasterOp_SourceOrDestination);
    default:
        return Draw(painter, rect, opaque, CM::CompositionMode_SourceOver);
    }
}

} // namespace duebell
