#include "ui/qt/layout_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QTest>
#include <algorithm>
#include <vector>

#include "ui/qt/dialog_units.h"
#include "ui/qt/qt_test_suites.h"

namespace orlith::qt {
namespace {

// The widget class of a control kind, and a boolean property that tells kinds of one class apart.
struct KindWidget {
  const char* className;
  const char* property;
  bool value;
};

// In ControlKind order.
// clang-format off
constexpr KindWidget kKindWidgets[] = {
    {"QPushButton", "default", true}, {"QPushButton", "default", false},
    {"QLabel", "wordWrap", true}, {"QLabel", "wordWrap", false}, {"QLineEdit", "frame", true},
    {"QRadioButton", "checked", false}, {"QGroupBox", "checkable", false}};
// clang-format on

// The room a control's text needs in the dialog font, as 8-point "MS Sans Serif" has it.
QSize Needed(const ControlLayout& control, QWidget* widget) {
  const QFontMetrics m(widget->font());
  const QString text = QString::fromLatin1(control.text);
  auto metric = [&](QStyle::PixelMetric p) {
    return widget->style()->pixelMetric(p, nullptr, widget);
  };
  switch (control.kind) {
    case ControlKind::kDefaultPushButton:
    case ControlKind::kPushButton:
      return {m.horizontalAdvance(text) + 2 * metric(QStyle::PM_ButtonMargin),
              m.height() + 2 * metric(QStyle::PM_DefaultFrameWidth)};
    case ControlKind::kStaticNoWrap:
      return {m.horizontalAdvance(text), m.height()};
    case ControlKind::kStatic:
      return m
          .boundingRect(widget->contentsRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                        text)
          .size();
    case ControlKind::kAutoRadio:
      return {metric(QStyle::PM_ExclusiveIndicatorWidth) +
                  metric(QStyle::PM_RadioButtonLabelSpacing) + m.horizontalAdvance(text),
              std::max(m.height(), metric(QStyle::PM_ExclusiveIndicatorHeight))};
    case ControlKind::kEdit:
      return {0, m.height()};
    case ControlKind::kGroupBox:
      break;
  }
  return {};
}

}  // namespace

class LayoutDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void MatchesTheLayoutData_data() {
    QTest::addColumn<DialogId>("dialog");
    for (DialogId id : {DialogId::kPosition, DialogId::kNdb, DialogId::kVor, DialogId::kIls})
      QTest::newRow(LayoutOf(id).caption) << id;
  }
  // Every control at its rectangle with its class, text and tab stop, every text fitting it; the
  // focus opens in the first edit and Tab visits the tab stops in template order from there,
  // wrapping; Enter there presses OK (F17: in the NDB dialog it pressed Cancel).
  void MatchesTheLayoutData() {
    QFETCH(DialogId, dialog);
    const DialogLayout& layout = LayoutOf(dialog);
    int ok_calls = 0;
    LayoutDialog view(layout, {}, [&](const DialogTexts&) { return ++ok_calls, true; });
    QCOMPARE(view.windowTitle(), QString::fromLatin1(layout.caption));
    QCOMPARE(view.size(), DialogSizeInPixels(layout));
    QVERIFY(view.windowFlags() & Qt::WindowCloseButtonHint);
    std::vector<QWidget*> tab_stops;
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
      const ControlLayout& control = layout.controls[i];
      QWidget* widget = view.controlAt(i);
      const KindWidget& kind = kKindWidgets[static_cast<int>(control.kind)];
      const QString what = QStringLiteral("control %1 \"%2\"").arg(i).arg(control.text);
      QVERIFY2(widget->inherits(kind.className), qPrintable(what));
      QVERIFY2(widget->geometry() == ControlRectInPixels(control), qPrintable(what));
      QCOMPARE(widget->focusPolicy() == Qt::StrongFocus, control.tabStop);
      QCOMPARE(widget->property(kind.property).toBool(), kind.value);
      const char* text_property = control.kind == ControlKind::kGroupBox ? "title" : "text";
      QCOMPARE(widget->property(text_property).toString(), QString::fromLatin1(control.text));
      const QSize needed = Needed(control, widget), room = widget->contentsRect().size();
      QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
               qPrintable(what + " does not fit its rectangle"));
      if (control.tabStop) tab_stops.push_back(widget);
    }
    view.show();  // and active, as exec() leaves it
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QCOMPARE(QApplication::focusWidget(), view.control(InitialFocusId(layout)));
    const std::size_t first = static_cast<std::size_t>(
        std::find(tab_stops.begin(), tab_stops.end(), view.initialFocus()) - tab_stops.begin());
    for (std::size_t step = 1; step <= tab_stops.size(); ++step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), tab_stops[(first + step) % tab_stops.size()]);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(view.result(), QDialog::Accepted);
    QCOMPARE(ok_calls, 1);
  }

  // Blue ground and white texts, edits keep the platform's white field. A type button is never
  // preselected, even with a type given; clicking one unchecks the other. Each character is one
  // byte of the entry; what Latin-1 cannot hold becomes "?". The close box cancels. (OK, Cancel,
  // Escape, Enter and a refused OK are driven through every command in MainFrameTest.)
  void ShowsAndHoldsWhatIsTypedUntilTheCloseBox() {
    LayoutDialog view(LayoutOf(DialogId::kPosition), {{}, kNdbButton}, {});
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QCOMPARE(QColor(view.grab().toImage().pixel(2, 2)), QColor(0, 0, 192));
    for (QWidget* text : {view.controlAt(2), view.control(kVorButton)})
      QCOMPARE(text->palette().color(text->foregroundRole()), QColor(255, 255, 255));
    QCOMPARE(view.control(1000)->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Base));
    auto checked = [&](int id) { return view.control(id)->property("checked").toBool(); };
    for (int id : {kVorButton, kIlsButton, kNdbButton}) QVERIFY(!checked(id));
    QTest::mouseClick(view.control(kVorButton), Qt::LeftButton);
    QTest::mouseClick(view.control(kNdbButton), Qt::LeftButton);
    QWidget* latitude = view.control(1000);
    latitude->setFocus();
    for (QChar c : QString::fromUtf8("  Caf\xC3\xA9 \xE2\x82\xAC longer than 24 chars  "))
      QTest::sendKeyEvent(QTest::Click, latitude, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(view.typed().checkedRadio, kNdbButton);
    QVERIFY(!checked(kVorButton));
    QCOMPARE(view.typed().edits.at(1000), std::string("  Caf\xE9 ? longer than 24 chars  "));
    view.close();
    QVERIFY(!view.isVisible());
    QCOMPARE(view.result(), QDialog::Rejected);
  }

  // Position and size convert separately, each rounded half away from zero as MulDiv rounds:
  // "Abbrechen" of the Position dialog is 192, 165, 55, 14 dialog units, the dialog 365 x 212.
  void ConvertsDialogUnits() {
    ControlLayout cancel{2, ControlKind::kPushButton, "Abbrechen", 192, 165, 55, 14, {}, true};
    QCOMPARE(ControlRectInPixels(cancel), QRect(288, 268, 83, 23));
    QCOMPARE(DialogSizeInPixels(LayoutOf(DialogId::kPosition)), QSize(548, 345));
    QCOMPARE(MulDiv(-5, 6, 4), -8);
    QCOMPARE(MulDiv(1000000000, 6, 4), 1500000000);
  }
};

ORLITH_QT_TEST_SUITE(LayoutDialogTest);

}  // namespace orlith::qt

#include "layout_dialog_test.moc"
