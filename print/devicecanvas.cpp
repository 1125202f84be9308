#include "print/devicecanvas.h"

#include "print/units.h"

#include <QLineF>
#include <QTransform>
#include <cmath>

namespace duebell {

int DeviceUnits(double inches) {
    return static_cast<int>(RoundHalfEven(inches * LogicalPixelsPerInch));
}

Qt::PenStyle ToQtPenStyle(TPenStyle style) {
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    case psSolid:
    case psInsideFrame:
        break;
    }
    return Qt::SolidLine;
}

namespace {

Qt::BrushStyle ToQtBrushStyle(TBrushStyle style) {
    switch (style) {
    case bsSolid:
        return Qt::SolidPattern;
    case bsClear:
        return Qt::NoBrush;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

// Device pixels per page pixel along x, as the painter maps them.
double DeviceScale(const QPainter& painter) {
    return QLineF(painter.deviceTransform().map(QPointF(0, 0)),
                  painter.deviceTransform().map(QPointF(1, 0)))
        .length();
}

// The angle of 'p' on the ellipse in 'rect' as Qt's arc angles count it: the parameter of the
// ellipse point on the radial through 'p', in degrees counter-clockwise from three o'clock.
double EllipseAngle(const QRectF& rect, QPoint p) {
    QPointF c = rect.center();
    double rx = rect.width() / 2;
    double ry = rect.height() / 2;
    if (rx <= 0 || ry <= 0)
        return 0;
    return std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx) * 180 / M_PI;
}

} // namespace

TPqDeviceCanvas::TPqDeviceCanvas(QPainter& painter, const TPqDrawContext& context)
    : painter_(painter), context_(context) {
    if (painter.hasClipping())
        outerClip_ = painter.clipPath();
    SelectPen(TPqPen());
    SelectBrush(TPqBrush());
}

void TPqDeviceCanvas::SelectPen(const TPqPen& pen) {
    if (pen.Style() == psClear) {
        pen_ = QPen(Qt::NoPen);
        return;
    }
    int width = std::max(pen.Width(), 1);
    // Styled lines wider than one pixel come out solid, as Windows draws them.
    Qt::PenStyle style = width > 1 ? Qt::SolidLine : ToQtPenStyle(pen.Style());
    pen_ = QPen(ToQColor(pen.Color()), width, style, Qt::RoundCap, Qt::RoundJoin);
    // However far the device shrinks the page, a line stays at least one device pixel wide.
    if (width * DeviceScale(painter_) < 1) {
        pen_.setWidth(1);
        pen_.setCosmetic(true);
    }
}

void TPqDeviceCanvas::SelectBrush(const TPqBrush& brush) {
    brush_ = QBrush(ToQColor(brush.Color()), ToQtBrushStyle(brush.Style()));
}

void TPqDeviceCanvas::SelectClearBrush() {
    brush_ = QBrush(Qt::NoBrush);
}

void TPqDeviceCanvas::SelectFont(const TPqFont& font, double angle) {
    metrics_.emplace(font);
    fontColor_ = ToQColor(font.Color());
    fontAngle_ = angle;
}

void TPqDeviceCanvas::TextOut(QPoint topLeft, const QString& text) {
    if (!metrics_ || text.isEmpty())
        return;
    painter_.save();
    painter_.translate(topLeft);
    if (fontAngle_ != 0)
        painter_.rotate(-fontAngle_);
    if (brush_.style() != Qt::NoBrush)
        painter_.fillRect(QRect(0, 0, metrics_->TextWidth(text), metrics_->Height()),
                          brush_.color());
    painter_.setFont(metrics_->Font());
    painter_.setPen(fontColor_);
    // Qt places text by its baseline, a device context by the top of its cell.
    painter_.drawText(QPointF(0, metrics_->Ascent()), text);
    painter_.restore();
}

void TPqDeviceCanvas::DrawText(const QRect& rect, const QString& text,
                               const TPqDrawTextFlags& flags) {
    if (!metrics_)
        return;
    painter_.save();
    if (!flags.NoClip)
        painter_.setClipRect(rect, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter_.setFont(metrics_->Font());
    painter_.setPen(fontColor_);
    int y = rect.top();
    for (const TPqTextLine& line :
         BreakTextLines(*metrics_, text, rect.width(), flags.WordBreak, flags.ExpandTabs)) {
        int x = rect.left();
        if (flags.Alignment == 1)
            x += (rect.width() - line.Width) / 2;
        else if (flags.Alignment == 2)
            x += rect.width() - line.Width;
        for (const TPqTextRun& run : line.Runs)
            painter_.drawText(QPointF(x + run.X, y + metrics_->Ascent()), run.Text);
        y += metrics_->Height();
    }
    painter_.restore();
}

void TPqDeviceCanvas::MoveTo(QPoint p) {
    position_ = p;
    if (inPath_)
        path_.moveTo(p);
}

void TPqDeviceCanvas::LineTo(QPoint p) {
    if (inPath_) {
        if (path_.elementCount() == 0 || path_.currentPosition() != QPointF(position_))
            path_.moveTo(position_);
        path_.lineTo(p);
    } else {
        QPainterPath line(position_);
        line.lineTo(p);
        Paint(line, false);
    }
    position_ = p;
}

void TPqDeviceCanvas::Polygon(const QPolygon& points) {
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    Paint(path, true);
}

void TPqDeviceCanvas::Polyline(const QPolygon& points) {
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    Paint(path, false);
}

void TPqDeviceCanvas::PolylineTo(const QPolygon& points) {
    for (QPoint p : points)
        LineTo(p);
}

void TPqDeviceCanvas::PolyBezier(const QPolygon& points) {
    if (points.size() < 4)
        return;
    position_ = points[0];
    if (inPath_)
        path_.moveTo(position_);
    PolyBezierTo(points.mid(1));
}

void TPqDeviceCanvas::PolyBezierTo(const QPolygon& points) {
    QPainterPath curve(position_);
    for (qsizetype i = 0; i + 2 < points.size(); i += 3) {
        curve.cubicTo(points[i], points[i + 1], points[i + 2]);
        position_ = points[i + 2];
    }
    if (inPath_) {
        if (path_.elementCount() == 0 || path_.currentPosition() != curve.elementAt(0))
            path_.moveTo(curve.elementAt(0));
        path_.connectPath(curve);
    } else {
        Paint(curve, false);
    }
}

void TPqDeviceCanvas::Ellipse(const QRect& rect) {
    QPainterPath path;
    path.addEllipse(QRectF(rect));
    Paint(path, true);
}

void TPqDeviceCanvas::RoundRect(const QRect& rect, int cornerWidth, int cornerHeight) {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect), cornerWidth / 2.0, cornerHeight / 2.0);
    Paint(path, true);
}

