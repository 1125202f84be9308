// Point-list objects (polygon, polyline, Bezier curves, and their from-the-current-position
// forms) and path brackets. They draw with the pen and brush the device already holds.
#pragma once

#include "print/baseobject.h"

#include <vector>

namespace duebell {

class TPqPolyBaseObject : public TPqBaseObject {
public:
    explicit TPqPolyBaseObject(TPqResourceTable& resourceTable);

    TPqBrush* GetBrush() override { return brush_.Editable(); }
    TPqPen* GetPen() override { return pen_.Editable(); }
    // The head, the point count, then 32 bytes per point.
    int DataSize() const override;
    void SetBrushRef(TPqBrush* brush) override { brush_.SetPooled(brush); }
    void SetPenRef(TPqPen* pen) override { pen_.SetPooled(pen); }
    // Each point: X (10 bytes), 6 bytes of padding, Y (10 bytes), 6 bytes of padding.
    void LoadFromStream(TPqStream& stream) override;
    void SaveToStream(TPqStream& stream) const override;

    const std::vector<InchPoint>& Points() const { return points_; }
    void SetPoints(std::vector<InchPoint> points);

protected:
    void OffsetInches(double dx, double dy) override;
    QPolygon DevicePoints() const;

private:
    TPqResourceRef<TPqBrush, TPqBrushList> brush_;
    TPqResourceRef<TPqPen, TPqPenList> pen_;
    std::vector<InchPoint> points_;
};

// A point-list object of one type id, drawn by one point-list call of the device.
template <int Id, void (TPqDeviceCanvas::*DrawPoints)(const QPolygon&)>
class TPqPointListObject : public TPqPolyBaseObject {
public:
    static constexpr int TypeId = Id;
    using TPqPolyBaseObject::TPqPolyBaseObject;
    int GetTypeId() const override { return TypeId; }

protected:
    void DrawContent(TPqDeviceCanvas& canvas) const override {
        (canvas.*DrawPoints)(DevicePoints());
    }
};

using TPqPolygonObject = TPqPointListObject<7, &TPqDeviceCanvas::Polygon>;
using TPqPolyLineObject = TPqPointListObject<8, &TPqDeviceCanvas::Polyline>;
using TPqPolyBezierObject = TPqPointListObject<13, &TPqDeviceCanvas::PolyBezier>;
using TPqPolyLineToObject = TPqPointListObject<19, &TPqDeviceCanvas::PolylineTo>;
using TPqPolyBezierToObject = TPqPointListObject<20, &TPqDeviceCanvas::PolyBezierTo>;

enum class TPqPathOperation : std::uint8_t {
    BeginPath,
    EndPath,
    FillPath,
    StrokePath,
    StrokeAndFillPath,
    CloseFigure
};

class TPqPathObject : public TPqBaseObject {
public:
    static constexpr int TypeId = 24;
    using TPqBaseObject::TPqBaseObject;

    int GetTypeId() const override { return TypeId; }
    int DataSize() const override { return HeadSize() + 1; }
    void LoadFromStream(TPqStream& stream) override;
    void SaveToStream(TPqStream& stream) const override;

    TPqPathOperation Operation() const { return operation_; }
    void SetOperation(TPqPathOperation operation);

protected:
    void DrawContent(TPqDeviceCanvas& canvas) const override;
    void OffsetInches(double, double) override {}

private:
    TPqPathOperation operation_ = TPqPathOperation::BeginPath;
};

} // namespace duebell
