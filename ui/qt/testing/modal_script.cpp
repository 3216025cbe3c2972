#include "ui/qt/testing/modal_script.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <utility>

#include "ui/qt/layout_dialog.h"

namespace orlith::qt::testing {

ModalScript::ModalScript() {
  connect(&timer_, &QTimer::timeout, this, &ModalScript::Poll);
  timer_.start(5);
}

void ModalScript::Then(Step step) { steps_.push_back(std::move(step)); }

void ModalScript::Later(std::function<void()> action) {
  QTimer::singleShot(0, qApp, std::move(action));
}

void ModalScript::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || !modal->isVisible() || served_.contains(modal)) return;
  served_.append(QPointer<QWidget>(modal));
  if (!steps_.empty()) {
    Step step = std::move(steps_.front());
    steps_.pop_front();
    return step(modal);
  }
  Reject(modal, QStringLiteral("unexpected window \"%1\"").arg(modal->windowTitle()));
}

void ModalScript::Reject(QWidget* modal, const QString& failure) {
  failures_ << failure;
  if (auto* dialog = qobject_cast<QDialog*>(modal)) Later([dialog] { dialog->QDialog::reject(); });
}

void ModalScript::Dialog(DialogStep step) {
  Then([this, step = std::move(step)](QWidget* modal) {
    auto* dialog = qobject_cast<LayoutDialog*>(modal);
    if (dialog == nullptr || dialog->layout().id != step.id) {
      return Reject(modal, QStringLiteral("expected dialog %1, got \"%2\"")
                               .arg(static_cast<int>(step.id))
                               .arg(modal->windowTitle()));
    }
    for (const auto& [id, text] : step.shown) {
      auto* edit = qobject_cast<QLineEdit*>(dialog->control(id));
      if (edit == nullptr || edit->text() != QString::fromLatin1(text))
        Fail(QStringLiteral("edit %1 does not show \"%2\"").arg(id).arg(text.c_str()));
    }
    if (step.atFocus) {
      // The focus is the application's once the dialog is the active window.
      if (!QTest::qWaitForWindowActive(dialog)) Fail("the dialog did not become active");
      bool first = true;
      for (const ControlLayout& control : dialog->layout().controls) {
        auto typed = step.typed.find(control.id);
        if (typed == step.typed.end()) continue;
        QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr && !first) QTest::keyClick(focus, Qt::Key_Tab);
        first = false;
        focus = QApplication::focusWidget();
        if (focus != dialog->control(control.id)) {
          Fail(QStringLiteral("edit %1 does not have the focus").arg(control.id));
          break;
        }
        QTest::keyClicks(focus, QString::fromLatin1(typed->second));
      }
    }
    for (const auto& [id, text] : step.atFocus ? decltype(step.typed){} : step.typed) {
      auto* edit = qobject_cast<QLineEdit*>(dialog->control(id));
      if (edit == nullptr) {
        Fail(QStringLiteral("no edit %1").arg(id));
        continue;
      }
      edit->setFocus();
      edit->selectAll();
      QTest::keyClick(edit, Qt::Key_Delete);
      QTest::keyClicks(edit, QString::fromLatin1(text));
    }
    if (step.radio != 0 && dialog->control(step.radio) == nullptr)
      Fail(QStringLiteral("no radio button %1").arg(step.radio));
    else if (step.radio != 0)
      QTest::mouseClick(dialog->control(step.radio), Qt::LeftButton);
    Later([dialog, close = step.close] {
      // Enter goes to the focused control: in an edit or a radio button it reaches the default
      // button, on a focused push button it presses that one.
      QWidget* focused = QApplication::focusWidget();
      if (close == Close::kOkButton) QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
      if (close == Close::kCancelButton) QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
      if (close == Close::kEnter) QTest::keyClick(focused ? focused : dialog, Qt::Key_Return);
      if (close == Close::kEscape) QTest::keyClick(dialog, Qt::Key_Escape);
    });
  });
}

void ModalScript::Message(const std::string& text, bool over_dialog) {
  Then([this, text, over_dialog](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr)
      return Reject(modal,
                    QStringLiteral("expected a message box, got \"%1\"").arg(modal->windowTitle()));
    if (box->text() != QString::fromLatin1(text))
      Fail(QStringLiteral("message \"%1\", expected \"%2\"")
               .arg(box->text(), QString::fromLatin1(text)));
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    Later([this, ok, dialog = over_dialog ? box->parentWidget() : nullptr] {
      QTest::mouseClick(ok, Qt::LeftButton);
      if (dialog != nullptr) served_.removeAll(QPointer<QWidget>(dialog));
    });
  });
}

}  // namespace orlith::qt::testing
