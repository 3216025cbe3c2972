// The fonts and colours of the Qt program, made from the faces, sizes and COLORREF values of the
// shared layout data.
#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>

namespace orlith::qt {

// The family used where a face of the layout data is not installed: Liberation Sans has the
// metrics of Arial. It has no Black weight, so "Arial Black" falls back to its heaviest (Bold).
inline constexpr char kMetricTwinFace[] = "Liberation Sans";

// The dialog font: 8-point "MS Sans Serif" is not available outside Windows, so every dialog uses
// Liberation Sans at 10 pixels, the largest size at which every label, button and radio text fits
// its rectangle unclipped.
inline constexpr char kDialogFontFace[] = "Liberation Sans";
inline constexpr int kDialogFontPixels = 10;
QFont DialogFont();

// A screen font of face at tenths of a point: the character height in pixels is
// tenths * dpi_y / 720, truncated (34 pixels for 260 tenths at 96 dots per inch). face is tried
// first, then its metric twin; "Arial Black" asks for the Black weight.
QFont ScreenFont(const char* face, int tenths, int dpi_y);

// The pixel height ScreenFont gives.
int ScreenFontPixels(int tenths, int dpi_y);

// A Windows COLORREF (0x00BBGGRR) as a colour.
QColor ColourOf(std::uint32_t colorref);

}  // namespace orlith::qt
