#include "print/objectfactory.h"

#include "print/polyobjects.h"
#include "print/shapes.h"
#include "print/textbox.h"
#include "print/textobject.h"

namespace duebell {

namespace {

template <class T> std::unique_ptr<TPqBaseObject> Make(TPqResourceTable& table) {
    return std::make_unique<T>(table);
}

} // namespace

std::unique_ptr<TPqBaseObject> CreateObjectById(int typeId, TPqResourceTable& resourceTable) {
    switch (typeId) {
    case TPqTextObject::TypeId:
        return Make<TPqTextObject>(resourceTable);
    case TPqLineObject::TypeId:
        return Make<TPqLineObject>(resourceTable);
    case TPqEllipseShape::TypeId:
        return Make<TPqEllipseShape>(resourceTable);
    case TPqRectangleShape::TypeId:
        return Make<TPqRectangleShape>(resourceTable);
    case TPqRoundRectShape::TypeId:
        return Make<TPqRoundRectShape>(resourceTable);
    case TPqTextBoxObject::TypeId:
        return Make<TPqTextBoxObject>(resourceTable);
    case TPqPolygonObject::TypeId:
        return Make<TPqPolygonObject>(resourceTable);
    case TPqPolyLineObject::TypeId:
        return Make<TPqPolyLineObject>(resourceTable);
    case TPqGraphicObject::TypeId:
        return Make<TPqGraphicObject>(resourceTable);
    case TPqArcShape::TypeId:
        return Make<TPqArcShape>(resourceTable);
    case TPqChordShape::TypeId:
        return Make<TPqChordShape>(resourceTable);
    case TPqPieShape::TypeId:
        return Make<TPqPieShape>(resourceTable);
    case TPqPolyBezierObject::TypeId:
        return Make<TPqPolyBezierObject>(resourceTable);
    case TPqPolyLineToObject::TypeId:
        return Make<TPqPolyLineToObject>(resourceTable);
    case TPqPolyBezierToObject::TypeId:
        return Make<TPqPolyBezierToObject>(resourceTable);
    case TPqPathObject::TypeId:
        return Make<TPqPathObject>(resourceTable);
    default:
        return nullptr;
    }
}

} // namespace duebell
