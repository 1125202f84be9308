#include "controls/cellproperties.h"

#include "controls/formstream.h"

namespace duebell {

namespace {

enum Tag {
    EndTag = 0,
    AlignTag,
    WordwrapTag,
    EditFlagTag,
    BrushTag,
    SelectedBrushTag,
    FontTag,
    SelectedFontTag
};

} // namespace

void TCellProperties::SetBrush(std::optional<TMyBrush> brush) {
    brush_ = std::move(brush);
    Changed();
}

void TCellProperties::SetSelectedBrush(std::optional<TMyBrush> brush) {
    selectedBrush_ = std::move(brush);
    Changed();
}

void TCellProperties::SetFont(std::optional<TMyFont> font) {
    font_ = std::move(font);
    Changed();
}

void TCellProperties::SetSelectedFont(std::optional<TMyFont> font) {
    selectedFont_ = std::move(font);
    Changed();
}

void TCellProperties::SetAlign(TMyAlign align) {
    align_ = align;
    Changed();
}

void TCellProperties::SetWordwrap(T_Wordwrap wordwrap) {
    wordwrap_ = wordwrap;
    Changed();
}

void TCellProperties::SetEditFlag(std::uint8_t flag) {
    editFlag_ = flag;
    Changed();
}

bool TCellProperties::IsEmpty() const {
    return align_ == alDefault && wordwrap_ == ww_default && !brush_ && !selectedBrush_ && !font_ &&
           !selectedFont_ && editFlag_ == 0;
}

void TCellProperties::Assign(const TCellProperties* other) {
    const TCellProperties empty;
    const TCellProperties& from = other != nullptr ? *other : empty;
    brush_ = from.brush_;
    selectedBrush_ = from.selectedBrush_;
    font_ = from.font_;
    selectedFont_ = from.selectedFont_;
    align_ = from.align_;
    wordwrap_ = from.wordwrap_;
    editFlag_ = from.editFlag_;
    Changed();
}

void WriteBrush(FormWriter& writer, const TMyBrush& brush) {
    writer.WriteInteger(brush.Color);
    writer.WriteInteger(brush.Style);
}

TMyBrush ReadBrush(FormReader& reader) {
    TMyBrush brush;
    brush.Color = static_cast<TColor>(reader.ReadInteger());
    brush.Style = static_cast<TBrushStyle>(reader.ReadInteger());
    return brush;
}

void WriteFont(FormWriter& writer, const TMyFont& font) {
    writer.WriteInteger(font.Color);
    writer.WriteInteger(font.Height);
    writer.WriteString(font.Name);
    writer.WriteInteger(font.Pitch);
    writer.WriteInteger(font.Style);
}

TMyFont ReadFont(FormReader& reader) {
    TMyFont font;
    font.Color = static_cast<TColor>(reader.ReadInteger());
    font.Height = static_cast<int>(reader.ReadInteger());
    font.Name = reader.ReadString();
    font.Pitch = static_cast<TFontPitch>(reader.ReadInteger());
    font.Style = static_cast<std::uint8_t>(reader.ReadInteger());
    return font;
}

void TCellProperties::WriteTo(FormWriter& writer) const {
    if (align_ != alDefault) {
        writer.WriteInteger(AlignTag);
        writer.WriteInteger(align_);
    }
    if (wordwrap_ != ww_default) {
        writer.WriteInteger(WordwrapTag);
        writer.WriteInteger(wordwrap_);
    }
    if (editFlag_ != 0) {
        writer.WriteInteger(EditFlagTag);
        writer.WriteInteger(editFlag_);
    }
    if (brush_) {
        writer.WriteInteger(BrushTag);
        WriteBrush(writer, *brush_);
    }
    if (selectedBrush_) {
        writer.WriteInteger(SelectedBrushTag);
        WriteBrush(writer, *selectedBrush_);
    }
    if (font_) {
        writer.WriteInteger(FontTag);
        WriteFont(writer, *font_);
    }
    if (selectedFont_) {
        writer.WriteInteger(SelectedFontTag);
        WriteFont(writer, *selectedFont_);
    }
    writer.WriteInteger(EndTag);
}

void TCellProperties::ReadFrom(FormReader& reader) {
    for (;;) {
        const auto tag = reader.ReadInteger();
        switch (tag) {
        case EndTag:
            Changed();
            return;
        case AlignTag:
            align_ = static_cast<TMyAlign>(reader.ReadInteger());
            break;
        case WordwrapTag:
            wordwrap_ = static_cast<T_Wordwrap>(reader.ReadInteger());
            break;
        case EditFlagTag:
            editFlag_ = static_cast<std::uint8_t>(reader.ReadInteger());
            break;
        case BrushTag:
            brush_ = ReadBrush(reader);
            break;
        case SelectedBrushTag:
            selectedBrush_ = ReadBrush(reader);
            break;
        case FontTag:
            font_ = ReadFont(reader);
            break;
        case SelectedFontTag:
            selectedFont_ = ReadFont(reader);
            break;
        default:
            // A tag this version does not know: passed over with the value after it.
            reader.SkipValue();
            break;
        }
    }
}

} // namespace duebell
