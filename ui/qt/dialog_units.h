// Dialog units to pixels, as the dialogs of the Windows program are measured: the base units of an
// 8-point "MS Sans Serif" at 96 dots per inch are 6 x 13 pixels, and a dialog unit is a quarter of
// the base width and an eighth of the base height.
#pragma once

#include <QRect>
#include <QSize>

#include "ui/dialog_layout.h"

namespace orlith::qt {

inline constexpr int kBaseUnitX = 6;
inline constexpr int kBaseUnitY = 13;

// number * numerator / denominator, rounded half away from zero (the rounding of MulDiv).
// Precondition: denominator > 0.
int MulDiv(int number, int numerator, int denominator);

int DialogXToPixels(int x);  // MulDiv(x, 6, 4)
int DialogYToPixels(int y);  // MulDiv(y, 13, 8)

// The control's rectangle in pixels of the dialog's client area. Position and size are converted
// separately, so a control's right edge is x_px + width_px.
QRect ControlRectInPixels(const ControlLayout& control);

// The client area of the dialog in pixels.
QSize DialogSizeInPixels(const DialogLayout& layout);

}  // namespace orlith::qt
