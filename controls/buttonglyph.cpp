#include "controls/buttonglyph.h"

#include "controls/guiutils.h"

#include <algorithm>

namespace duebell {

int TGlyphList::Add(const QImage& image) {
    auto freeSlot = std::find(used_.begin(), used_.end(), false);
    const auto index = static_cast<std::size_t>(freeSlot - used_.begin());
    if (freeSlot == used_.end()) {
        images_.push_back(image);
        used_.push_back(true);
    } else {
        images_[index] = image;
        used_[index] = true;
    }
    return static_cast<int>(index);
}

void TGlyphList::Delete(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= used_.size())
        return;
    used_[static_cast<std::size_t>(index)] = false;
    images_[static_cast<std::size_t>(index)] = QImage();
}

int TGlyphList::Count() const {
    return static_cast<int>(std::count(used_.begin(), used_.end(), true));
}

TGlyphCache& TGlyphCache::Instance() {
    static TGlyphCache cache;
    return cache;
}

TGlyphList& TGlyphCache::GetList(QSize size) {
    auto& slot = lists_[{size.width(), size.height()}];
    if (!slot)
        slot = std::make_unique<TGlyphList>(size);
    return *slot;
}

void TGlyphCache::ReturnList(TGlyphList& list) {
    if (list.Count() == 0)
        lists_.erase({list.Size().width(), list.Size().height()});
}

QImage InactiveImage(const QImage& glyph, TColor transparentColor, QRgb buttonFace) {
    QImage result = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb key =
        qRgb(GetRValue(transparentColor), GetGValue(transparentColor), GetBValue(transparentColor));
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb p = line[x];
            if ((p & 0xFFFFFF) == (key & 0xFFFFFF) || (p & 0xFFFFFF) == (buttonFace & 0xFFFFFF))
                continue;
            const int grey = (qRed(p) * 77 + qGreen(p) * 150 + qBlue(p) * 29) / 256;
            line[x] = qRgba(grey, grey, grey, qAlpha(p));
        }
    }
    return result;
}

TExButtonGlyph::~TExButtonGlyph() {
    DropStateImages();
}

void TExButtonGlyph::SetGlyph(const QImage& glyph) {
    SetGlyph(glyph, BitmapTransparentColor(glyph));
}

void TExButtonGlyph::SetGlyph(const QImage& glyph, TColor transparentColor) {
    DropStateImages();
    glyph_ = glyph;
    transparentColor_ = transparentColor;
    if (!glyph.isNull() && glyph.height() > 0 && glyph.width() % glyph.height() == 0) {
        const int count = glyph.width() / glyph.height();
        numGlyphs_ = count > 5 ? 1 : count;
    }
}

void TExButtonGlyph::SetNumGlyphs(int count) {
    if (count < 1)
        return;
    count = std::min(count, 5);
    if (count == numGlyphs_)
        return;
    DropStateImages();
    numGlyphs_ = count;
}

QSize TExButtonGlyph::GlyphSize() const {
    if (glyph_.isNull())
        return {0, 0};
    return {glyph_.width() / numGlyphs_, glyph_.height()};
}

void TExButtonGlyph::DropStateImages() {
    if (list_ == nullptr)
        return;
    for (int& index : indexes_) {
        list_->Delete(index);
        index = -1;
    }
    TGlyphCache::Instance().ReturnList(*list_);
    list_ = nullptr;
}

QImage TExButtonGlyph::StateImage(TExButtonState state, const QPalette& palette) {
    if (glyph_.isNull())
        return {};
    // Up and down share one image, and so does exclusive, unless the strip has its own.
    TExButtonState slot = state;
    if (static_cast<int>(state) >= numGlyphs_ && (state == ebsDown || state == ebsExclusive))
        slot = ebsUp;
    if (list_ == nullptr)
        list_ = &TGlyphCache::Instance().GetList(GlyphSize());
    int& index = indexes_[slot];
    if (index < 0) {
        const QImage first =
            WithTransparentColor(AssignBitmapCell(glyph_, numGlyphs_, 1, 0), transparentColor_);
        QImage image;
        if (static_cast<int>(slot) < numGlyphs_)
            image = WithTransparentColor(AssignBitmapCell(glyph_, numGlyphs_, 1, slot),
                                         transparentColor_);
        else if (slot == ebsDisabled)
            image = CreateDisabledBitmap(first, clNone, palette);
        else if (slot == ebsInactive)
            image = InactiveImage(first, transparentColor_, palette.color(QPalette::Button).rgb());
        else
            image = first;
        index = list_->Add(image);
    }
    return list_->Image(index);
}

ButtonLayout CalcButtonLayout(QSize client, QSize glyph, QSize text, TButtonLayout layout,
                              int margin, int spacing) {
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    QPoint glyphPos;
    QPoint textPos;
    if (horizontal) {
        textPos.setY((client.height() - text.height() + 1) / 2);
        glyphPos.setY((client.height() - glyph.height() + 1) / 2);
    } else {
        textPos.setX((client.width() - text.width() + 1) / 2);
        glyphPos.setX((client.width() - glyph.width() + 1) / 2);
    }
    if (text.width() == 0 || glyph.width() == 0)
        spacing = 0;
    const int clientAlong = horizontal ? client.width() : client.height();
    const int glyphAlong = horizontal ? glyph.width() : glyph.height();
    const int textAlong = horizontal ? text.width() : text.height();
    if (margin == -1) {
        if (spacing == -1) {
            margin = (clientAlong - (glyphAlong + textAlong)) / 3;
            spacing = margin;
        } else {
            margin = (clientAlong - (glyphAlong + spacing + textAlong) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (clientAlong - (margin + glyphAlong) - textAlong) / 2;
    }
    switch (layout) {
    case blGlyphLeft:
        glyphPos.setX(margin);
        textPos.setX(glyphPos.x() + glyph.width() + spacing);
        break;
    case blGlyphRight:
        glyphPos.setX(client.width() - margin - glyph.width());
        textPos.setX(glyphPos.x() - spacing - text.width());
        break;
    case blGlyphTop:
        glyphPos.setY(margin);
        textPos.setY(glyphPos.y() + glyph.height() + spacing);
        break;
    case blGlyphBottom:
        glyphPos.setY(client.height() - margin - glyph.height());
        textPos.setY(glyphPos.y() - spacing - text.height());
        break;
    }
    return {glyphPos, QRect(textPos, text)};
}

} // namespace duebell
