#include "ui/qt/modal_script.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
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
  if (modal == nullptr || !modal->isVisible()) return;
  for (const QPointer<QWidget>& seen : served_) {
    if (seen == modal) return;
  }
  served_.append(QPointer<QWidget>(modal));
  if (steps_.empty()) {
    failures_ << QStringLiteral("unexpected window \"%1\"").arg(modal->windowTitle());
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      QDialog* target = dialog;
      Later([target] { target->QDialog::reject(); });
    }
    return;
  }
  Step step = std::move(steps_.front());
  steps_.pop_front();
  step(modal);
}

void ModalScript::Dialog(DialogId id, std::map<int, std::string> typed, int radio, Close close,
                         std::map<int, std::string> shown) {
  Then(
      [this, id, typed = std::move(typed), radio, close, shown = std::move(shown)](QWidget* modal) {
        auto* dialog = qobject_cast<LayoutDialog*>(modal);
        if (dialog == nullptr || dialog->layout().id != id) {
          Fail(QStringLiteral("expected dialog %1, got \"%2\"")
                   .arg(static_cast<int>(id))
                   .arg(modal->windowTitle()));
          if (auto* other = qobject_cast<QDialog*>(modal)) Later([other] { other->reject(); });
          return;
        }
        for (const auto& [control_id, text] : shown) {
          auto* edit = qobject_cast<QLineEdit*>(dialog->control(control_id));
          if (edit == nullptr || edit->text() != QString::fromLatin1(text)) {
            Fail(QStringLiteral("edit %1 does not show \"%2\"").arg(control_id).arg(text.c_str()));
          }
        }
        for (const auto& [control_id, text] : typed) {
          auto* edit = qobject_cast<QLineEdit*>(dialog->control(control_id));
          if (edit == nullptr) {
            Fail(QStringLiteral("no edit %1").arg(control_id));
            continue;
          }
          edit->setFocus();
          edit->selectAll();
          QTest::keyClick(edit, Qt::Key_Delete);
          QTest::keyClicks(edit, QString::fromLatin1(text));
        }
        if (radio != 0) {
          QWidget* button = dialog->control(radio);
          if (button == nullptr) {
            Fail(QStringLiteral("no radio button %1").arg(radio));
          } else {
            QTest::mouseClick(button, Qt::LeftButton);
          }
        }
        Later([dialog, close] {
          switch (close) {
            case Close::kOkButton:
              QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
              break;
            case Close::kCancelButton:
              QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
              break;
            case Close::kEnter: {
              // Enter goes to the focused control: in an edit or a radio button it reaches the
              // default button, on a focused push button it presses that one.
              QWidget* focused = QApplication::focusWidget();
              QTest::keyClick(focused != nullptr ? focused : dialog, Qt::Key_Return);
              break;
            }
            case Close::kEscape:
              QTest::keyClick(dialog, Qt::Key_Escape);
              break;
          }
        });
      });
}

void ModalScript::Message(const std::string& text) {
  Then([this, text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
      Fail(QStringLiteral("expected a message box, got \"%1\"").arg(modal->windowTitle()));
      if (auto* other = qobject_cast<QDialog*>(modal)) Later([other] { other->reject(); });
      return;
    }
    messages_ << box->text();
    if (box->text() != QString::fromLatin1(text)) {
      Fail(QStringLiteral("message \"%1\", expected \"%2\"")
               .arg(box->text(), QString::fromLatin1(text)));
    }
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    Later([ok] { QTest::mouseClick(ok, Qt::LeftButton); });
  });
}

}  // namespace orlith::qt::testing
