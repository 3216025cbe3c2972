#include "ui/qt/layout_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <optional>
#include <vector>

#include "ui/qt/dialog_units.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_test_suites.h"

namespace orlith::qt {
namespace {

void AddDialogRows() {
  QTest::addColumn<int>("dialog");
  QTest::newRow("Position") << static_cast<int>(DialogId::kPosition);
  QTest::newRow("NDB") << static_cast<int>(DialogId::kNdb);
  QTest::newRow("VOR") << static_cast<int>(DialogId::kVor);
  QTest::newRow("ILS") << static_cast<int>(DialogId::kIls);
}

// Counts the OK handler's calls and keeps what it was given.
struct OkRecorder {
  int calls = 0;
  DialogTexts typed;
  OkHandler handler = [this](const DialogTexts& texts) {
    ++calls;
    typed = texts;
  };
};

// Shows the dialog and waits until it is the active window, as exec() would leave it.
bool ShowActive(LayoutDialog& dialog) {
  dialog.show();
  return QTest::qWaitForWindowActive(&dialog);
}

}  // namespace

class LayoutDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void BuildsEveryControlFromTheLayout_data() { AddDialogRows(); }
  void BuildsEveryControlFromTheLayout() {
    QFETCH(int, dialog);
    const DialogLayout& layout = LayoutOf(static_cast<DialogId>(dialog));
    OkRecorder ok;
    LayoutDialog view(layout, {}, ok.handler);
    QCOMPARE(view.windowTitle(), QString::fromLatin1(layout.caption));
    QCOMPARE(view.size(), DialogSizeInPixels(layout));
    QVERIFY(view.windowFlags() & Qt::WindowCloseButtonHint);
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
      const ControlLayout& control = layout.controls[i];
      QWidget* widget = view.controlAt(i);
      const QString what = QStringLiteral("control %1 (%2)").arg(i).arg(control.text);
      QVERIFY2(widget->geometry() == ControlRectInPixels(control), qPrintable(what));
      QCOMPARE(widget->property("controlId").toInt(), control.id);
      QCOMPARE(widget->focusPolicy() == Qt::StrongFocus, control.tabStop);
      const QString text = QString::fromLatin1(control.text);
      switch (control.kind) {
        case ControlKind::kDefaultPushButton:
        case ControlKind::kPushButton: {
          auto* button = qobject_cast<QPushButton*>(widget);
          QVERIFY2(button != nullptr, qPrintable(what));
          QCOMPARE(button->text(), text);
          QCOMPARE(button->isDefault(), control.kind == ControlKind::kDefaultPushButton);
          break;
        }
        case ControlKind::kStatic:
        case ControlKind::kStaticNoWrap: {
          auto* label = qobject_cast<QLabel*>(widget);
          QVERIFY2(label != nullptr, qPrintable(what));
          QCOMPARE(label->text(), text);
          QCOMPARE(label->wordWrap(), control.kind == ControlKind::kStatic);
          break;
        }
        case ControlKind::kEdit: {
          auto* edit = qobject_cast<QLineEdit*>(widget);
          QVERIFY2(edit != nullptr, qPrintable(what));
          QVERIFY(edit->hasFrame());
          QVERIFY(edit->text().isEmpty());
          break;
        }
        case ControlKind::kAutoRadio: {
          auto* radio = qobject_cast<QRadioButton*>(widget);
          QVERIFY2(radio != nullptr, qPrintable(what));
          QCOMPARE(radio->text(), text);
          QVERIFY(!radio->isChecked());
          break;
        }
        case ControlKind::kGroupBox:
          QVERIFY(qobject_cast<QGroupBox*>(widget) != nullptr);
          QVERIFY(qobject_cast<QGroupBox*>(widget)->title().isEmpty());
          break;
      }
    }
  }

  // The dialog font must be small enough for the rectangles, as 8-point "MS Sans Serif" is.
  void EveryTextFitsItsRectangle_data() { AddDialogRows(); }
  void EveryTextFitsItsRectangle() {
    QFETCH(int, dialog);
    const DialogLayout& layout = LayoutOf(static_cast<DialogId>(dialog));
    LayoutDialog view(layout, {}, {});
    QStyle* style = view.style();
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
      const ControlLayout& control = layout.controls[i];
      QWidget* widget = view.controlAt(i);
      const QFontMetrics metrics(widget->font());
      const QString text = QString::fromLatin1(control.text);
      const QRect rect = widget->contentsRect();
      QSize needed;
      switch (control.kind) {
        case ControlKind::kDefaultPushButton:
        case ControlKind::kPushButton:
          needed = QSize(metrics.horizontalAdvance(text) +
                             2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, widget),
                         metrics.height() +
                             2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget));
          break;
        case ControlKind::kStaticNoWrap:
          needed = QSize(metrics.horizontalAdvance(text), metrics.height());
          break;
        case ControlKind::kStatic:
          needed = metrics.boundingRect(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text)
                       .size();
          break;
        case ControlKind::kAutoRadio:
          needed = QSize(
              style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) +
                  style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, widget) +
                  metrics.horizontalAdvance(text),
              std::max(metrics.height(),
                       style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, widget)));
          break;
        case ControlKind::kEdit:
          needed = QSize(0, metrics.height());
          break;
        case ControlKind::kGroupBox:
          continue;
      }
      QVERIFY2(needed.width() <= rect.width() && needed.height() <= rect.height(),
               qPrintable(QStringLiteral("\"%1\" needs %2 x %3, has %4 x %5")
                              .arg(text)
                              .arg(needed.width())
                              .arg(needed.height())
                              .arg(rect.width())
                              .arg(rect.height())));
    }
  }

  void UsesTheDialogColours() {
    LayoutDialog view(LayoutOf(DialogId::kPosition), {}, {});
    view.resize(DialogSizeInPixels(view.layout()));
    QImage image = view.grab().toImage();
    QCOMPARE(QColor(image.pixel(2, 2)), QColor(0, 0, 192));
    auto* label = view.controlAt(2);
    QCOMPARE(label->palette().color(label->foregroundRole()), QColor(255, 255, 255));
    auto* radio = view.control(kVorButton);
    QCOMPARE(radio->palette().color(radio->foregroundRole()), QColor(255, 255, 255));
    // Edits keep the platform's white field.
    QWidget* edit = view.control(1000);
    QCOMPARE(edit->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
  }

  // Tab visits the tab stops in template order and wraps; the radio buttons are skipped.
  void TabOrderIsTemplateOrder_data() { AddDialogRows(); }
  void TabOrderIsTemplateOrder() {
    QFETCH(int, dialog);
    const DialogLayout& layout = LayoutOf(static_cast<DialogId>(dialog));
    LayoutDialog view(layout, {}, {});
    QVERIFY(ShowActive(view));
    std::vector<QWidget*> expected;
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
      if (layout.controls[i].tabStop) expected.push_back(view.controlAt(i));
    }
    QCOMPARE(QApplication::focusWidget(), expected.front());
    QCOMPARE(view.firstTabStop(), expected.front());
    for (std::size_t step = 1; step <= expected.size(); ++step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), expected[step % expected.size()]);
    }
  }

  void ShowsTheTextsAndNoCheckedButton() {
    DialogTexts shown;
    shown.edits = {{1000, "N42 34.6"}, {1001, "W12 24.5"}};
    shown.checkedRadio = kNdbButton;  // never preselected
    LayoutDialog view(LayoutOf(DialogId::kPosition), shown, {});
    QCOMPARE(qobject_cast<QLineEdit*>(view.control(1000))->text(), QString("N42 34.6"));
    QCOMPARE(qobject_cast<QLineEdit*>(view.control(1001))->text(), QString("W12 24.5"));
    for (int id : {kVorButton, kIlsButton, kNdbButton}) {
      QVERIFY(!qobject_cast<QRadioButton*>(view.control(id))->isChecked());
    }
    QCOMPARE(view.typed().checkedRadio, 0);
    QCOMPARE(view.typed().edits, shown.edits);
  }

  void TypeButtonsFormOneGroup() {
    LayoutDialog view(LayoutOf(DialogId::kPosition), {}, {});
    QVERIFY(ShowActive(view));
    QTest::mouseClick(view.control(kVorButton), Qt::LeftButton);
    QCOMPARE(view.typed().checkedRadio, kVorButton);
    QTest::mouseClick(view.control(kNdbButton), Qt::LeftButton);
    QCOMPARE(view.typed().checkedRadio, kNdbButton);
    QVERIFY(!qobject_cast<QRadioButton*>(view.control(kVorButton))->isChecked());
  }

  // Each character is one byte of the entry; what Latin-1 cannot hold becomes "?".
  void TypedTextsAreSingleByte() {
    LayoutDialog view(LayoutOf(DialogId::kNdb), {}, {});
    QVERIFY(ShowActive(view));
    auto* name = qobject_cast<QLineEdit*>(view.control(1004));
    name->setFocus();
    for (QChar c : QString::fromUtf8("  Caf\xC3\xA9 \xE2\x82\xAC longer than 24 chars  ")) {
      QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(view.typed().edits.at(1004), std::string("  Caf\xE9 ? longer than 24 chars  "));
  }

  // How the dialog closes: OK calls the handler with what the controls hold; every way of
  // cancelling leaves it uncalled.
  void ClosesAsTheButtonSays_data() {
    QTest::addColumn<int>("dialog");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("accepted");
    const int position = static_cast<int>(DialogId::kPosition);
    const int ndb = static_cast<int>(DialogId::kNdb);
    const int vor = static_cast<int>(DialogId::kVor);
    const int ils = static_cast<int>(DialogId::kIls);
    QTest::newRow("OK button") << position << "ok" << true;
    QTest::newRow("Enter in an edit") << ndb << "enter-in-edit" << true;
    QTest::newRow("Cancel button") << vor << "cancel" << false;
    QTest::newRow("Escape") << ils << "escape" << false;
    QTest::newRow("close box") << position << "close" << false;
    // Right after opening the focus is on the first tab stop: Cancel in the NDB dialog.
    QTest::newRow("Enter at once in NDB presses Cancel") << ndb << "enter" << false;
    QTest::newRow("Enter at once in VOR presses OK") << vor << "enter" << true;
    QTest::newRow("Enter at once in ILS presses OK") << ils << "enter" << true;
  }
  void ClosesAsTheButtonSays() {
    QFETCH(int, dialog);
    QFETCH(QString, how);
    QFETCH(bool, accepted);
    const DialogLayout& layout = LayoutOf(static_cast<DialogId>(dialog));
    OkRecorder ok;
    LayoutDialog view(layout, {}, ok.handler);
    QVERIFY(ShowActive(view));
    int edit_id = 0;
    for (const ControlLayout& control : layout.controls) {
      if (control.kind == ControlKind::kEdit && edit_id == 0) edit_id = control.id;
    }
    QLineEdit* edit = qobject_cast<QLineEdit*>(view.control(edit_id));
    if (how != "enter") {
      edit->setFocus();
      QTest::keyClicks(edit, "typed");
    }
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
