// orlith_qt_screenshots DIR: renders the main window, the four dialogs with sample texts and a
// message box as qt-*.png into DIR. Run on the offscreen platform, it needs no display; window
// frames belong to the window manager and are not in the pictures.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>

#include "ui/dialog_layout.h"
#include "ui/qt/application.h"
#include "ui/qt/layout_dialog.h"
#include "ui/qt/main_frame.h"

namespace orlith::qt {
namespace {

bool Save(QWidget& widget, const QDir& dir, const char* name) {
  widget.show();
  QApplication::processEvents();
  const QString path = dir.filePath(QString::fromLatin1(name));
  if (!widget.grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  widget.hide();
  return true;
}

struct Shot {
  const char* file;
  DialogId id;
  DialogTexts texts;
};

int Run(const QDir& dir) {
  bool ok = true;
  MainFrame frame;
  ok &= Save(frame, dir, "qt-title.png");

  const Shot shots[] = {
      {"qt-position.png", DialogId::kPosition, {{{1000, "N42 34.6"}, {1001, "W12 24.5"}}, 0}},
      {"qt-ndb.png",
       DialogId::kNdb,
       {{{1013, "345"}, {1014, "25"}, {1002, "120"}, {1003, "ABC"}, {1004, "ABC TEST"}}, 0}},
      {"qt-vor.png",
       DialogId::kVor,
       {{{1008, "113.50"},
         {1009, "40"},
         {1005, "-2.5"},
         {1010, "200"},
         {1011, "XYZ"},
         {1006, "1"},
         {1012, "XYZ VOR"}},
        0}},
      {"qt-ils.png",
       DialogId::kIls,
       {{{1015, "110.30"},
         {1016, "18"},
         {1017, "3"},
         {1018, "15"},
         {1019, "271.4"},
         {1020, "3.0"},
         {1023, "IAB"},
         {1025, "1"},
         {1021, "RWY 27 ILS"}},
        0}},
  };
  const OkHandler no_ok;
  for (const Shot& shot : shots) {
    LayoutDialog dialog(LayoutOf(shot.id), shot.texts, no_ok, &frame);
    if (auto* vor = qobject_cast<QRadioButton*>(dialog.control(kVorButton))) vor->setChecked(true);
    ok &= Save(dialog, dir, shot.file);
  }

  QMessageBox box(QMessageBox::Warning, QStringLiteral("orlith"),
                  QStringLiteral("A new VOR NavAid was created at N42 34.6, W12 24.5"),
                  QMessageBox::Ok, &frame);
  box.setTextFormat(Qt::PlainText);
  ok &= Save(box, dir, "qt-message.png");
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace orlith::qt

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: orlith_qt_screenshots DIR\n");
    return 2;
  }
  QApplication app(argc, argv);
  orlith::qt::ApplyProgramStyle();
  return orlith::qt::Run(QDir(QString::fromLocal8Bit(argv[1])));
}
