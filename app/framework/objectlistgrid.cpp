#include "app/framework/objectlistgrid.h"

#include "app/framework/objectlistgridfiler.h"
#include "objectlist/objectlist.h"

#include <algorithm>

namespace duebell {

namespace {

const std::vector<TTovObject*> NoObjects;

// Unlinks a record from a list it is in; false when it is not there.
bool Unlink(TTovObjectList& list, TTovObjectItem& record) {
    if (list.Sorted() && list.Find(record) == &record) {
        list.Delete();
        return true;
    }
    for (TTovObjectItem* item = list.First(); item != nullptr; item = list.Next()) {
        if (item == &record) {
            list.Delete();
            return true;
        }
    }
    return false;
}

// Sets a flag for the length of a scope.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
};

bool SortedByDateFirst(const TTovObjectList& list) {
    const auto& sortProps = list.Descriptor().SortProps();
    return !sortProps.empty() && sortProps.front()->Kind() == TTovPropertyKind::Float;
}

} // namespace

// --- Columns ---------------------------------------------------------------------------------

std::string TTovObjectListGridColumn::Caption() const {
    return index_ < grid_.ColCount() ? grid_.Cells(index_, 0) : std::string();
}

void TTovObjectListGridColumn::SetCaption(const std::string& caption) {
    if (index_ < grid_.ColCount())
        grid_.SetCells(index_, 0, caption);
}

int TTovObjectListGridColumn::Width() const {
    return index_ < grid_.ColCount() ? grid_.ColWidths(index_) : 0;
}

void TTovObjectListGridColumn::SetWidth(int width) {
    if (index_ >= grid_.ColCount())
        return;
    // The widths were made for a narrower font: a shown column keeps its caption whole, drawn 2
    // pixels inside the cell on either side.
    if (width > 0)
        width = std::max(
            width, grid_.fontMetrics().horizontalAdvance(QString::fromStdString(Caption())) + 4);
    grid_.SetColWidths(index_, width);
}

bool TTovObjectListGridColumn::Claim(const TTovObjectItemManager& itemClass,
                                     const TTovPropInfo& prop) {
    if (claimedBy_ != nullptr)
        return false;
    claimedBy_ = &itemClass;
    prop_ = &prop;
    return true;
}

// --- The grid --------------------------------------------------------------------------------

TTovObjectListGrid::TTovObjectListGrid(QWidget* parent) : TCellStyleGrid(parent) {
    SetColCount(1);
    SetRowCount(2);
    SetFixedCols(0);
    SetFixedRows(1);
    SetDefaultRowHeight(16);
    SetEditable(false);
    SetOptions(Options() | goRowSelect);
}

TTovObjectListGrid::~TTovObjectListGrid() {
    StopListening();
}

TTovObjectListGridColumn& TTovObjectListGrid::AddColumn(const std::string& caption,
                                                        std::string propertyName, int width) {
    const int index = ColumnCount();
    columns_.push_back(
        std::unique_ptr<TTovObjectListGridColumn>(new TTovObjectListGridColumn(*this, index)));
    if (ColCount() < index + 1)
        SetColCount(index + 1);
    TTovObjectListGridColumn& column = *columns_.back();
    column.SetPropertyName(std::move(propertyName));
    column.SetCaption(caption);
    column.SetWidth(width);
    return column;
}

void TTovObjectListGrid::SetObjectList(TTovObjectList* list) {
    if (list == list_) {
        newList_ = false;
        return;
    }
    // The rows still show the old list until the refresh, but keep none of its records.
    StopListening();
    ForgetAllRows();
    list_ = list;
    newList_ = true;
    Listen(list_);
}

void TTovObjectListGrid::RefreshGrid() {
    const int remembered = Row();
    {
        const ScopedFlag refilling(updating_);
        const TGridUpdate batch(*this); // the view catches up once, at the end
        if (list_ == nullptr) {
            BeginRows();
            EndRows(0);
        } else {
            TTovObjectListGridFiler filer(*this, list_);
            filer.OnFilterRecord = OnFilterRecord;
            SaveToFilerWithSubLists(*list_, filer, subLists_);
            const int lastRow = RowCount() - 1;
            if (newList_ || remembered > lastRow) {
                if (SortedByDateFirst(*list_))
                    SetRow(lastRow);
            } else {
                SetRow(remembered);
            }
            newList_ = false;
        }
    }
    Click();
}

const std::vector<TTovObject*>& TTovObjectListGrid::RowObjects(int row) const {
    if (row < 0 || row >= static_cast<int>(rowObjects_.size()))
        return NoObjects;
    return rowObjects_[static_cast<std::size_t>(row)];
}

int TTovObjectListGrid::FindRow(const TTovObject* object) const {
    for (int row = static_cast<int>(rowObjects_.size()) - 1; row >= FixedRows(); --row) {
        const auto& objects = rowObjects_[static_cast<std::size_t>(row)];
        if (std::find(objects.begin(), objects.end(), object) != objects.end())
            return row;
    }
    return -1;
}

