// Our stand-in for a GDI device context: a QPainter addressed in device pixels at 600 per
// inch from the page's corner, with the selected pen, brush and font, the current position, a
// clip region and a path bracket. Drawing objects draw through it onto any device: the
// painter's transform turns its pixels into the device's.
#pragma once

#include "print/graphic.h"
#include "print/rasterop.h"
#include "print/resourceitems.h"
#include "print/textmetrics.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRect>
#include <optional>

namespace duebell {

// What a text needs to know of its surroundings to replace its tokens.
struct TPqDrawContext {
    int PageNumber = 1;
    int PageCount = 1;
    double Timestamp = 0; // the date and time "{DATE}" and "{TIME}" show
};

// DrawText flags of a framed text.
struct TPqDrawTextFlags {
    int Alignment = 0; // 0 left, 1 centre, 2 right
    bool WordBreak = true;
    bool NoClip = false;
    bool ExpandTabs = true;
};

// inches times 600, rounded halves to even.
int DeviceUnits(double inches);

class TPqDeviceCanvas {
public:
    // 'painter' must already map 600-per-inch page pixels onto its device.
    TPqDeviceCanvas(QPainter& painter, const TPqDrawContext& context);
    TPqDeviceCanvas(const TPqDeviceCanvas&) = delete;
    TPqDeviceCanvas& operator=(const TPqDeviceCanvas&) = delete;

    const TPqDrawContext& Context() const { return context_; }
    QPainter& Painter() { return painter_; }

    // Selections stay until replaced, as in a device context.
    void SelectPen(const TPqPen& pen);
    void SelectBrush(const TPqBrush& brush);
    void SelectClearBrush();
    // 'angle' in degrees counter-clockwise, turning text about its top-left corner.
    void SelectFont(const TPqFont& font, double angle);
    const TPqTextMetrics& FontMetrics() const { return *metrics_; }

    // Text with its top-left corner at 'topLeft'; an uncleared brush fills its cell first.
    void TextOut(QPoint topLeft, const QString& text);
    // Text broken into lines inside 'rect'; clipped to it unless NoClip.
    void DrawText(const QRect& rect, const QString& text, const TPqDrawTextFlags& flags);

    void MoveTo(QPoint p);
    void LineTo(QPoint p);
    void Polygon(const QPolygon& points);
    void Polyline(const QPolygon& points);
    void PolylineTo(const QPolygon& points);
    void PolyBezier(const QPolygon& points);
    void PolyBezierTo(const QPolygon& points);
    void Ellipse(const QRect& rect);
    void RoundRect(const QRect& rect, int cornerWidth, int cornerHeight);
    // Counter-clockwise from the radial through 'start' to the radial through 'end'.
    void Arc(const QRect& rect, QPoint start, QPoint end);
    void Chord(const QRect& rect, QPoint start, QPoint end);
    void Pie(const QRect& rect, QPoint start, QPoint end);
    // A bitmap is drawn transparent: pixels of its bottom-left pixel's colour stay unpainted.
    // Under any other known CopyMode a JPEG or bitmap picture is combined whole with the
    // selected brush's colour (white for a clear brush) and the device; a metafile is always
    // played as it is.
    void StretchDraw(const QRect& rect, const TPqGraphic& graphic);
    // The raster operation pictures are drawn with (rasterop.h).
    std::uint32_t CopyMode = cmSrcCopy;

    // Path bracket: drawing between BeginPath and EndPath only records the outline.
    void BeginPath();
    void EndPath();
    void CloseFigure();
    void FillPath();
    void StrokePath();
    void StrokeAndFillPath();

    // The region every object's own clip is intersected with; none = the whole device. A clip
    // the painter had when the canvas was made (the part of a screen being painted) always
    // stays.
    void SetBaseClip(std::optional<QRect> clip);
    void IntersectClip(const QRect& rect);
    void RestoreBaseClip();

private:
    void Paint(const QPainterPath& path, bool fill);
    QPainterPath ArcPath(const QRect& rect, QPoint start, QPoint end, bool moveToStart) const;

    QPainter& painter_;
    TPqDrawContext context_;
    QPen pen_;
    QBrush brush_;
    std::optional<TPqTextMetrics> metrics_;
    QColor fontColor_;
    double fontAngle_ = 0;
    QPoint position_;
    std::optional<QRect> baseClip_;
    std::optional<QPainterPath> outerClip_;
    bool inPath_ = false;
    QPainterPath path_;
};

Qt::PenStyle ToQtPenStyle(TPenStyle style);

} // namespace duebell
