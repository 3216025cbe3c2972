#include "ui/qt/main_frame.h"

#include <QAction>
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
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/messages.h"
#include "core/coordinate_text.h"
#include "test_support/navaid_examples.h"
#include "test_support/test_support.h"
#include "ui/dialog_layout.h"
#include "ui/qt/qt_test_suites.h"
#include "ui/qt/testing/modal_script.h"
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

// One menu command with its dialogs, and its ending: a message (empty: none), or a fatal message
// and status.
struct CommandStep {
  int command;
  std::vector<DialogStep> dialogs;
  std::string message;
  int fatalStatus = 0;
};

// Runs orlith-cli in folder; its standard error.
std::string Cli(const TempFolder& folder, const QStringList& args) {
  QProcess cli;
  cli.start(ORLITH_CLI, QStringList{"-C", QString::fromStdString(folder.path())} + args);
  cli.waitForFinished(60000);
  return cli.readAllStandardError().toStdString();
}

std::map<std::string, std::string> FilesIn(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& file : std::filesystem::recursive_directory_iterator(folder.path())) {
    std::string name = file.path().lexically_relative(folder.path()).string();
    if (file.is_regular_file()) files[name] = folder.Read(name);
  }
  return files;
}

// Both folders hold the same files, byte for byte.
void CompareFolders(const TempFolder& gui, const TempFolder& reference) {
  std::map<std::string, std::string> a = FilesIn(gui), b = FilesIn(reference);
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

// Runs commands through the menu of a MainFrame, answering each dialog and message box through
// its widgets, then the same commands with the dialogs answered directly in a second folder; both
// folders must end byte for byte the same.
void RunCommands(const std::vector<CommandStep>& commands) {
  TempFolder gui, reference;
  gui.Write("scenery.cfg", kBaseConfig);
  reference.Write("scenery.cfg", kBaseConfig);
  std::vector<int> statuses;
  MainFrame frame(WorkFolder{gui.path()}, orlith::testing::Dec6,
                  [&](int status) { statuses.push_back(status); });
  frame.show();
  std::deque<DialogStep> all_dialogs;
  for (const CommandStep& command : commands) {
    ModalScript script;
    for (const DialogStep& dialog : command.dialogs) {
      script.Dialog(dialog), all_dialogs.push_back(dialog);
      if (!dialog.refusal.empty()) script.Message(dialog.refusal, true);
    }
    if (!command.message.empty()) script.Message(command.message);
    statuses.clear();
    frame.action(command.command)->trigger();
    CheckScript(script);
    QCOMPARE(statuses,
             command.fatalStatus ? std::vector<int>{command.fatalStatus} : std::vector<int>{});
  }
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
  MainWindow window(direct, WorkFolder{reference.path()}, orlith::testing::Dec6);
  for (const CommandStep& command : commands) window.OnCommand(command.command);
  CompareFolders(gui, reference);
}

// Presses button on the next message box, whose text must start with text.
void Answer(ModalScript& script, const std::string& text, QMessageBox::StandardButton button) {
  script.Then([&script, text, button](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr || !box->text().startsWith(QString::fromLatin1(text)))
      script.Fail("expected the question " + QString::fromLatin1(text));
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

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private slots:
  // A fixed frame whose title bar has no buttons, with the four commands as its menu bar; the
  // Tools popup follows them. Exit Program closes the window.
  void IsAFixedFrameWithTheMenu() {
    MainFrame frame;
    QCOMPARE(frame.windowTitle(), QString("Orlith"));
    QCOMPARE(frame.size(), QSize(kWindowWidth, kWindowHeight));
    QCOMPARE(frame.minimumSize(), frame.maximumSize());
    QCOMPARE(frame.windowFlags() &
                 (Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                  Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint),
             Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QList<QAction*> actions = frame.menuBar()->actions();
    std::span<const MenuItem> menu = MainMenu();
    QCOMPARE(static_cast<std::size_t>(actions.size()), menu.size());
    for (std::size_t i = 0; i < menu.size(); ++i) {
      QAction* action = actions[static_cast<qsizetype>(i)];
      QCOMPARE(action->text(), QString::fromLatin1(menu[i].text));
      QCOMPARE(action->data().toInt(), menu[i].commandId);
      QVERIFY(action->menu() == nullptr);
    }
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QToolButton* button = frame.toolsButton();
    QCOMPARE(button->menu(), frame.toolsMenu());
    QCOMPARE(button->text(), QString(kToolsMenuText));
    const QRect last = frame.menuBar()->actionGeometry(actions.back());
    QCOMPARE(button->geometry().left(), last.right() + 1);
    QCOMPARE(button->geometry().top(), last.top());
    QList<QAction*> tools = frame.toolsMenu()->actions();
    QCOMPARE(static_cast<std::size_t>(tools.size()), ToolsMenu().size());
    for (qsizetype i = 0; i < tools.size(); ++i) {
      QCOMPARE(tools[i]->text(), QString::fromLatin1(ToolsMenu()[i].text));
      QCOMPARE(frame.action(ToolsMenu()[i].commandId), tools[i]);
    }
    frame.action(kExitProgramCommand)->trigger();
    QVERIFY(!frame.isVisible());
  }

  // Every command through the menu and the dialogs' widgets writes the bytes the flows write.
  // Each dialog opens with what the last OK stored; the type buttons start unchecked. OK, Enter,
  // Cancel and Escape each close a dialog as they say; a bad latitude ends with status 8.
  void ScenariosWriteTheFlowsBytes_data() {
    QTest::addColumn<std::vector<CommandStep>>("commands");
    using C = std::vector<CommandStep>;
    const DialogId pos = DialogId::kPosition, ndb = DialogId::kNdb;
    const DialogId vor = DialogId::kVor, ils = DialogId::kIls;
    const int create = kCreateNavAidCommand, del = kDeleteNavAidCommand;
    const int modify = kModifyNavAidCommand;
    const std::string at = " NavAid was created at N42 34.6, W12 24.5";
    const std::map<int, std::string> from_ndb = {
        {1008, "345"}, {1009, "25"}, {1010, "120"}, {1011, "ABC"}, {1012, "ABC TEST"}};
    // clang-format off
    QTest::newRow("texts carried between commands") << C{
        {create, {{pos, kPosition, kNdbButton}, {ndb, kNdb}}, "A new NDB" + at},
        {modify, {{pos, {}, kVorButton, Close::kOkButton, kPosition},
                  {vor, {{1005, "1.5"}}, 0, Close::kOkButton, from_ndb}},
         "An existing VOR NavAid at N42 34.6, W12 24.5 was modified"},
        {del, {{pos, {{1001, "E1 2.5 "}}, 0}},
         "All VOR / ILS NavAids at N42 34.6, E1 2.5  are deleted!"}};
    QTest::newRow("Cancel in each dialog F9, then an ILS") << C{
        {create, {{pos, kPosition, kIlsButton}, {ils, kIls, 0, Close::kCancelButton}},
         "No scenery file was written"},
        {del, {{pos, kPosition, kNdbButton, Close::kEscape}}, ""},
        {modify, {{pos, {}, 0}, {ils, {}, 0, Close::kEscape}},
         "The exclusion switch was added at N42 34.6, W12 24.5; no scenery file was written"},
        {create, {{pos, {}, 0}, {ils, kIls}}, "A new ILS" + at}};
    QTest::newRow("typing where the focus opens, Enter F17") << C{
        {create, {{pos, kPosition, kNdbButton, Close::kEnter, {}, true},
                  {ndb, kNdb, 0, Close::kEnter, {}, true}}, "A new NDB" + at}};
    QTest::newRow("OK without a type stays open F18") << C{
        {modify, {{pos, kPosition, 0, Close::kEnter, {}, false, "Check the type of NavAid"},
                  {pos, {}, 0, Close::kCancelButton}}, ""},
        {create, {{pos, kPosition, 0, Close::kOkButton, {{1000, ""}, {1001, ""}}, false,
                   "Check the type of NavAid"},
                  {pos, {}, kVorButton}, {vor, kVor}}, "A new VOR" + at}};
    QTest::newRow("invalid latitude status 8")
        << C{{create, {{pos, {{1000, "X42 34.6"}, {1001, "W12"}}, kVorButton}},
              "Input Error - Program terminates!", 8}};
    // clang-format on
  }
  void ScenariosWriteTheFlowsBytes() {
    QFETCH(std::vector<CommandStep>, commands);
    RunCommands(commands);
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
    TempFolder gui, cli;
    gui.Write("scenery.cfg", kBaseConfig);
    cli.Write("scenery.cfg", kBaseConfig);
    const std::string summary = Cli(cli, {"import", QString::fromStdString(kExcerpt), "--country",
                                          "BE", "--command", "modify", "--apply"});
    MainFrame frame(WorkFolder{gui.path()});
    frame.show();
    ModalScript script;
    std::vector<int> bar;
    On<ImportDialog>(script, [&](ImportDialog* dialog) {
      FillImport(dialog);
      if (!dialog->previewLabel()->text().contains(" would be written, "))
        script.Fail("preview: " + dialog->previewLabel()->text());
      if (gui.Exists("scenery.org")) script.Fail("the preview wrote");
      connect(dialog->progressBar(), &QProgressBar::valueChanged, [&](int v) { bar.push_back(v); });
      QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    });
    script.Message(summary.substr(0, summary.size() - 1));
    frame.action(kImportNavAidsCommand)->trigger();
    CheckScript(script);
    QVERIFY(bar.size() > 3);
    for (std::size_t i = 0; i < bar.size(); ++i) QCOMPARE(bar[i], static_cast<int>(i + 1));
    CompareFolders(gui, cli);

    InEffect in_effect;
    QVERIFY(ReadInEffect(WorkFolder{cli.path()}, &in_effect).ok());
    const OrlithSwitch& chosen = in_effect.switches[1].exclusion;
    Cli(cli,
        {"remove", "--lat",
         QString::fromStdString(FormatCoordinate(chosen.latitude, CoordinateKind::kLatitude)),
         "--lon",
         QString::fromStdString(FormatCoordinate(chosen.longitude, CoordinateKind::kLongitude))});
    Cli(cli, {"restore"});
    On<InEffectWindow>(script, [&](InEffectWindow* window) {
      QTableWidget* files = window->fileTable();
      files->sortItems(3);  // by frequency: kHz and MHz by value
      for (int r = 1; r < files->rowCount(); ++r) {
        if (CompareCells(files->item(r - 1, 3)->text().toStdString(),
                         files->item(r, 3)->text().toStdString()) > 0)
          script.Fail("not sorted by frequency");
      }
      // The switch read second, and the file at its position.
      QTableWidget* switches = window->switchTable();
      for (int r = 0; r < switches->rowCount(); ++r) {
        if (switches->item(r, 0)->data(Qt::UserRole).toInt() == 1) switches->selectRow(r);
      }
      const QString position = switches->selectedItems().at(1)->text();
      for (int r = 0; r < files->rowCount(); ++r) {
        if (files->item(r, 2)->text() == position) files->selectRow(r);
      }
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
    frame.action(kNavAidsInEffectCommand)->trigger();
    CheckScript(script);
    CompareFolders(gui, cli);
  }

  // Cancel during the run stops it between rows: each row done has its switch and its file.
  void CancelStopsBetweenRows() {
    TempFolder gui;
    gui.Write("scenery.cfg", kBaseConfig);
    MainFrame frame(WorkFolder{gui.path()});
    frame.show();
    ModalScript script;
    int total = 0;
    On<ImportDialog>(script, [&](ImportDialog* dialog) {
      FillImport(dialog);
      connect(dialog->progressBar(), &QProgressBar::valueChanged, [&, dialog](int v) {
        total = dialog->progressBar()->maximum();
        if (v == 3) QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
      });
      QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    });
    script.Then([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr || box->text() != QString::fromStdString(ImportStoppedMessage(3, total)))
        script.Fail("expected the stopped message");
      ModalScript::Later([box] { box->accept(); });
    });
    frame.action(kImportNavAidsCommand)->trigger();
    CheckScript(script);
    QVERIFY(total > 3);
    InEffect in_effect;
    QVERIFY(ReadInEffect(WorkFolder{gui.path()}, &in_effect).ok());
    QCOMPARE(in_effect.switches.size(), std::size_t{3});
    QCOMPARE(in_effect.files.size(), std::size_t{3});
    QVERIFY(gui.Temporaries().empty());
  }

  // The choice goes to orlith.ini and the next Create writes into the updates area's folder.
  void SceneryFolderIsUsedByTheNextCreate() {
    TempFolder gui;
    gui.Write("scenery.cfg", kBaseConfig);
    MainFrame frame(WorkFolder{gui.path()});
    frame.show();
    ModalScript script;
    On<SceneryFolderDialog>(script, [](SceneryFolderDialog* dialog) {
      dialog->addonChoice()->click();
      QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    script.Dialog({DialogId::kPosition, kPosition, kNdbButton});
    script.Dialog({DialogId::kNdb, kNdb});
    script.Message("A new NDB NavAid was created at N42 34.6, W12 24.5");
    for (int command : {kSceneryFolderCommand, kCreateNavAidCommand})
      frame.action(command)->trigger();
    CheckScript(script);
    QCOMPARE(gui.Read("orlith.ini"),
             std::string("[Orlith]\r\nSceneryFolder=Addon Scenery\\Updates\\scenery\r\n"));
    QVERIFY(
        gui.Exists(std::string("Addon Scenery/Updates/scenery/") + orlith::testing::kExampleFile));
    QVERIFY(!gui.Exists(orlith::testing::kExampleFile));
  }

  // Errors are message boxes naming the file and the reason; nothing is done.
  void ErrorsNameTheFile() {
    TempFolder gui;
    std::filesystem::create_directory(gui.File("orlith.ini"));
    MainFrame frame(WorkFolder{gui.path()});
    frame.show();
    ModalScript script;
    script.Message(ConfigMissingMessage());  // NavAids in Effect without scenery.cfg
    On<SceneryFolderDialog>(script, [](SceneryFolderDialog* dialog) {
      QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    script.Then([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr || !box->text().startsWith("Error with file orlith.ini: "))
        script.Fail("expected the error of orlith.ini");
      ModalScript::Later([box, dialog = modal->parentWidget()] {
        box->accept();
        qobject_cast<QDialog*>(dialog)->reject();  // it stayed open
      });
    });
    On<ImportDialog>(script, [](ImportDialog* dialog) {
      dialog->fileEdit()->setText("missing.csv");
      dialog->updatePreview();
      QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    });
    Answer(script, "Error with file missing.csv: ", QMessageBox::Ok);
    for (int command : {kNavAidsInEffectCommand, kSceneryFolderCommand, kImportNavAidsCommand})
      frame.action(command)->trigger();
    CheckScript(script);
    QCOMPARE(FilesIn(gui).size(), std::size_t{0});
  }

  // While another Orlith holds the folder the note shows; its Cancel ends the command unwritten.
  void LockWaitNoteCancels() {
    TempFolder gui;
    gui.Write("scenery.cfg", kBaseConfig);
    std::unique_ptr<FolderLock> other;
    QVERIFY(DefaultFileEnv()->TryLockFolder(gui.path(), &other).ok() && other);
    MainFrame frame(WorkFolder{gui.path()});
    frame.show();
    ModalScript script;
    script.Then([&](QWidget* note) {
      if (note->objectName() != "lockWaitNote") script.Fail("expected the note");
      auto* cancel = note->findChild<QPushButton*>();
      ModalScript::Later([cancel] { QTest::mouseClick(cancel, Qt::LeftButton); });
    });
    frame.action(kCreateNavAidCommand)->trigger();
    CheckScript(script);
    QCOMPARE(frame.mainWindow().last_outcome(), CommandOutcome::kCancelled);
    QVERIFY(frame.frontEnd().lockWaitNote() == nullptr);
    QVERIFY(!gui.Exists("scenery.org"));
  }
};

ORLITH_QT_TEST_SUITE(MainFrameTest);
ORLITH_QT_TEST_SUITE(ToolWindowsTest);

}  // namespace orlith::qt

#include "main_frame_test.moc"
