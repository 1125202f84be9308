#include "print/labeltemplates.h"

#include <array>

namespace duebell {

namespace {

using T = TPqLabelTemplate;
constexpr TPqPaperSize A4 = TPqPaperSize::A4;
constexpr TPqPaperSize Letter = TPqPaperSize::Letter;

struct Row {
    TPqLabelTemplate Id;
    TPqLabelSheetInches Sheet;
};

// Columns, rows, top, left, column pitch, row pitch, width, height (inches), paper,
// orientation.
constexpr std::array<Row, 19> BuiltInRows = {{
    {T::L7159_Address, {3, 8, 0.54, 0.25, 2.63, 1.33, 2.52, 1.33, A4, pqPortrait}},
    {T::L7160_Address, {3, 7, 0.63, 0.28, 2.60, 1.50, 2.50, 1.50, A4, pqPortrait}},
    {T::L7161_Address, {3, 6, 0.38, 0.28, 2.60, 1.83, 2.50, 1.83, A4, pqPortrait}},
    {T::L7162_Address, {2, 8, 0.54, 0.18, 4.00, 1.33, 3.90, 1.33, A4, pqPortrait}},
    {T::L7163_Address, {2, 7, 0.63, 0.18, 4.00, 1.50, 3.90, 1.50, A4, pqPortrait}},
    {T::L7164_Address, {3, 4, 0.21, 0.28, 2.60, 2.83, 2.50, 2.83, A4, pqPortrait}},
    {T::L7165_Parcel, {2, 4, 0.54, 0.18, 4.00, 2.67, 3.90, 2.67, A4, pqPortrait}},
    {T::L7166_Parcel, {2, 3, 0.38, 0.18, 4.00, 3.67, 3.90, 3.67, A4, pqPortrait}},
    {T::L7167_Shipping, {1, 1, 0.18, 0.20, 7.86, 11.38, 7.86, 11.38, A4, pqPortrait}},
    {T::L7168_Shipping, {1, 2, 0.22, 0.18, 7.86, 5.65, 7.86, 5.65, A4, pqPortrait}},
    {T::L7169_Parcel, {2, 2, 0.18, 0.40, 5.47, 4.00, 5.47, 3.90, A4, pqLandscape}},
    {T::L7170_Eurofolio, {1, 24, 0.68, 1.50, 5.28, 0.43, 5.28, 0.43, A4, pqPortrait}},
    {T::L7171_LeverArch, {4, 1, 0.20, 1.15, 2.36, 7.88, 2.36, 7.88, A4, pqLandscape}},
    {T::L7172_RingBinder, {2, 9, 0.56, 0.15, 4.04, 1.18, 3.94, 1.18, A4, pqPortrait}},
    {T::L7173_Shipping, {2, 5, 0.26, 0.18, 4.00, 2.24, 3.90, 2.24, A4, pqPortrait}},
    {T::L7263_Address, {2, 7, 0.63, 0.18, 4.00, 1.50, 3.90, 1.50, A4, pqPortrait}},
    {T::J8660_Diskette, {2, 5, 0.76, 0.92, 3.67, 2.05, 2.76, 2.05, A4, pqPortrait}},
    {T::Avery_5160_Address, {3, 10, 0.50, 0.19, 2.75, 1.00, 2.63, 1.00, Letter, pqPortrait}},
    {T::Avery_8160_Address, {3, 10, 0.50, 0.19, 2.75, 1.00, 2.63, 1.00, Letter, pqPortrait}},
}};

void SetWholeUnits(TPqValue& value, double inches) {
    value.SetAsUnits(TPqValue(pqInches, inches).GetAsUnits());
}

} // namespace

TPqLabelTemplateList TPqLabelTemplateList::BuiltIn() {
    TPqLabelTemplateList list;
    for (const Row& row : BuiltInRows)
        list.AddTemplate(row.Id, row.Sheet);
    return list;
}

void TPqLabelTemplateList::AddTemplate(TPqLabelTemplate id, const TPqLabelSheetInches& sheet) {
    auto info = std::make_unique<TPqLabelTemplateInfo>();
    info->Template = id;
    info->Columns = sheet.Columns;
    info->Rows = sheet.Rows;
    SetWholeUnits(info->TopMargin, sheet.Top);
    SetWholeUnits(info->LeftMargin, sheet.Left);
    SetWholeUnits(info->ColumnPitch, sheet.ColumnPitch);
    SetWholeUnits(info->RowPitch, sheet.RowPitch);
    SetWholeUnits(info->LabelWidth, sheet.Width);
    SetWholeUnits(info->LabelHeight, sheet.Height);
    info->PaperSize = sheet.Paper;
    info->Orientation = sheet.Orientation;
    templates_.push_back(std::move(info));
}

const TPqLabelTemplateInfo* TPqLabelTemplateList::FindTemplate(TPqLabelTemplate id) const {
    for (auto it = templates_.rbegin(); it != templates_.rend(); ++it)
        if ((*it)->Template == id)
            return it->get();
    return nullptr;
}

} // namespace duebell
