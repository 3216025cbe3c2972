#include "ui/qt/fonts.h"

#include <QStringList>
#include <cstring>

namespace orlith::qt {

QFont DialogFont() {
  QFont font(QString::fromLatin1(kDialogFontFace));
  font.setPixelSize(kDialogFontPixels);
  font.setWeight(QFont::Normal);
  return font;
}

int ScreenFontPixels(int tenths, int dpi_y) { return tenths * dpi_y / 720; }

QFont ScreenFont(const char* face, int tenths, int dpi_y) {
  QFont font;
  font.setFamilies({QString::fromLatin1(face), QString::fromLatin1(kMetricTwinFace)});
  font.setPixelSize(ScreenFontPixels(tenths, dpi_y));
  font.setWeight(std::strcmp(face, "Arial Black") == 0 ? QFont::Black : QFont::Normal);
  return font;
}

QColor ColourOf(std::uint32_t colorref) {
  return QColor(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                static_cast<int>((colorref >> 16) & 0xFF));
}

}  // namespace orlith::qt