QPainterPath TPqDeviceCanvas::ArcPath(const QRect& rect, QPoint start, QPoint end,
                                      bool moveToStart) const {
    QRectF r(rect);
    double from = EllipseAngle(r, start);
    double sweep = EllipseAngle(r, end) - from;
    if (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (moveToStart)
        path.arcMoveTo(r, from);
    else
        path.moveTo(r.center());
    path.arcTo(r, from, sweep);
    return path;
}

void TPqDeviceCanvas::Arc(const QRect& rect, QPoint start, QPoint end) {
    Paint(ArcPath(rect, start, end, true), false);
}

void TPqDeviceCanvas::Chord(const QRect& rect, QPoint start, QPoint end) {
    QPainterPath path = ArcPath(rect, start, end, true);
    path.closeSubpath();
    Paint(path, true);
}

void TPqDeviceCanvas::Pie(const QRect& rect, QPoint start, QPoint end) {
    QPainterPath path = ArcPath(rect, start, end, false);
    path.closeSubpath();
    Paint(path, true);
}

void TPqDeviceCanvas::StretchDraw(const QRect& rect, const TPqGraphic& graphic) {
    if (rect.isEmpty())
        return;
    if (CopyMode != cmSrcCopy && IsKnownCopyMode(CopyMode) &&
        graphic.Kind() != TPqGraphicKind::Metafile) {
        if (!graphic.Image().isNull())
            DrawWithCopyMode(painter_, rect, graphic.Image(), CopyMode,
                             brush_.style() == Qt::NoBrush ? QColor(Qt::white) : brush_.color());
        return;
    }
    switch (graphic.Kind()) {
    case TPqGraphicKind::Jpeg:
        painter_.drawImage(rect, graphic.Image());
        break;
    case TPqGraphicKind::Bitmap: {
        const QImage& source = graphic.Image();
        if (source.isNull())
            break;
        QImage image = source.convertToFormat(QImage::Format_ARGB32);
        QRgb transparent = image.pixel(0, image.height() - 1);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (line[x] == transparent)
                    line[x] = 0;
        }
        painter_.drawImage(rect, image);
        break;
    }
    case TPqGraphicKind::Metafile:
        if (graphic.Width() <= 0 || graphic.Height() <= 0)
            break;
        painter_.save();
        painter_.translate(rect.topLeft());
        painter_.scale(double(rect.width()) / graphic.Width(),
                       double(rect.height()) / graphic.Height());
        painter_.drawPicture(0, 0, graphic.Picture());
        painter_.restore();
        break;
    }
}

void TPqDeviceCanvas::BeginPath() {
    path_ = QPainterPath();
    inPath_ = true;
}

void TPqDeviceCanvas::EndPath() {
    inPath_ = false;
}

void TPqDeviceCanvas::CloseFigure() {
    if (inPath_)
        path_.closeSubpath();
}

void TPqDeviceCanvas::FillPath() {
    painter_.fillPath(path_, brush_);
    path_ = QPainterPath();
}

void TPqDeviceCanvas::StrokePath() {
    painter_.strokePath(path_, pen_);
    path_ = QPainterPath();
}

void TPqDeviceCanvas::StrokeAndFillPath() {
    painter_.fillPath(path_, brush_);
    painter_.strokePath(path_, pen_);
    path_ = QPainterPath();
}

void TPqDeviceCanvas::SetBaseClip(std::optional<QRect> clip) {
    baseClip_ = clip;
    RestoreBaseClip();
}

void TPqDeviceCanvas::IntersectClip(const QRect& rect) {
    RestoreBaseClip();
    painter_.setClipRect(rect, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TPqDeviceCanvas::RestoreBaseClip() {
    if (outerClip_)
        painter_.setClipPath(*outerClip_);
    else
        painter_.setClipping(false);
    if (baseClip_)
        painter_.setClipRect(*baseClip_, outerClip_ ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TPqDeviceCanvas::Paint(const QPainterPath& path, bool fill) {
    if (inPath_) {
        path_.addPath(path);
        return;
    }
    painter_.setPen(pen_);
    painter_.setBrush(fill ? brush_ : QBrush(Qt::NoBrush));
    painter_.drawPath(path);
}

} // namespace duebell
