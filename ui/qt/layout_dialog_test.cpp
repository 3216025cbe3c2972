#include "ui/qt/layout_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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
constexpr KindWidget kKindWidgets[] = {
    {"QPushButton", "default", true},  {"QPushButton", "default", false},
    {"QLabel", "wordWrap", true},      {"QLabel", "wordWrap", false},
    {"QLineEdit", "frame", true},      {"QRadioButton", "checked", false},
    {"QGroupBox", "checkable", false},
};

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

// Counts the OK handler's calls and keeps what it was given.
struct OkRecorder {
  int calls = 0;
  DialogTexts typed;
  OkHandler handler = [this](const DialogTexts& texts) { ++calls, typed = texts; };
};

// Shows the dialog and waits until it is the active window, as exec() would leave it.
bool ShowActive(LayoutDialog& dialog) {
  dialog.show();
  return QTest::qWaitForWindowActive(&dialog);
}

QLineEdit* Edit(const LayoutDialog& view, int id) {
  return qobject_cast<QLineEdit*>(view.control(id));
}
bool Checked(const LayoutDialog& view, int id) {
  return view.control(id)->property("checked").toBool();
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
  // Every control at its rectangle with its id, class, text and tab stop, every text fitting its
  // rectangle; Tab visits the tab stops in template order from the first one and wraps.
  void MatchesTheLayoutData() {
    QFETCH(DialogId, dialog);
    const DialogLayout& layout = LayoutOf(dialog);
    OkRecorder ok;
    LayoutDialog view(layout, {}, ok.handler);
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
      QCOMPARE(widget->property("controlId").toInt(), control.id);
      QCOMPARE(widget->focusPolicy() == Qt::StrongFocus, control.tabStop);
      QCOMPARE(widget->property(kind.property).toBool(), kind.value);
      const char* text_property = control.kind == ControlKind::kGroupBox ? "title" : "text";
      QCOMPARE(widget->property(text_property).toString(), QString::fromLatin1(control.text));
      const QSize needed = Needed(control, widget), room = widget->contentsRect().size();
      QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
               qPrintable(QStringLiteral("%1 needs %2 x %3, has %4 x %5")
                              .arg(what)
                              .arg(needed.width())
                              .arg(needed.height())
                              .arg(room.width())
                              .arg(room.height())));
      if (control.tabStop) tab_stops.push_back(widget);
    }
    QVERIFY(ShowActive(view));
    QCOMPARE(view.firstTabStop(), tab_stops.front());
    QCOMPARE(QApplication::focusWidget(), tab_stops.front());
    for (std::size_t step = 1; step <= tab_stops.size(); ++step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), tab_stops[step % tab_stops.size()]);
    }
  }

  // Blue ground and white texts; edits keep the platform's white field.
  void UsesTheDialogColours() {
    LayoutDialog view(LayoutOf(DialogId::kPosition), {}, {});
    view.resize(DialogSizeInPixels(view.layout()));
    QCOMPARE(QColor(view.grab().toImage().pixel(2, 2)), QColor(0, 0, 192));
    for (QWidget* text : {view.controlAt(2), view.control(kVorButton)})
      QCOMPARE(text->palette().color(text->foregroundRole()), QColor(255, 255, 255));
    QCOMPARE(view.control(1000)->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Base));
  }

  // The edits show the given texts; a radio button is never preselected, and clicking one
  // unchecks the other.
  void ShowsTheTextsAndOneTypeButtonGroup() {
    DialogTexts shown{{{1000, "N42 34.6"}, {1001, "W12 24.5"}}, kNdbButton};
    LayoutDialog view(LayoutOf(DialogId::kPosition), shown, {});
    QCOMPARE(Edit(view, 1000)->text(), QString("N42 34.6"));
    QCOMPARE(Edit(view, 1001)->text(), QString("W12 24.5"));
    for (int id : {kVorButton, kIlsButton, kNdbButton}) QVERIFY(!Checked(view, id));
    QCOMPARE(view.typed().checkedRadio, 0);
    QCOMPARE(view.typed().edits, shown.edits);
    QVERIFY(ShowActive(view));
    QTest::mouseClick(view.control(kVorButton), Qt::LeftButton);
    QCOMPARE(view.typed().checkedRadio, kVorButton);
    QTest::mouseClick(view.control(kNdbButton), Qt::LeftButton);
    QCOMPARE(view.typed().checkedRadio, kNdbButton);
    QVERIFY(!Checked(view, kVorButton));
  }

  // Each character is one byte of the entry; what Latin-1 cannot hold becomes "?".
  void TypedTextsAreSingleByte() {
    LayoutDialog view(LayoutOf(DialogId::kNdb), {}, {});
    QVERIFY(ShowActive(view));
    QLineEdit* name = Edit(view, 1004);
    name->setFocus();
    for (QChar c : QString::fromUtf8("  Caf\xC3\xA9 \xE2\x82\xAC longer than 24 chars  "))
      QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(view.typed().edits.at(1004), std::string("  Caf\xE9 ? longer than 24 chars  "));
  }

  // OK calls the handler with what the controls hold; every way of cancelling leaves it uncalled.
  // Right after opening the focus is on the first tab stop: Cancel in the NDB dialog, else OK.
  void ClosesAsTheButtonSays_data() {
    QTest::addColumn<DialogId>("dialog");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("OK button") << DialogId::kPosition << "ok" << true;
    QTest::newRow("Enter in an edit") << DialogId::kNdb << "enter-in-edit" << true;
    QTest::newRow("Cancel button") << DialogId::kVor << "cancel" << false;
    QTest::newRow("Escape") << DialogId::kIls << "escape" << false;
    QTest::newRow("close box") << DialogId::kPosition << "close" << false;
    QTest::newRow("Enter at once in NDB presses Cancel") << DialogId::kNdb << "enter" << false;
    QTest::newRow("Enter at once in VOR presses OK") << DialogId::kVor << "enter" << true;
    QTest::newRow("Enter at once in ILS presses OK") << DialogId::kIls << "enter" << true;
  }
  void ClosesAsTheButtonSays() {
    QFETCH(DialogId, dialog);
    QFETCH(QString, how);
    QFETCH(bool, accepted);
    const DialogLayout& layout = LayoutOf(dialog);
    OkRecorder ok;
    LayoutDialog view(layout, {}, ok.handler);
    QVERIFY(ShowActive(view));
    const int edit_id = std::find_if(layout.controls.begin(), layout.controls.end(), [](auto& c) {
                          return c.kind == ControlKind::kEdit;
                        })->id;
    QLineEdit* edit = Edit(view, edit_id);
    if (how != "enter") edit->setFocus(), QTest::keyClicks(edit, "typed");
    if (how == "ok") QTest::mouseClick(view.okButton(), Qt::LeftButton);
    if (how == "enter-in-edit") QTest::keyClick(edit, Qt::Key_Return);
    if (how == "cancel") QTest::mouseClick(view.cancelButton(), Qt::LeftButton);
    if (how == "escape") QTest::keyClick(edit, Qt::Key_Escape);
    if (how == "close") view.close();
    if (how == "enter") QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!view.isVisible());
    QCOMPARE(view.result(), accepted ? QDialog::Accepted : QDialog::Rejected);
    QCOMPARE(ok.calls, accepted ? 1 : 0);
    if (accepted && how != "enter") QCOMPARE(ok.typed.edits.at(edit_id), std::string("typed"));
  }
};

ORLITH_QT_TEST_SUITE(LayoutDialogTest);

}  // namespace orlith::qt

#include "layout_dialog_test.moc"
