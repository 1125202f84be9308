#include "app/framework/formscaler.h"

#include "app/framework/formpositions.h"
#include "app/framework/objectlistgrid.h"

#include <QLayout>
#include <QPushButton>
#include <QWidget>
#include <cmath>

namespace duebell {

namespace {

bool LayoutHolds(const QLayout& layout, const QWidget& widget) {
    for (int i = 0; i < layout.count(); ++i) {
        QLayoutItem* item = layout.itemAt(i);
        if (item->widget() == &widget)
            return true;
        if (item->layout() != nullptr && LayoutHolds(*item->layout(), widget))
            return true;
    }
    return false;
}

bool PlacedByLayout(const QWidget& widget) {
    const QWidget* parent = widget.parentWidget();
    return parent != nullptr && !widget.isWindow() && parent->layout() != nullptr &&
           LayoutHolds(*parent->layout(), widget);
}

// The child controls a form names (Qt names the inner parts of its widgets "qt_...").
QList<QWidget*> NamedChildren(const QWidget& control) {
    QList<QWidget*> named;
    for (QWidget* child : control.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QString name = child->objectName();
        if (!child->isWindow() && !name.isEmpty() && !name.startsWith("qt_"))
            named.append(child);
    }
    return named;
}

void RecordPlace(const QWidget& control, TComponentPosition& record) {
    record.ControlName = control.objectName().toStdString();
    if (PlacedByLayout(control)) {
        record.Left = 0;
        record.Width = 0;
    } else {
        record.Left = control.x();
        record.Width = control.width();
    }
}

void RecordColumns(const QWidget& control, TComponentPosition& record) {
    const auto* grid = qobject_cast<const TTovObjectListGrid*>(&control);
    if (grid == nullptr)
        return;
    auto columns = MakeItem<TCollectionPosition>(&record);
    columns->CollectionName = "Columns";
    for (int i = 0; i < grid->ColumnCount(); ++i) {
        auto item = MakeItem<TCollectionItemPosition>(columns.get());
        item->ItemIndex = i;
        item->Width = grid->Column(i).Width();
        columns->ItemPositionList->Add(std::move(item));
    }
    record.CollectionList->Add(std::move(columns));
}

void CapturePositions(const QWidget& control, TComponentPosition& record) {
    for (const QWidget* child : NamedChildren(control)) {
        const std::string name = child->objectName().toStdString();
        if (record.ComponentPositionList->LocateNoMove(Variant(name)) != nullptr)
            continue; // a second control of one name is left alone
        auto childRecord = MakeItem<TComponentPosition>(&record);
        RecordPlace(*child, *childRecord);
        childRecord->IgnorePosition = qobject_cast<const QPushButton*>(child) != nullptr;
        CapturePositions(*child, *record.ComponentPositionList->Add(std::move(childRecord)));
    }
    RecordColumns(control, record);
}

int Scaled(int value, double factor) {
    // Half to even, as the original arithmetic rounded.
    return static_cast<int>(std::nearbyint(value * factor));
}

void ScaleColumns(QWidget& control, const TComponentPosition& record, double factor) {
    auto* grid = qobject_cast<TTovObjectListGrid*>(&control);
    if (grid == nullptr)
        return;
    auto* columns =
        static_cast<TCollectionPosition*>(record.CollectionList->LocateNoMove(Variant("Columns")));
    if (columns == nullptr)
        return;
    for (TTovObjectItem* item : *columns->ItemPositionList) {
        const auto& position = static_cast<const TCollectionItemPosition&>(*item);
        if (position.ItemIndex < grid->ColumnCount())
            grid->Column(position.ItemIndex).SetWidth(Scaled(position.Width, factor));
    }
}

void ScaleControls(QWidget& control, const TComponentPosition& record, double factor) {
    for (QWidget* child : NamedChildren(control)) {
        auto* position = static_cast<TComponentPosition*>(
            record.ComponentPositionList->LocateNoMove(Variant(child->objectName().toStdString())));
        if (position == nullptr || position->IgnorePosition)
            continue;
        if (child->width() > 0 && position->Width > 0)
            child->setGeometry(Scaled(position->Left, factor), child->y(),
                               Scaled(position->Width, factor), child->height());
        ScaleControls(*child, *position, factor);
    }
    ScaleColumns(control, record, factor);
}

} // namespace

TFormScaler::TFormScaler(QWidget& owner) : QObject(&owner), owner_(owner) {
    Capture();
}

TFormScaler::~TFormScaler() = default;

void TFormScaler::Capture() {
    root_ = MakeItem<TComponentPosition>(nullptr);
    RecordPlace(owner_, *root_);
    CapturePositions(owner_, *root_);
}

void TFormScaler::ScaleForm() {
    if (root_->Width <= 0)
        return;
    const double factor = static_cast<double>(owner_.width()) / root_->Width;
    owner_.setUpdatesEnabled(false);
    ScaleControls(owner_, *root_, factor);
    owner_.setUpdatesEnabled(true);
    owner_.update();
}

} // namespace duebell
