#include "ui/qt/title_view.h"

#include <QFontInfo>
#include <QImage>
#include <QTest>

#include "ui/dialog_layout.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_test_suites.h"

namespace orlith::qt {
namespace {

// The horizontal extent of the pixels that are not the ground colour in rows [top, bottom).
struct Ink {
  int left = -1, right = -1, top = -1;
  bool black = true;  // every inked pixel is black or a shade between black and the ground
};

Ink InkBetween(const QImage& image, int top, int bottom, QRgb ground) {
  Ink ink;
  for (int y = top; y < bottom && y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QRgb pixel = image.pixel(x, y);
      if (pixel == ground) continue;
      if (ink.left < 0 || x < ink.left) ink.left = x;
      if (x > ink.right) ink.right = x;
      if (ink.top < 0) ink.top = y;
      // Anti-aliased edges blend towards the ground; red never rises above the ground's 0.
      if (qRed(pixel) != 0) ink.black = false;
    }
  }
  return ink;
}

}  // namespace

class TitleViewTest : public QObject {
  Q_OBJECT

 private slots:
  // The pixel height truncates tenths * dpi / 720 (34.7 and 26.7 at 96 dpi); a face missing here
  // falls back to its metric twin.
  void FontsTruncateAndFallBackToTheMetricTwin() {
    QCOMPARE(ScreenFontPixels(260, 96), 34);
    QCOMPARE(ScreenFont(kTextFontFace, 200, 96).pixelSize(), 26);
    TitleView view;
    const QFontInfo title(view.titleFont()), text(view.textFont());
    QVERIFY2(title.family() == "Arial Black" || title.family() == kMetricTwinFace,
             qPrintable(title.family()));
    QVERIFY2(text.family() == "Arial" || text.family() == kMetricTwinFace,
             qPrintable(text.family()));
    QVERIFY(title.weight() >= QFont::Bold);
    QCOMPARE(text.weight(), static_cast<int>(QFont::Normal));
  }

  // Renders the view larger than the fixed rectangle so every line is seen whole.
  void PaintsThreeBlackLinesCentredOn320() {
    TitleView view;
    view.resize(kWindowWidth, kWindowHeight);
    QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb ground = qRgb(0, 192, 255);
    QCOMPARE(image.pixel(0, 0), ground);
    QCOMPARE(image.pixel(kWindowWidth - 1, kWindowHeight - 1), ground);

    struct Line {
      const char* name;
      int y, height;
    };
    for (const Line& line : {Line{"title", 120, 50}, {"subtitle", 180, 40}, {"credit", 360, 30}}) {
      Ink ink = InkBetween(image, line.y, line.y + line.height, ground);
      QVERIFY2(ink.left >= 0, line.name);
      QVERIFY2(ink.top >= line.y && ink.top < line.y + 12, line.name);
      QVERIFY2(ink.black, line.name);
      // Glyph side bearings make the ink a pixel or two narrower than the advance.
      const int centre = (ink.left + ink.right) / 2;
      QVERIFY2(centre >= 316 && centre <= 324,
               qPrintable(QString("%1 centred at %2").arg(line.name).arg(centre)));
    }
    // Nothing but ground between the lines.
    QCOMPARE(InkBetween(image, 230, 355, ground).left, -1);
  }
};

ORLITH_QT_TEST_SUITE(TitleViewTest);

}  // namespace orlith::qt

#include "title_view_test.moc"
