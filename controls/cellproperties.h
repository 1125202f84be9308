// The attribute set of one grid cell, column or row: alignment, word-wrap, edit permission,
// font, brush, selected font and selected brush. Every attribute may be left unset, and a
// cell then takes it from the next level (see CellStyles).
#pragma once

#include "controls/graphicstyles.h"
#include "controls/tcolor.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace duebell {

class FormReader;
class FormWriter;

enum TMyAlign : std::uint8_t { alRight = 0, alLeft = 1, alCenter = 2, alDefault = 3 };
enum T_Wordwrap : std::uint8_t { ww_none = 0, ww_wordwrap = 1, ww_ellipsis = 2, ww_default = 3 };

enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };

struct TMyBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    bool operator==(const TMyBrush&) const = default;
};

// A font as the class library describes it: Height below 0 is the character height in
// pixels, above 0 the cell height.
struct TMyFont {
    TColor Color = clWindowText;
    int Height = -11;
    std::string Name = "MS Sans Serif";
    TFontPitch Pitch = fpDefault;
    TFontStyles Style = 0;
    bool operator==(const TMyFont&) const = default;
};

class TCellProperties {
public:
    TCellProperties() = default;
    // Every change reports to the owner (the grid repaints).
    explicit TCellProperties(std::function<void()> onChange) : onChange_(std::move(onChange)) {}

    const std::optional<TMyBrush>& Brush() const { return brush_; }
    const std::optional<TMyBrush>& SelectedBrush() const { return selectedBrush_; }
    const std::optional<TMyFont>& Font() const { return font_; }
    const std::optional<TMyFont>& SelectedFont() const { return selectedFont_; }
    TMyAlign Align() const { return align_; }
    T_Wordwrap Wordwrap() const { return wordwrap_; }
    // 0 takes the permission from the next level, 1 not editable, 2 editable.
    std::uint8_t EditFlag() const { return editFlag_; }

    void SetBrush(std::optional<TMyBrush> brush);
    void SetSelectedBrush(std::optional<TMyBrush> brush);
    void SetFont(std::optional<TMyFont> font);
    void SetSelectedFont(std::optional<TMyFont> font);
    void SetAlign(TMyAlign align);
    void SetWordwrap(T_Wordwrap wordwrap);
    void SetEditFlag(std::uint8_t flag);

    // Empty: alignment and word-wrap default, no brush or font, edit flag 0.
    bool IsEmpty() const;
    // Copies every field of another set, or resets to empty for nullptr.
    void Assign(const TCellProperties* other);

    // The stored form of a set: (tag, value) pairs in tag order, only the fields that are set,
    // ended by tag 0: 1 Align, 2 Wordwrap, 3 EditFlag, 4 Brush, 5 SelectedBrush, 6 Font,
    // 7 SelectedFont.
    void WriteTo(FormWriter& writer) const;
    // Reads tagged values up to tag 0; unknown tags are skipped with their value.
    void ReadFrom(FormReader& reader);

private:
    void Changed() const {
        if (onChange_)
            onChange_();
    }

    std::optional<TMyBrush> brush_;
    std::optional<TMyBrush> selectedBrush_;
    std::optional<TMyFont> font_;
    std::optional<TMyFont> selectedFont_;
    TMyAlign align_ = alDefault;
    T_Wordwrap wordwrap_ = ww_default;
    std::uint8_t editFlag_ = 0;
    std::function<void()> onChange_;
};

void WriteBrush(FormWriter& writer, const TMyBrush& brush);
TMyBrush ReadBrush(FormReader& reader);
void WriteFont(FormWriter& writer, const TMyFont& font);
TMyFont ReadFont(FormReader& reader);

} // namespace duebell
