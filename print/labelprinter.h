// The label printer: lays a run of equal labels out on sheets of label stock in a preview's
// document. Each label gets its rectangle from the sheet template, an outline that shows in
// the preview but never on paper, and its contents from the owner's drawing event, clipped
// to the label. A full sheet starts a new page. Positions are measured from the paper's
// corner.
#pragma once

#include "print/labeltemplates.h"
#include "print/previewcompanion.h"

#include <cstdint>
#include <functional>

namespace duebell {

enum TPqDrawOrder : std::uint8_t {
    pqRows,   // across a row, then down
    pqColumns // down a column, then across
};

enum TPqLabelShape : int { pqLabelRectangle, pqLabelRoundRect, pqLabelEllipse };

class TPqLabelPrinter : public TPqPreviewCompanion {
public:
    // A run needing more sheets than this is refused with a message.
    static constexpr std::int64_t MaxSheets = 1000;

    // The built-in templates, L7159_Address chosen.
    TPqLabelPrinter();

    TPqLabelTemplate Template() const { return template_; }
    // Copies the template's row into the geometry, paper and orientation; Custom changes
    // nothing.
    void SetTemplate(TPqLabelTemplate id);
    const TPqLabelTemplateList& Templates() const { return templates_; }

    // Sheet geometry; changing any of the six values makes the template Custom.
    TPqValue& LabelWidth() { return labelWidth_; }
    TPqValue& LabelHeight() { return labelHeight_; }
    TPqValue& ColumnPitch() { return columnPitch_; }
    TPqValue& RowPitch() { return rowPitch_; }
    TPqValue& LeftMargin() { return leftMargin_; }
    TPqValue& TopMargin() { return topMargin_; }
    int Columns = 0;
    int Rows = 0;
    TPqPaperSize PaperSize = TPqPaperSize::A4;
    TPqOrientation Orientation = pqPortrait;

    // The first position used on the first sheet (earlier ones stay empty); kept within
    // the sheet.
    int StartLabel = 1;
    bool ClipLabels = true;
    TPqDrawOrder DrawOrder = pqRows;
    TPqLabelShape LabelShape = pqLabelRoundRect;
    TPqValue& CornerRadius() { return cornerRadius_; }
    // The outline's brush (clear) and pen (silver).
    TPqBrush& LabelBrush() { return labelBrush_; }
    TPqPen& LabelPen() { return labelPen_; }

    int LabelCount() const { return labelCount_; }
    // Stores the count and draws the run.
    void SetLabelCount(int count);
    // Draws LabelCount labels from the preview's current page on. A count below 1 draws
    // nothing.
    void DrawLabels();
    // The sheets a run of 'labels' from StartLabel needs (each label of LabelHeight).
    std::int64_t SheetsNeeded(std::int64_t labels) const;
    bool Busy() const { return busy_; }

    TNotifyEvent BeforeDrawLabels;
    // Draws label 'labelNum' (from 1) into 'rect' (page inches) through 'canvas'.
    std::function<void(int labelNum, TPqValueRect& rect, TPqCanvas& canvas)> OnDrawLabel;
    // In column order: each label's own height, offered a copy of LabelHeight.
    std::function<void(int labelNum, int col, int row, TPqValue& height)> OnGetLabelHeight;

protected:
    std::string ClassName() const override { return "TPqLabelPrinter"; }

private:
    struct Run;
    void DrawRun();
    double GetLabelHeight(int labelNum, int col, int row) const;
    void DrawOutline(const InchRect& rect);
    void DrawContents(int labelNum, const InchRect& rect);
    void NextRowOrColumn(Run& run, const InchRect& last);
    void NewSheet(Run& run);
    void Advance(Run& run, double height, int drawn);
    void GeometryChanged();

    TPqLabelTemplateList templates_;
    TPqLabelTemplate template_ = TPqLabelTemplate::Custom;
    TPqValue labelWidth_;
    TPqValue labelHeight_;
    TPqValue columnPitch_;
    TPqValue rowPitch_;
    TPqValue leftMargin_;
    TPqValue topMargin_;
    TPqValue cornerRadius_;
    TPqBrush labelBrush_;
    TPqPen labelPen_;
    int labelCount_ = 1;
    bool busy_ = false;
};

} // namespace duebell
