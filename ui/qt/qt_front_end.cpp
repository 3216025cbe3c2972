#include "ui/qt/qt_front_end.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>
#include <utility>

#include "ui/dialog_layout.h"
#include "ui/qt/fonts.h"
#include "ui/qt/layout_dialog.h"

namespace orlith::qt {

QString ApplicationTitle() {
  return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QtFrontEnd::QtFrontEnd(QWidget* owner, EndProcess end_process)
    : owner_(owner), endProcess_(std::move(end_process)) {
  if (!endProcess_) endProcess_ = [](int status) { std::exit(status); };
  lockWait_.onWaiting = [this] { showLockWaitNote(); };
  lockWait_.cancelled = [this] {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return waitCancelled_;
  };
  lockWait_.onEnd = [this] { delete note_.data(); };
}

void QtFrontEnd::showLockWaitNote() {
  waitCancelled_ = false;
  // Shown without a loop of its own (the wait polls), but blocking the other windows, so that no
  // second command starts while one waits.
  auto* note = new QDialog(activeOwner(), Qt::Dialog | Qt::WindowTitleHint);
  note->setObjectName("lockWaitNote");
  note->setWindowTitle(ApplicationTitle());
  note->setFont(DialogFont());
  note->setPalette(DialogPalette(note->palette()));
  note->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(note);
  auto* text = new QLabel(QString::fromLatin1(kLockWaitNote), note);
  text->setTextFormat(Qt::PlainText);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), note);
  layout->addWidget(text);
  layout->addWidget(cancel, 0, Qt::AlignHCenter);
  QObject::connect(cancel, &QPushButton::clicked, note, [this] { waitCancelled_ = true; });
  note->setWindowModality(Qt::ApplicationModal);
  note->show();
  note_ = note;
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