void TTovObjectListGrid::SelectRow(int row) {
    {
        const ScopedFlag moving(updating_); // one click event, below
        SetRow(row);
    }
    Click();
}

void TTovObjectListGrid::Click() {
    if (updating_)
        return;
    selected_.clear();
    for (TTovObject* object : RowObjects(Row()))
        if (object != nullptr)
            selected_.push_back(object);
    TCellStyleGrid::Click();
}

void TTovObjectListGrid::DeleteSelected() {
    if (selected_.empty())
        return;
    // A copy: every unlink tells the grid, which forgets the row's objects.
    const std::vector<TTovObject*> objects = selected_;
    for (std::size_t i = objects.size(); i-- > 0;) {
        auto* record = dynamic_cast<TTovObjectItem*>(objects[i]);
        if (record == nullptr)
            continue;
        TTovObjectList* list = i == 0 ? list_ : dynamic_cast<TTovObjectList*>(objects[i - 1]);
        if (list != nullptr && Unlink(*list, *record))
            delete record;
    }
    if (list_ != nullptr && list_->Count() == 0)
        BlankDataRow();
    Click();
}

// --- Rows, for the filer ----------------------------------------------------------------------

void TTovObjectListGrid::BeginRows() {
    StopListeningToChildLists();
    SetRowCount(FixedRows() + 1);
    rowObjects_.assign(static_cast<std::size_t>(RowCount()), {});
    selected_.clear();
    BlankDataRow();
}

void TTovObjectListGrid::EnsureRows(int rows) {
    // Doubling keeps a refill of many rows linear in the rows.
    if (RowCount() < rows)
        SetRowCount(std::max(rows, RowCount() * 2));
    if (static_cast<int>(rowObjects_.size()) < RowCount())
        rowObjects_.resize(static_cast<std::size_t>(RowCount()));
}

void TTovObjectListGrid::StoreRow(int row, std::vector<TTovObject*> objects) {
    // The child lists the row's records came from: their records may go without the shown
    // list hearing of it.
    for (std::size_t i = 1; i < objects.size(); ++i)
        if (auto* childList = dynamic_cast<TTovObjectList*>(objects[i]))
            Listen(childList);
    rowObjects_[static_cast<std::size_t>(row)] = std::move(objects);
}

void TTovObjectListGrid::EndRows(int written) {
    SetRowCount(FixedRows() + std::max(written, 1));
    rowObjects_.resize(static_cast<std::size_t>(RowCount()));
}

void TTovObjectListGrid::BlankDataRow() {
    const int row = FixedRows();
    for (int col = 0; col < ColCount(); ++col)
        SetCells(col, row, {});
    if (row < static_cast<int>(rowObjects_.size()))
        rowObjects_[static_cast<std::size_t>(row)].clear();
}

// --- List lifetimes ---------------------------------------------------------------------------

void TTovObjectListGrid::Listen(TTovObjectList* list) {
    if (list == nullptr || std::find(listened_.begin(), listened_.end(), list) != listened_.end())
        return;
    list->AddListener(this);
    listened_.push_back(list);
}

void TTovObjectListGrid::StopListening() {
    for (TTovObjectList* list : listened_)
        list->RemoveListener(this);
    listened_.clear();
}

void TTovObjectListGrid::StopListeningToChildLists() {
    std::erase_if(listened_, [this](TTovObjectList* list) {
        if (list == list_)
            return false;
        list->RemoveListener(this);
        return true;
    });
}

void TTovObjectListGrid::ForgetAllRows() {
    std::fill(rowObjects_.begin(), rowObjects_.end(), std::vector<TTovObject*>());
    selected_.clear();
}

void TTovObjectListGrid::ForgetRowsHolding(const TTovObject* object) {
    for (auto& objects : rowObjects_)
        if (std::find(objects.begin(), objects.end(), object) != objects.end())
            objects.clear();
    if (std::find(selected_.begin(), selected_.end(), object) != selected_.end()) {
        selected_.clear();
        Click(); // the buttons that act on the selection follow it
    }
}

void TTovObjectListGrid::ListChanged(TTovObjectList* list, TTovObjectItem* item,
                                     TTovChangeKind kind) {
    switch (kind) {
    case ckItemAdded:
        break;
    case ckItemDeleted:
        // The record may be freed next; later objects of its row may belong to it.
        ForgetRowsHolding(item);
        break;
    case ckListCleared:
        if (list == list_)
            ForgetAllRows();
        else
            ForgetRowsHolding(list);
        break;
    case ckListDestroying:
        // The list forgets its listeners itself.
        std::erase(listened_, list);
        if (list == list_) {
            ForgetAllRows();
            list_ = nullptr;
        } else {
            ForgetRowsHolding(list);
        }
        break;
    }
}

} // namespace duebell
