#include "ui/qt/qt_front_end.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdlib>
#include <utility>

#include "ui/dialog_layout.h"
#include "ui/qt/layout_dialog.h"

namespace orlith::qt {

QString ApplicationTitle() {
  return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QtFrontEnd::QtFrontEnd(QWidget* owner, EndProcess end_process)
    : owner_(owner), endProcess_(std::move(end_process)) {
  if (!endProcess_) endProcess_ = [](int status) { std::exit(status); };
}

QWidget* QtFrontEnd::activeOwner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return owner_;
}

DialogResult QtFrontEnd::RunDialog(DialogId id, const DialogTexts& shown, const OkHandler& on_ok) {
  LayoutDialog dialog(LayoutOf(id), shown, on_ok, activeOwner());
  return dialog.exec() == QDialog::Accepted ? DialogResult::kOk : DialogResult::kCancel;
}

void QtFrontEnd::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::Warning, ApplicationTitle(), QString::fromLatin1(text),
                  QMessageBox::Ok, activeOwner());
  // Messages carry texts as the user typed them; markup in them is shown, not interpreted.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void QtFrontEnd::Fatal(const std::string& message, int status) {
  ShowMessage(message);
  endProcess_(status);
}

}  // namespace orlith::qt
