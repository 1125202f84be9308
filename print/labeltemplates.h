// The sheets of label stock the label printer knows: how many labels across and down, their
// size and pitch, the sheet's margins, paper and orientation. Sizes are held in whole
// hundredths of a millimetre, as the built-in table stores them.
#pragma once

#include "print/value.h"

#include <memory>
#include <vector>

namespace duebell {

enum class TPqLabelTemplate : int {
    Custom, // sizes set by hand; no table row
    L7159_Address,
    L7160_Address,
    L7161_Address,
    L7162_Address,
    L7163_Address,
    L7164_Address,
    L7165_Parcel,
    L7166_Parcel,
    L7167_Shipping,
    L7168_Shipping,
    L7169_Parcel,
    L7170_Eurofolio,
    L7171_LeverArch,
    L7172_RingBinder,
    L7173_Shipping,
    L7263_Address,
    J8660_Diskette,
    Avery_5160_Address,
    Avery_8160_Address,
};

// One sheet of labels.
class TPqLabelTemplateInfo {
public:
    TPqLabelTemplateInfo() = default;
    TPqLabelTemplateInfo(const TPqLabelTemplateInfo&) = delete;
    TPqLabelTemplateInfo& operator=(const TPqLabelTemplateInfo&) = delete;

    TPqLabelTemplate Template = TPqLabelTemplate::Custom;
    int Columns = 0;
    int Rows = 0;
    TPqValue LabelWidth;
    TPqValue ColumnPitch;
    TPqValue RowPitch;
    TPqValue LabelHeight;
    TPqValue LeftMargin;
    TPqValue TopMargin;
    TPqPaperSize PaperSize = TPqPaperSize::A4;
    TPqOrientation Orientation = pqPortrait;
};

// The sizes of a sheet as written in inches (the stored values are rounded to whole
// hundredths of a millimetre).
struct TPqLabelSheetInches {
    int Columns;
    int Rows;
    double Top;
    double Left;
    double ColumnPitch;
    double RowPitch;
    double Width;
    double Height;
    TPqPaperSize Paper;
    TPqOrientation Orientation;
};

class TPqLabelTemplateList {
public:
    // The built-in table: one row per template from L7159_Address to Avery_8160_Address.
    static TPqLabelTemplateList BuiltIn();

    TPqLabelTemplateList() = default;
    TPqLabelTemplateList(TPqLabelTemplateList&&) = default;
    TPqLabelTemplateList& operator=(TPqLabelTemplateList&&) = default;

    void AddTemplate(TPqLabelTemplate id, const TPqLabelSheetInches& sheet);
    int Count() const { return static_cast<int>(templates_.size()); }
    const TPqLabelTemplateInfo& Items(int index) const { return *templates_.at(index); }
    // The last entry for the template, or nothing.
    const TPqLabelTemplateInfo* FindTemplate(TPqLabelTemplate id) const;
    void Clear() { templates_.clear(); }

private:
    std::vector<std::unique_ptr<TPqLabelTemplateInfo>> templates_;
};

} // namespace duebell
