#include "print/polyobjects.h"

namespace duebell {

namespace {

constexpr int StoredPointSize = 32;
constexpr std::uint8_t Padding[6] = {};

} // namespace

TPqPolyBaseObject::TPqPolyBaseObject(TPqResourceTable& resourceTable)
    : TPqBaseObject(resourceTable), brush_(resourceTable.Brushes(), [this] { Changed(); }),
      pen_(resourceTable.Pens(), [this] { Changed(); }) {}

int TPqPolyBaseObject::DataSize() const {
    return HeadSize() + 4 + StoredPointSize * static_cast<int>(points_.size());
}

void TPqPolyBaseObject::LoadFromStream(TPqStream& stream) {
    TPqBaseObject::LoadFromStream(stream);
    std::int32_t count = 0;
    stream.ReadGuarded(count);
    points_.clear();
    for (std::int32_t i = 0; i < count && stream.Remaining() >= StoredPointSize; ++i) {
        InchPoint p;
        std::uint8_t padding[6];
        p.X = stream.ReadExtended();
        stream.ReadBytes(padding, sizeof padding);
        p.Y = stream.ReadExtended();
        stream.ReadBytes(padding, sizeof padding);
        points_.push_back(p);
    }
}

void TPqPolyBaseObject::SaveToStream(TPqStream& stream) const {
    TPqBaseObject::SaveToStream(stream);
    stream.WriteInt32(static_cast<std::int32_t>(points_.size()));
    for (const InchPoint& p : points_) {
        stream.WriteExtended(p.X);
        stream.WriteBytes(Padding, sizeof Padding);
        stream.WriteExtended(p.Y);
        stream.WriteBytes(Padding, sizeof Padding);
    }
}

void TPqPolyBaseObject::SetPoints(std::vector<InchPoint> points) {
    points_ = std::move(points);
    Changed();
}

void TPqPolyBaseObject::OffsetInches(double dx, double dy) {
    for (InchPoint& p : points_) {
        p.X += dx;
        p.Y += dy;
    }
}

QPolygon TPqPolyBaseObject::DevicePoints() const {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points_.size()));
    for (const InchPoint& p : points_)
        polygon.append(DevicePoint(p.X, p.Y));
    return polygon;
}

void TPqPathObject::LoadFromStream(TPqStream& stream) {
    TPqBaseObject::LoadFromStream(stream);
    auto operation = static_cast<std::uint8_t>(operation_);
    stream.ReadGuarded(operation);
    operation_ = static_cast<TPqPathOperation>(operation);
}

void TPqPathObject::SaveToStream(TPqStream& stream) const {
    TPqBaseObject::SaveToStream(stream);
    stream.WriteByte(static_cast<std::uint8_t>(operation_));
}

void TPqPathObject::SetOperation(TPqPathOperation operation) {
    operation_ = operation;
    Changed();
}

void TPqPathObject::DrawContent(TPqDeviceCanvas& canvas) const {
    switch (operation_) {
    case TPqPathOperation::BeginPath:
        canvas.BeginPath();
        break;
    case TPqPathOperation::EndPath:
        canvas.EndPath();
        break;
    case TPqPathOperation::FillPath:
        canvas.FillPath();
        break;
    case TPqPathOperation::StrokePath:
        canvas.StrokePath();
        break;
    case TPqPathOperation::StrokeAndFillPath:
        canvas.StrokeAndFillPath();
        break;
    case TPqPathOperation::CloseFigure:
        canvas.CloseFigure();
        break;
    }
}

} // namespace duebell
