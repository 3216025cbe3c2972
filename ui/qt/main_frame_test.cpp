#include "ui/qt/main_frame.h"

#include <QAbstractButton>
#include <QAction>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/messages.h"
#include "test_support/navaid_examples.h"
#include "test_support/test_support.h"
#include "ui/dialog_layout.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_test_suites.h"
#include "ui/qt/testing/modal_script.h"
#include "ui/qt/title_view.h"
#include "ui/qt/tool_windows.h"
#include "ui/testing/scripted_front_end.h"

namespace orlith::qt {
namespace {

using orlith::testing::kBaseConfig;
using orlith::testing::TempFolder;
using testing::Close;
using testing::DialogStep;
using testing::ModalScript;

const std::string kExcerpt = ORLITH_SOURCE_DIR "/examples/ourairports/navaids-BE.csv";
// clang-format off
const std::map<int, std::string> kPosition = {{1000, "N42 34.6"}, {1001, "W12 24.5"}};
const std::map<int, std::string> kNdb = {{1013, "345"}, {1014, "25"}, {1002, "120"}, {1003, "ABC"},
                                         {1004, "ABC TEST"}};
const std::map<int, std::string> kVor = {{1008, "113.50"}, {1009, "40"}, {1005, "-2.5"},
                                         {1010, "200"}, {1011, "XYZ"}, {1006, "1"},
                                         {1012, "XYZ VOR"}};
const std::map<int, std::string> kIls = {{1015, "110.30"}, {1016, "18"}, {1017, "3"}, {1018, "15"},
                                         {1019, "271.4"}, {1020, "3.0"}, {1023, "IAB"}, {1025, "1"},
                                         {1021, "RWY 27 ILS"}};
// clang-format on

// One menu command with its dialogs, and the message it ends with (empty: none).
struct CommandStep {
  int command;
  std::vector<DialogStep> dialogs;
  std::string message;
};

// Runs orlith-cli in folder; its standard error.
std::string Cli(const TempFolder& folder, const QStringList& args) {
  QProcess cli;
  cli.start(ORLITH_CLI, QStringList{"-C", QString::fromStdString(folder.path())} + args);
  cli.waitForFinished(60000);
  return cli.readAllStandardError().toStdString();
}

// Both folders hold the same files and folders, byte for byte.
void CompareFolders(const TempFolder& gui, const TempFolder& reference) {
  std::map<std::string, std::string> a = orlith::testing::Snapshot(gui);
  std::map<std::string, std::string> b = orlith::testing::Snapshot(reference);
  QCOMPARE(a.size(), b.size());
  for (const auto& [name, bytes] : b) {
    ::testing::AssertionResult same = orlith::testing::BytesEqual(bytes, a[name]);
    QVERIFY2(same, qPrintable(QString::fromStdString(name + ": " + same.message())));
  }
}

void CheckScript(const ModalScript& script) {
  QVERIFY2(script.failures().isEmpty() && script.pending() == 0,
           qPrintable(script.failures().join("; ") +
                      QStringLiteral(" %1 windows did not open").arg(script.pending())));
}

// A frame shown on a fresh folder (holding scenery.cfg unless told otherwise) and the script that
// serves its windows.
struct ShownFrame {
  explicit ShownFrame(bool with_config = true) {
    if (with_config) gui.Write("scenery.cfg", kBaseConfig);
    frame.show();
  }
  // Runs the commands through the menu; each window the script expects must have been served.
  void Run(std::initializer_list<int> commands) {
    for (int command : commands) frame.action(command)->trigger();
    CheckScript(script);
  }

