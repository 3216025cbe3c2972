#include "ui/qt/title_view.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/dialog_layout.h"
#include "ui/qt/fonts.h"

namespace orlith::qt {
namespace {

// Draws text with its top left corner at origin, on an opaque light blue cell.
void DrawLine(QPainter& painter, const QFont& font, const char* text,
              TextOrigin (*origin_of)(int width)) {
  painter.setFont(font);
  QFontMetrics metrics(font);
  QString line = QString::fromLatin1(text);
  TextOrigin origin = origin_of(metrics.horizontalAdvance(line));
  painter.drawText(QPoint(origin.x, origin.y + metrics.ascent()), line);
}

}  // namespace

TitleView::TitleView(QWidget* parent)
    : QWidget(parent),
      titleFont_(ScreenFont(kTitleFontFace, kTitleFontTenths, logicalDpiY())),
      textFont_(ScreenFont(kTextFontFace, kTextFontTenths, logicalDpiY())) {}

void TitleView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor fill = ColourOf(kTitleFillColour);
  painter.fillRect(QRect(0, 0, kWindowWidth, kWindowHeight), fill);
  painter.setPen(Qt::black);
  painter.setBackgroundMode(Qt::OpaqueMode);
  painter.setBackground(fill);
  DrawLine(painter, titleFont_, kTitleText, TitleOrigin);
  DrawLine(painter, textFont_, kSubtitleText, SubtitleOrigin);
  DrawLine(painter, font(), kCreditText, CreditOrigin);
}

}  // namespace orlith::qt
