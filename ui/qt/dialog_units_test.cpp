#include "ui/qt/dialog_units.h"

#include <QTest>

#include "ui/qt/qt_test_suites.h"

namespace orlith::qt {

class DialogUnitsTest : public QObject {
  Q_OBJECT

 private slots:
  void MulDivRoundsHalfAwayFromZero_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("numerator");
    QTest::addColumn<int>("denominator");
    QTest::addColumn<int>("expected");
    QTest::newRow("exact") << 4 << 6 << 4 << 6;
    QTest::newRow("half rounds up") << 365 << 6 << 4 << 548;
    QTest::newRow("below half rounds down") << 1 << 13 << 8 << 2;
    QTest::newRow("height half") << 212 << 13 << 8 << 345;
    QTest::newRow("negative half away from zero") << -5 << 6 << 4 << -8;
    QTest::newRow("no overflow in the product") << 1000000000 << 6 << 4 << 1500000000;
  }
  void MulDivRoundsHalfAwayFromZero() {
    QFETCH(int, number);
    QFETCH(int, numerator);
    QFETCH(int, denominator);
    QFETCH(int, expected);
    QCOMPARE(MulDiv(number, numerator, denominator), expected);
  }

  void ConvertsPositionAndSizeSeparately() {
    // "Abbrechen" of the Position dialog: 192, 165, 55, 14 dialog units.
    ControlLayout cancel{2, ControlKind::kPushButton, "Abbrechen", 192, 165, 55, 14, {}, true};
    QCOMPARE(ControlRectInPixels(cancel), QRect(288, 268, 83, 23));
    // 365 x 212 and 367 x 178 dialog units.
    QCOMPARE(DialogSizeInPixels(LayoutOf(DialogId::kPosition)), QSize(548, 345));
    QCOMPARE(DialogSizeInPixels(LayoutOf(DialogId::kVor)), QSize(551, 289));
  }
};

ORLITH_QT_TEST_SUITE(DialogUnitsTest);

}  // namespace orlith::qt

#include "dialog_units_test.moc"
