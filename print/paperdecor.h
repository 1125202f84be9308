// Drawing aids of the preview's paper: a grid over the page and the paper's shadow.
#pragma once

#include "print/types.h"

namespace duebell {

class TPqPageGrid {
public:
    TPqGridStyle GridStyle() const { return style_; }
    void SetGridStyle(TPqGridStyle style);
    TColor GridColor() const { return color_; }
    void SetGridColor(TColor color);
    // The distance between grid lines, inches.
    double Spacing() const { return spacing_; }

    TNotifyEvent OnChange;

private:
    void Changed();
    TPqGridStyle style_ = pqNoGrid;
    TColor color_ = clSilver;
    double spacing_ = 1;
};

class TPqShadow {
public:
    int Width() const { return width_; }
    void SetWidth(int width);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    TNotifyEvent OnChange;

private:
    void Changed();
    int width_ = 4;
    TColor color_ = clBlack;
    bool visible_ = true;
};

} // namespace duebell
