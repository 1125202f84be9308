// Shapes given by a rectangle or two end points: lines, ellipses, rectangles, rounded
// rectangles, arcs, chords, pies and pictures.
#pragma once

#include "print/baseobject.h"

namespace duebell {

// X1, Y1, X2, Y2 in inches and a pen.
class TPqSimpleShape : public TPqBaseObject {
public:
    explicit TPqSimpleShape(TPqResourceTable& resourceTable);

    TPqPen* GetPen() override { return pen_.Editable(); }
    int DataSize() const override { return HeadSize() + 44; }
    InchRect GetBounds() const override { return {x1_, y1_, x2_, y2_}; }
    void SetPenRef(TPqPen* pen) override { pen_.SetPooled(pen); }
    void LoadFromStream(TPqStream& stream) override;
    void SaveToStream(TPqStream& stream) const override;
    void SetCoords(std::span<const double> values, TPqMeasurement measurement) override;

    const TPqPen* PenRef() const { return pen_.Pooled(); }
    double X1() const { return x1_; }
    double Y1() const { return y1_; }
    double X2() const { return x2_; }
    double Y2() const { return y2_; }

protected:
    void OffsetInches(double dx, double dy) override;
    void SelectPen(TPqDeviceCanvas& canvas) const;
    QRect Rect() const { return DeviceRect(x1_, y1_, x2_, y2_); }

    double x1_ = 0;
    double y1_ = 0;
    double x2_ = 0;
    double y2_ = 0;

private:
    TPqResourceRef<TPqPen, TPqPenList> pen_;
};

// A simple shape with a brush for its inside.
class TPqFilledShape : public TPqSimpleShape {
public:
    explicit TPqFilledShape(TPqResourceTable& resourceTable);

    TPqBrush* GetBrush() override { return brush_.Editable(); }
    int DataSize() const override { return TPqSimpleShape::DataSize() + 4; }
    void SetBrushRef(TPqBrush* brush) override { brush_.SetPooled(brush); }
    void LoadFromStream(TPqStream& stream) override;
    void SaveToStream(TPqStream& stream) const override;

    const TPqBrush* BrushRef() const { return brush_.Pooled(); }

protected:
    void SelectPenAndBrush(TPqDeviceCanvas& canvas) const;

private:
    TPqResourceRef<TPqBrush, TPqBrushList> brush_;
};

class TPqLineObject : public TPqSimpleShape {
public:
    static constexpr int TypeId = 2;
    using TPqSimpleShape::TPqSimpleShape;
    int GetTypeId() const override { return TypeId; }

protected:
    void DrawContent(TPqDeviceCanvas& canvas) const override;
};

class TPqEllipseShape : public TPqFilledShape {
public:
    static constexpr int TypeId = 3;
    using TPqFilledShape::TPqFilledShape;
    int GetTypeId() const override { return TypeId; }

protected:
    void DrawContent(TPqDeviceCanvas& canvas) const override;
};

class TPqRectangleShape : public TPqFilledShape {
public:
    static constexpr int TypeId = 4;
    using TPqFilledShape::TPqFilledShape;
    int GetTypeId() const override { return TypeId; }
    int DataSize() const override { return TPqFilledShape::DataSize() + 1; }
    void LoadFromStream(TPqStream& stream) override;
    void SaveToStream(TPqStream& stream) const override;

    bool Flagged() const { return flagged_; }
    void SetFlagged(bool flagged);

protected:
    void DrawContent(TPqDeviceCanvas& canvas) const override;

private:
    bool flagged_ = false;
};

class TPqRoundRectShape : public TPqFilledShape {
public:
    static constexpr int TypeId = 5;
    using TPqFilledShape::TPqFilledShape;
    int GetTypeId() const override { return TypeId; }
    int DataSize() const override { return TPqFilledShape::DataSize() + 20; }
    void LoadFromStream(TPqStream& stream) override;
    void SaveToStream(TPqStream& stream) const override;

    double CornerWidth() const { return cornerWidth_; }
    double CornerHeight() const { return cornerHeight_; }
    // Inches.
    void SetCorner(double width, double height);

protected:
    void DrawContent(TPqDeviceCanvas& canvas) const override;

private:
    double cornerWidth_ = 0;
    double cornerHeight_ = 0;
};

// A filled shape with two more points: where an arc, chord or pie starts and ends.
class TPqComplexShape : public TPqFilledShape {
public:
    using TPqFilledShape::TPqFilledShape;
    int DataSize() const override { return TPqFilledShape::DataSize() + 40; }
    void LoadFromStream(TPqStream& stream) override;
    void SaveToStream(TPqStream& stream) const override;
    void SetCoords(std::span<const double> values, TPqMeasurement measurement) override;

    double X3() const { return x3_; }
    double Y3() const { return y3_; }
    double X4() const { return x4_; }
    double Y4() const { return y4_; }

protected:
    void OffsetInches(double dx, double dy) override;
    QPoint Start() const { return DevicePoint(x3_, y3_); }
    QPoint End() const { return DevicePoint(x4_, y4_); }

private:
    double x3_ = 0;
    double y3_ = 0;
    double x4_ = 0;
    double y4_ = 0;
};

class TPqArcShape : public TPqComplexShape {
public:
    static constexpr int TypeId = 10;
    using TPqComplexShape::TPqComplexShape;
    int GetTypeId() const override { return TypeId; }

protected:
    void DrawContent(TPqDeviceCanvas& canvas) const override;
};

class TPqChordShape : public TPqComplexShape {
public:
    static constexpr int TypeId = 11;
    using TPqComplexShape::TPqComplexShape;
    int GetTypeId() const override { return TypeId; }

protected:
    void DrawContent(TPqDeviceCanvas& canvas) const override;
};

class TPqPieShape : public TPqComplexShape {
public:
    static constexpr int TypeId = 12;
    using TPqComplexShape::TPqComplexShape;
    int GetTypeId() const override { return TypeId; }

protected:
    void DrawContent(TPqDeviceCanvas& canvas) const override;
};

// A pooled picture stretched into the rectangle.
class TPqGraphicObject : public TPqSimpleShape {
public:
    static constexpr int TypeId = 9;
    using TPqSimpleShape::TPqSimpleShape;
    int GetTypeId() const override { return TypeId; }
    int DataSize() const override { return TPqSimpleShape::DataSize() + 4; }
    void LoadFromStream(TPqStream& stream) override;
    void SaveToStream(TPqStream& stream) const override;

    const TPqGraphic* GraphicRef() const { return graphic_; }
    void SetGraphicRef(const TPqGraphic* graphic);

protected:
    void DrawContent(TPqDeviceCanvas& canvas) const override;

private:
    const TPqGraphic* graphic_ = nullptr;
};

// The outline of a rectangle from corner 'a' to corner 'c': through the four corners and back
// to the first.
QPolygon ClosedRectangle(QPoint a, QPoint c);

} // namespace duebell
