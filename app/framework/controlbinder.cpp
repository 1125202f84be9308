#include "app/framework/controlbinder.h"

#include "app/framework/controlproperty.h"
#include "controls/gridbox.h"
#include "objectlist/objectitem.h"
#include "objectlist/propertypath.h"
#include "objectlist/textcase.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QWidget>
#include <map>
#include <memory>

namespace duebell {

namespace {

std::string TextOf(const Variant& value) {
    return value.IsEmpty() || value.IsNull() ? std::string() : value.AsString();
}

int IntegerOf(const Variant& value) {
    return value.IsEmpty() || value.IsNull() ? 0 : value.AsInteger();
}

// --- Memos: bound by "Lines", their whole text ----------------------------------------------

bool IsMemoLines(QObject* control, const std::string& controlProperty) {
    return (qobject_cast<QPlainTextEdit*>(control) != nullptr ||
            qobject_cast<QTextEdit*>(control) != nullptr) &&
           EqualsIgnoringCase(controlProperty, "Lines");
}

QString MemoText(QObject* control) {
    if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        return plain->toPlainText();
    return static_cast<QTextEdit*>(control)->toPlainText();
}

void SetMemoText(QObject* control, const QString& text) {
    if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        plain->setPlainText(text);
    else
        static_cast<QTextEdit*>(control)->setPlainText(text);
}

// The record keeps a memo's lines parted by CR LF, as the loan book's files always have.
std::string RecordLines(const QString& memoText) {
    QString text = memoText;
    return text.replace('\n', "\r\n").toStdString();
}

QString MemoLines(const std::string& recordText) {
    QString text = QString::fromStdString(recordText);
    return text.replace("\r\n", "\n").replace('\r', '\n');
}

// --- Combo boxes and pick lists ---------------------------------------------------------------

QComboBox* DropDownList(QObject* control) {
    auto* combo = qobject_cast<QComboBox*>(control);
    return combo != nullptr && !combo->isEditable() ? combo : nullptr;
}

TGridBox* PickList(QObject* control) {
    auto* box = qobject_cast<TGridBox*>(control);
    return box != nullptr && box->Style() == gsDropDownList ? box : nullptr;
}

// Qt's combo box publishes its text as "currentText".
std::string ControlPath(QObject* control, const std::string& path) {
    if (qobject_cast<QComboBox*>(control) != nullptr && EqualsIgnoringCase(path, "Text"))
        return "currentText";
    return path;
}

void ChooseComboEntry(QComboBox& combo, std::string_view last, const Variant& value) {
    if (EqualsIgnoringCase(last, "ItemIndex0"))
        combo.setCurrentIndex(IntegerOf(value));
    else if (EqualsIgnoringCase(last, "ItemIndex1"))
        combo.setCurrentIndex(IntegerOf(value) - 1);
    else
        combo.setCurrentIndex(combo.findText(QString::fromStdString(TextOf(value)),
                                             Qt::MatchExactly | Qt::MatchCaseSensitive));
}

// --- One row, each way --------------------------------------------------------------------

void FillControl(const TTovObjectListControlAware::Row& row, const Variant& value) {
    QObject* control = row.Control;
    const QSignalBlocker quiet(control);
    if (IsMemoLines(control, row.ControlProperty)) {
        SetMemoText(control, MemoLines(TextOf(value)));
        return;
    }
    if (QComboBox* combo = DropDownList(control)) {
        ChooseComboEntry(*combo, LastPathSegment(row.ControlProperty), value);
        return;
    }
    if (TGridBox* box = PickList(control)) {
        box->SetItemIndex(box->FindRow(TextOf(value)));
        return;
    }
    const ControlPropertyPath path =
        ResolveControlPath(*control, ControlPath(control, row.ControlProperty));
    if (!path || !path.property.isWritable())
        return;
    const QSignalBlocker quietInner(path.object);
    path.property.write(path.object, ControlValueFrom(value, path.property.metaType()));
}

// The control's value for the record; false when the row moves nothing.
bool ReadControl(const TTovObjectListControlAware::Row& row, Variant& value) {
    QObject* control = row.Control;
    if (IsMemoLines(control, row.ControlProperty)) {
        value = Variant(RecordLines(MemoText(control)));
        return true;
    }
    const ControlPropertyPath path =
        ResolveControlPath(*control, ControlPath(control, row.ControlProperty));
    if (!path) {
        // The positions of a combo box of any style.
        auto* combo = qobject_cast<QComboBox*>(control);
        const std::string_view last = LastPathSegment(row.ControlProperty);
        if (combo != nullptr && EqualsIgnoringCase(last, "ItemIndex0")) {
            value = Variant(combo->currentIndex());
            return true;
        }
        if (combo != nullptr && EqualsIgnoringCase(last, "ItemIndex1")) {
            value = Variant(combo->currentIndex() + 1);
            return true;
        }
        return false;
    }
    if (!path.property.isReadable())
        return false;
    value = VariantFromControl(path.property.read(path.object));
    return true;
}

bool IsActive(const TTovObjectListControlAware::Row& row) {
    return row.Control != nullptr && !row.PropertyName.empty();
}

TTovPropertyPath WritableProperty(TTovObjectItem& record, const std::string& path) {
    TTovPropertyPath property = ResolvePropertyPath(record, path);
    return property && property.prop->HasSetter() ? property : TTovPropertyPath{};
}

} // namespace

TTovObjectListControlAware::TTovObjectListControlAware(QObject* parent) : QObject(parent) {}

void TTovObjectListControlAware::AddRow(QObject* control, std::string controlProperty,
                                        std::string propertyName) {
    if (control != nullptr)
        connect(control, &QObject::destroyed, this, &TTovObjectListControlAware::ControlDestroyed,
                Qt::UniqueConnection);
    rows_.push_back({control, std::move(controlProperty), std::move(propertyName)});
}

void TTovObjectListControlAware::AddRows(std::initializer_list<Row> rows) {
    for (const Row& row : rows)
        AddRow(row.Control, row.ControlProperty, row.PropertyName);
}

void TTovObjectListControlAware::ControlDestroyed(QObject* control) {
    for (Row& row : rows_)
        if (row.Control == control)
            row.Control = nullptr;
}

void TTovObjectListControlAware::AutoFill(const QWidget& owner) {
    for (QWidget* control : owner.findChildren<QWidget*>()) {
        const QString name = control->objectName();
        // Qt names the inner parts of its widgets "qt_..."; they are no controls of the form.
        if (name.isEmpty() || name.startsWith("qt_"))
            continue;
        bool bound = false;
        for (const Row& row : rows_)
            bound = bound || row.Control == control;
        if (bound)
            continue;
        for (const char* property : {"Text", "Value", "Caption"}) {
            const QMetaProperty found =
                FindControlProperty(*control, ControlPath(control, property));
            if (found.isReadable() && found.isWritable())
                AddRow(control, property, {});
        }
    }
}

void TTovObjectListControlAware::ObjectToControls(TTovObjectItem* item) {
    for (const Row& row : rows_) {
        if (!IsActive(row))
            continue;
        Variant value;
        if (item != nullptr) {
            const TTovPropertyPath path = ResolvePropertyPath(*item, row.PropertyName);
            if (!path)
                continue;
            value = path.item->GetPropInfoValue(path.prop);
        }
        FillControl(row, value);
    }
}

void TTovObjectListControlAware::ObjectToControls(const std::vector<TTovObject*>& items) {
    for (TTovObject* object : items)
        if (auto* record = dynamic_cast<TTovObjectItem*>(object))
            ObjectToControls(record);
}

void TTovObjectListControlAware::ControlsToObject(TTovObjectItem& item) {
    ControlsToRecords({&item});
}

void TTovObjectListControlAware::ControlsToObject(const std::vector<TTovObject*>& items) {
    std::vector<TTovObjectItem*> records;
    for (TTovObject* object : items)
        if (auto* record = dynamic_cast<TTovObjectItem*>(object))
            records.push_back(record);
    ControlsToRecords(records);
}

void TTovObjectListControlAware::ControlsToRecords(const std::vector<TTovObjectItem*>& records) {
    struct Value {
        const Row* row;
        Variant value;
    };
    std::vector<Value> values;
    for (const Row& row : rows_) {
        Variant value;
        if (IsActive(row) && ReadControl(row, value))
            values.push_back({&row, std::move(value)});
    }
    // Every conversion first, on spare records of the same classes, so that a value a
    // property cannot take raises before anything of the real records has changed.
    std::map<const TTovObjectItemManager*, std::unique_ptr<TTovObjectItem>> spares;
    for (TTovObjectItem* record : records) {
        for (const Value& value : values) {
            const TTovPropertyPath path = WritableProperty(*record, value.row->PropertyName);
            if (!path)
                continue;
            std::unique_ptr<TTovObjectItem>& spare = spares[&path.item->ItemManager()];
            if (spare == nullptr)
                spare.reset(path.item->ItemManager().Create(nullptr));
            try {
                spare->SetPropertyValue(path.prop, value.value);
            } catch (const EAbort&) {
                throw;
            } catch (const Exception& e) {
                throw EControlValueError(e.what(), value.row->Control);
            }
        }
    }
    for (TTovObjectItem* record : records) {
        for (const Value& value : values) {
            const TTovPropertyPath path = WritableProperty(*record, value.row->PropertyName);
            if (path)
                path.item->SetPropertyValue(path.prop, value.value);
        }
    }
}

} // namespace duebell