  TempFolder gui;
  std::vector<int> statuses;  // of the fatal endings, which leave the test process running
  MainFrame frame{WorkFolder{gui.path()}, {}, [this](int status) { statuses.push_back(status); }};
  ModalScript script;
};

// Presses button on the next message box, whose text must start with text: a warning with one OK,
// or a question answered Yes; either shows its text as typed, markup in it not obeyed.
void Answer(ModalScript& script, const std::string& text, QMessageBox::StandardButton button) {
  script.Then([&script, text, button](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    const bool ok = button == QMessageBox::Ok;
    if (box == nullptr || !box->text().startsWith(QString::fromLatin1(text)) ||
        box->textFormat() != Qt::PlainText || box->buttons().size() != (ok ? 1 : 2) ||
        box->icon() != (ok ? QMessageBox::Warning : QMessageBox::Question))
      script.Fail("expected the box " + QString::fromLatin1(text));
    if (box != nullptr)
      ModalScript::Later([box, button] { QTest::mouseClick(box->button(button), Qt::LeftButton); });
  });
}

// A step on the window of type W: action on it, run after the step returns.
template <typename W>
void On(ModalScript& script, std::function<void(W*)> action) {
  script.Then([&script, action](QWidget* modal) {
    auto* window = qobject_cast<W*>(modal);
    if (window == nullptr) return script.Fail("unexpected window " + modal->windowTitle());
    ModalScript::Later([window, action] { action(window); });
  });
}

// The import of the Belgian excerpt for BE with Modify, filled into the dialog.
void FillImport(ImportDialog* dialog) {
  dialog->fileEdit()->setText(QString::fromStdString(kExcerpt));
  dialog->countriesEdit()->setText("be");
  dialog->modifyChoice()->click();
  dialog->updatePreview();
}

// The horizontal extent of the pixels that are not the ground colour in rows [top, bottom).
struct Ink {
  int left = -1, right = -1, top = -1;
  bool black = true;  // every inked pixel is black or a shade between black and the ground
};

Ink InkBetween(const QImage& image, int top, int bottom, QRgb ground) {
  Ink ink;
  for (int y = top; y < bottom && y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QRgb pixel = image.pixel(x, y);
      if (pixel == ground) continue;
      if (ink.left < 0 || x < ink.left) ink.left = x;
      if (x > ink.right) ink.right = x;
      if (ink.top < 0) ink.top = y;
      // Anti-aliased edges blend towards the ground; red never rises above the ground's 0.
      if (qRed(pixel) != 0) ink.black = false;
    }
  }
  return ink;
}

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private slots:
  // A fixed frame whose title bar has no buttons, its menu bar and Tools popup built from the menu
  // tables, the Tools button after the four commands. Exit Program closes the window.
  void IsAFixedFrameWithTheMenu() {
    MainFrame frame;
    QCOMPARE(frame.windowTitle(), QString("Orlith"));
    QCOMPARE(frame.size(), QSize(kWindowWidth, kWindowHeight));
    QCOMPARE(frame.minimumSize(), frame.maximumSize());
    QCOMPARE(frame.windowFlags(), Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QStringList shown, items;
    for (QAction* action : frame.menuBar()->actions() + frame.toolsMenu()->actions())
      shown << action->text();
    for (std::span<const MenuItem> menu : {MainMenu(), ToolsMenu()})
      for (const MenuItem& item : menu) items << item.text;
    QCOMPARE(shown, items);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QToolButton* button = frame.toolsButton();
    QCOMPARE(button->menu(), frame.toolsMenu());
    QCOMPARE(button->text(), QString(kToolsMenuText));
    const QRect last = frame.menuBar()->actionGeometry(frame.menuBar()->actions().back());
    QCOMPARE(button->geometry().topLeft(), QPoint(last.right() + 1, last.top()));
    frame.action(kExitProgramCommand)->trigger();
    QVERIFY(!frame.isVisible());
  }

  // Every command through the menu and the dialogs' widgets writes the bytes of the same commands
  // answered directly in a second folder. Each dialog opens with what the last OK stored (the VOR
  // dialog with the NDB's texts); OK without a type stays open (F18), typing where the focus opens
  // (F17); OK, Enter, Cancel and Escape close as they say (F9); a bad latitude ends with status 8.
  void ScenariosWriteTheFlowsBytes() {
    const DialogId pos = DialogId::kPosition, ndb = DialogId::kNdb;
    const DialogId vor = DialogId::kVor, ils = DialogId::kIls;
    const int create = kCreateNavAidCommand, del = kDeleteNavAidCommand;
    const int modify = kModifyNavAidCommand;
    const std::string at = " NavAid was created at N42 34.6, W12 24.5";
    // clang-format off
    const std::vector<CommandStep> commands = {
        {create, {{pos, kPosition, 0, Close::kOkButton, {}, false, "Check the type of NavAid"},
                  {pos, {}, kVorButton}, {vor, kVor}}, "A new VOR" + at},
        {create, {{pos, kPosition, kNdbButton, Close::kEnter, {}, true},
                  {ndb, kNdb, 0, Close::kEnter, {}, true}}, "A new NDB" + at},
        {modify, {{pos, {}, kVorButton, Close::kOkButton, kPosition},
                  {vor, {{1005, "1.5"}}, 0, Close::kOkButton, {{1008, "345"}, {1012, "ABC TEST"}}}},
         "An existing VOR NavAid at N42 34.6, W12 24.5 was modified"},
        {del, {{pos, {{1001, "E1 2.5 "}}, 0}},
         "All VOR / ILS NavAids at N42 34.6, E1 2.5  are deleted!"},
        {create, {{pos, kPosition, kIlsButton}, {ils, kIls, 0, Close::kCancelButton}},
         "No scenery file was written"},
        {modify, {{pos, {}, 0}, {ils, {}, 0, Close::kEscape}},
         "The exclusion switch was added at N42 34.6, W12 24.5; no scenery file was written"},
        {create, {{pos, {}, 0}, {ils, kIls}}, "A new ILS" + at},
        {create, {{pos, {{1000, "X42 34.6"}, {1001, "W12"}}, kVorButton}},
         "Input Error - Program terminates!"}};
    // clang-format on
    ShownFrame shown;
    TempFolder reference;
    reference.Write("scenery.cfg", kBaseConfig);
    std::deque<DialogStep> all_dialogs;
    for (const CommandStep& command : commands) {
      for (const DialogStep& dialog : command.dialogs) {
        shown.script.Dialog(dialog), all_dialogs.push_back(dialog);
        if (!dialog.refusal.empty()) shown.script.Message(dialog.refusal, true);
      }
      if (!command.message.empty()) shown.script.Message(command.message);
      shown.Run({command.command});
    }
    QCOMPARE(shown.statuses, std::vector<int>{8});
    // The reference answers each dialog with the texts it showed, the typed ones put in; a refused
    // OK is answered again with what the dialog then holds.
    orlith::testing::ScriptedFrontEnd direct;
    direct.onOpen = [&](DialogId id) {
      DialogTexts typed{direct.shown.back().edits, 0};
      for (bool again = true; again;) {
        const DialogStep step = all_dialogs.front();
        all_dialogs.pop_front();
        again = !step.refusal.empty();
        if (step.close != Close::kOkButton && step.close != Close::kEnter) return direct.Cancel(id);
        if (step.radio != 0) typed.checkedRadio = step.radio;
        for (const auto& [edit, text] : step.typed) typed.edits[edit] = text;
        direct.Ok(id, typed);
      }
    };
    MainWindow window(direct, WorkFolder{reference.path()});
    for (const CommandStep& command : commands) window.OnCommand(command.command);
    CompareFolders(shown.gui, reference);
  }

  // The title screen: the fonts' pixel heights truncate tenths * dpi / 720 (34.7 and 26.7 at 96
  // dpi), a face missing here falls back to its metric twin; three black lines centred on 320.
  void TitlePaintsThreeBlackLinesCentredOn320() {
    QCOMPARE(ScreenFontPixels(260, 96), 34);
    QCOMPARE(ScreenFont(kTextFontFace, 200, 96).pixelSize(), 26);
    TitleView view;
    const QFontInfo title(view.titleFont()), text(view.textFont());
    for (auto [info, face] : {std::pair{title, "Arial Black"}, {text, "Arial"}})
      QVERIFY2(info.family() == face || info.family() == kMetricTwinFace, qPrintable(face));
    QVERIFY(title.weight() >= QFont::Bold);
    QCOMPARE(text.weight(), static_cast<int>(QFont::Normal));
    view.resize(kWindowWidth, kWindowHeight);
    QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb ground = qRgb(0, 192, 255);
    QCOMPARE(image.pixel(kWindowWidth - 1, kWindowHeight - 1), ground);
    for (auto [name, y, height] :
         {std::tuple{"title", 120, 50}, {"subtitle", 180, 40}, {"credit", 360, 30}}) {
      Ink ink = InkBetween(image, y, y + height, ground);
      QVERIFY2(ink.left >= 0, name);
      QVERIFY2(ink.top >= y && ink.top < y + 12, name);
      QVERIFY2(ink.black, name);
      // Glyph side bearings make the ink a pixel or two narrower than the advance.
      const int centre = (ink.left + ink.right) / 2;
      QVERIFY2(centre >= 316 && centre <= 324,
               qPrintable(QString("%1 centred at %2").arg(name).arg(centre)));
    }
    // Nothing but ground between the lines.
    QCOMPARE(InkBetween(image, 230, 355, ground).left, -1);
  }
};

class QtFrontEndTest : public QObject {
  Q_OBJECT

