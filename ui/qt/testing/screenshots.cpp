// orlith_qt_screenshots DIR: renders the main window, the four dialogs with sample texts, a
// message box and the three Tools windows (over a sample folder with Belgium's NavAids imported)
// as qt-*.png into DIR. Run on the offscreen platform, it needs no display; window
// frames belong to the window manager and are not in the pictures.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "ui/dialog_layout.h"
#include "ui/qt/application.h"
#include "ui/qt/layout_dialog.h"
#include "ui/qt/main_frame.h"
#include "ui/qt/tool_windows.h"

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

// A front end that shows nothing: the sample import's messages are not pictured.
class Silent : public FrontEnd {
 public:
  DialogResult RunDialog(DialogId, const DialogTexts&, const OkHandler&) override {
    return DialogResult::kCancel;
  }
  void ShowMessage(const std::string&) override {}
  void Fatal(const std::string&, int) override {}
};

// The Tools windows over a sample simulator folder: scenery.cfg and Belgium's rows of
// navaids.csv, imported with Modify for the NavAids in Effect window.
bool ToolShots(const QDir& dir, QWidget& frame) {
  QTemporaryDir sample;
  const QDir source(QStringLiteral(ORLITH_SOURCE_DIR));
  if (!QFile::copy(source.filePath("examples/simulator/scenery.cfg"), sample.filePath("scenery.cfg")) ||
      !QFile::copy(source.filePath("examples/ourairports/navaids-BE.csv"),
                   sample.filePath("navaids-BE.csv"))) {
    std::fprintf(stderr, "cannot copy the examples into %s\n", qPrintable(sample.path()));
    return false;
  }
  const WorkFolder folder{sample.path().toStdString()};
  Silent silent;
  bool ok = true;

  ImportDialog import(silent, folder, &frame);
  import.fileEdit()->setText("navaids-BE.csv");
  import.countriesEdit()->setText("BE");
  import.typeBox()->setCurrentIndex(2);
  import.updatePreview();
  ok &= Save(import, dir, "qt-import.png");

  ImportOptions options;
  std::string error;
  ImportForm form;
  form.file = "navaids-BE.csv";
  form.modify = true;
  ImportOptionsOf(form, &options, &error);
  ApplyImport(silent, folder, options, nullptr);
  InEffectWindow in_effect(silent, folder, {}, &frame);
  ok &= in_effect.reload();
  in_effect.resize(720, 460);
  ok &= Save(in_effect, dir, "qt-in-effect.png");

  SceneryFolderDialog scenery(silent, folder, kAddonSceneryFolder, &frame);
  ok &= Save(scenery, dir, "qt-scenery-folder.png");
  return ok;
}

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
  ok &= ToolShots(dir, frame);
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
