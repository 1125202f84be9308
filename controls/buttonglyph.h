// The glyph of a speed button: a strip of NumGlyphs images (up, disabled, down, exclusive,
// inactive) whose missing states are derived from the first image, and the layout of glyph
// and caption on the button's face. State images are kept in one process-wide cache of image
// lists, one list per glyph size, shared by every button.
#pragma once

#include "controls/tcolor.h"

#include <QImage>
#include <QPalette>
#include <QRect>
#include <QSize>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace duebell {

enum TExButtonState { ebsUp, ebsDisabled, ebsDown, ebsExclusive, ebsInactive };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Images of one size with a bit set of used slots: adding takes the first free slot.
class TGlyphList {
public:
    explicit TGlyphList(QSize size) : size_(size) {}
    QSize Size() const { return size_; }
    int Add(const QImage& image);
    void Delete(int index);
    const QImage& Image(int index) const { return images_[static_cast<std::size_t>(index)]; }
    int Count() const;

private:
    QSize size_;
    std::vector<QImage> images_;
    std::vector<bool> used_;
};

class TGlyphCache {
public:
    static TGlyphCache& Instance();
    TGlyphList& GetList(QSize size);
    // A list whose last image was deleted leaves the cache.
    void ReturnList(TGlyphList& list);
    int ListCount() const { return static_cast<int>(lists_.size()); }

private:
    std::map<std::pair<int, int>, std::unique_ptr<TGlyphList>> lists_;
};

// Maps every pixel but the transparent and the button-face colour to its grey value
// (red x 77 + green x 150 + blue x 29) / 256.
QImage InactiveImage(const QImage& glyph, TColor transparentColor, QRgb buttonFace);

class TExButtonGlyph {
public:
    TExButtonGlyph() = default;
    ~TExButtonGlyph();
    TExButtonGlyph(const TExButtonGlyph&) = delete;
    TExButtonGlyph& operator=(const TExButtonGlyph&) = delete;

    const QImage& Glyph() const { return glyph_; }
    // Drops the state images; the transparent colour becomes the bottom-left pixel's, and a
    // strip whose width is an exact multiple of its height gives NumGlyphs (1 above 5).
    void SetGlyph(const QImage& glyph);
    // The same with a transparent colour of the caller's choosing.
    void SetGlyph(const QImage& glyph, TColor transparentColor);
    int NumGlyphs() const { return numGlyphs_; }
    // 0 is ignored; values above 5 become 5.
    void SetNumGlyphs(int count);
    TColor TransparentColor() const { return transparentColor_; }
    QSize GlyphSize() const;

    // The picture of a state, transparent where the glyph is; built once and cached.
    QImage StateImage(TExButtonState state, const QPalette& palette);
    // A system-colour change: the state images are built again.
    void DropStateImages();

private:
    QImage glyph_;
    TColor transparentColor_ = clNone;
    int numGlyphs_ = 1;
    int indexes_[5] = {-1, -1, -1, -1, -1};
    TGlyphList* list_ = nullptr;
};

struct ButtonLayout {
    QPoint glyphPos;
    QRect textRect;
};

// Places glyph and caption in a client area. Margin -1 centres the block; Spacing -1 divides
// the free space into three equal parts. The caller counts the drop-down mark into the
// caption's or the glyph's size.
ButtonLayout CalcButtonLayout(QSize client, QSize glyph, QSize text, TButtonLayout layout,
                              int margin, int spacing);

} // namespace duebell