 private slots:
  // In a child process: the message box shows (the child prints it and presses OK), then the
  // process ends with the status. (Which message goes with which status: MainFrameTest.)
  void FatalShowsTheMessageThenEndsWithItsStatus() {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {"--fatal-child", "Input Error - Program terminates!", "8"});
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 8);
    QCOMPARE(QString::fromLatin1(child.readAllStandardOutput()),
             QString("ui_qt_test|Input Error - Program terminates!\n"));
  }
};

class ToolWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  // The dialog's import writes what orlith-cli import --apply writes; the preview counts the rows
  // first, the bar moves row by row, the summary is the command line's. A switch and a file taken
  // back through the window, then scenery.cfg restored, leave the bytes of orlith-cli remove at
  // that position and restore; the tables sort numbers by value.
  void ImportTakeBackAndRestoreMatchTheCommandLine() {
    ShownFrame shown;
    TempFolder cli;
    cli.Write("scenery.cfg", kBaseConfig);
    const std::string summary = Cli(cli, {"import", QString::fromStdString(kExcerpt), "--country",
                                          "BE", "--command", "modify", "--apply"});
    ModalScript& script = shown.script;
    std::vector<int> bar;
    On<ImportDialog>(script, [&](ImportDialog* dialog) {
      FillImport(dialog);
      if (!dialog->previewLabel()->text().contains(" would be written, "))
        script.Fail("preview: " + dialog->previewLabel()->text());
      connect(dialog->progressBar(), &QProgressBar::valueChanged, [&](int v) { bar.push_back(v); });
      QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    });
    script.Message(summary.substr(0, summary.size() - 1));
    shown.Run({kImportNavAidsCommand});
    QVERIFY(bar.size() > 3);
    for (std::size_t i = 0; i < bar.size(); ++i) QCOMPARE(bar[i], static_cast<int>(i + 1));
    CompareFolders(shown.gui, cli);

    QStringList remove = {"remove"};
    On<InEffectWindow>(script, [&](InEffectWindow* window) {
      QTableWidget* files = window->fileTable();
      files->sortItems(4);  // by range: 24.33 nm before 129.38 nm, by value
      // The second switch, and the file at its position.
      window->switchTable()->selectRow(1);
      const QString position = window->switchTable()->item(1, 1)->text();
      std::vector<double> ranges;
      for (int r = 0; r < files->rowCount(); ++r) {
        ranges.push_back(files->item(r, 4)->text().section(' ', 0, 0).toDouble());
        if (files->item(r, 2)->text() == position) files->selectRow(r);
      }
      if (!std::is_sorted(ranges.begin(), ranges.end())) script.Fail("not sorted by range");
      remove << "--lat" << position.section(", ", 0, 0) << "--lon" << position.section(", ", 1);
      QTest::mouseClick(window->takeBackButton(), Qt::LeftButton);
    });
    Answer(script, "Would remove the exclusion switch on line ", QMessageBox::Yes);
    script.Message("Removed 1 exclusion switch and 1 scenery file.", true);
    On<InEffectWindow>(script, [](InEffectWindow* window) {
      QTest::mouseClick(window->restoreButton(), Qt::LeftButton);
    });
    Answer(script, kRestoreQuestion, QMessageBox::Yes);
    script.Message(RestoredMessage(), true);
    On<InEffectWindow>(script, [](InEffectWindow* window) { window->reject(); });
    shown.Run({kNavAidsInEffectCommand});
    Cli(cli, remove);
    Cli(cli, {"restore"});
    CompareFolders(shown.gui, cli);

    // Cancel during a run stops it between rows (what a stopped import leaves: the app/ tests).
    On<ImportDialog>(script, [](ImportDialog* dialog) {
      FillImport(dialog);
      connect(dialog->progressBar(), &QProgressBar::valueChanged, [dialog](int v) {
        if (v == 3) QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
      });
      QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    });
    Answer(script, "The import was stopped after 3 of ", QMessageBox::Ok);
    shown.Run({kImportNavAidsCommand});
  }

  // Errors name the file: NavAids in Effect without scenery.cfg, an import of a missing file, a
  // Scenery Folder OK that cannot write orlith.ini (the dialog stays open). The choice then goes
  // to orlith.ini and the next Create writes into the updates area's folder.
  void ErrorsNameTheFileThenTheSceneryFolderIsUsed() {
    ShownFrame shown(false);
    ModalScript& script = shown.script;
    std::filesystem::create_directory(shown.gui.File("orlith.ini"));
    script.Message(ConfigMissingMessage());
    On<ImportDialog>(script, [](ImportDialog* dialog) {
      dialog->fileEdit()->setText("missing.csv");
      QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    });
    Answer(script, "Error with file missing.csv: ", QMessageBox::Ok);
    On<SceneryFolderDialog>(script, [&](SceneryFolderDialog* dialog) {
      dialog->addonChoice()->click();
      QTest::mouseClick(dialog->okButton(), Qt::LeftButton);  // returns once the error is answered
      if (!dialog->isVisible()) script.Fail("the error closed the dialog");
      std::filesystem::remove(shown.gui.File("orlith.ini"));
      shown.gui.Write("scenery.cfg", kBaseConfig);
      QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    Answer(script, "Error with file orlith.ini: ", QMessageBox::Ok);
    script.Dialog({DialogId::kPosition, kPosition, kNdbButton});
    script.Dialog({DialogId::kNdb, kNdb});
    script.Message("A new NDB NavAid was created at N42 34.6, W12 24.5");
    shown.Run({kNavAidsInEffectCommand, kImportNavAidsCommand, kSceneryFolderCommand,
               kCreateNavAidCommand});
    QCOMPARE(shown.gui.Read("orlith.ini"),
             std::string("[Orlith]\r\nSceneryFolder=Addon Scenery\\Updates\\scenery\r\n"));
    QVERIFY(shown.gui.Exists(std::string("Addon Scenery/Updates/scenery/") +
                             orlith::testing::kExampleFile));
  }

  // While another Orlith holds the folder the note shows; its Cancel ends the command unwritten.
  void LockWaitNoteCancels() {
    ShownFrame shown;
    std::unique_ptr<FolderLock> other;
    QVERIFY(DefaultFileEnv()->TryLockFolder(shown.gui.path(), &other).ok() && other);
    shown.script.Then([&](QWidget* note) {
      if (note->objectName() != "lockWaitNote") shown.script.Fail("expected the note");
      auto* cancel = note->findChild<QPushButton*>();
      ModalScript::Later([cancel] { QTest::mouseClick(cancel, Qt::LeftButton); });
    });
    shown.Run({kCreateNavAidCommand});
    QCOMPARE(shown.frame.mainWindow().last_outcome(), CommandOutcome::kCancelled);
    QVERIFY(shown.frame.frontEnd().lockWaitNote() == nullptr);
  }
};

ORLITH_QT_TEST_SUITE(MainFrameTest);
ORLITH_QT_TEST_SUITE(QtFrontEndTest);
ORLITH_QT_TEST_SUITE(ToolWindowsTest);

}  // namespace orlith::qt

#include "main_frame_test.moc"
