#include "ui/qt/main_frame.h"

#include <QAction>
#include <QMenuBar>
#include <QTest>
#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "test_support/test_support.h"
#include "ui/dialog_layout.h"
#include "ui/qt/modal_script.h"
#include "ui/qt/qt_test_suites.h"

namespace orlith::qt {
namespace {

using orlith::testing::TempFolder;
using testing::Close;
using testing::DialogStep;
using testing::ModalScript;

constexpr char kSceneryCfg[] =
    "[General]\r\nTitle=FS2002 World Scenery\r\n\r\n[Area.001]\r\nTitle=Default Terrain\r\n"
    "Local=Scenery\\World\r\nActive=TRUE\r\nRequired=FALSE\r\nLayer=1\r\n\r\n[Area.002]\r\n"
    "Title=Default Scenery\r\nLocal=Scenery\\BASE\r\nActive=TRUE\r\nRequired=FALSE\r\nLayer=2\r\n";
constexpr char kBglName[] = "N42 34_6__W12 24_5.bgl";
const std::map<int, std::string> kPosition = {{1000, "N42 34.6"}, {1001, "W12 24.5"}};
const std::map<int, std::string> kNdb = {
    {1013, "345"}, {1014, "25"}, {1002, "120"}, {1003, "ABC"}, {1004, "ABC TEST"}};
const std::map<int, std::string> kVor = {{1008, "113.50"}, {1009, "40"},  {1005, "-2.5"},
                                         {1010, "200"},    {1011, "XYZ"}, {1006, "1"},
                                         {1012, "XYZ VOR"}};
const std::map<int, std::string> kIls = {{1015, "110.30"}, {1016, "18"},    {1017, "3"},
                                         {1018, "15"},     {1019, "271.4"}, {1020, "3.0"},
                                         {1023, "IAB"},    {1025, "1"},     {1021, "RWY 27 ILS"}};

// One menu command with its dialogs, and its ending: a message (empty: none), or a fatal message
// and status.
struct CommandStep {
  int command;
  std::vector<DialogStep> dialogs;
  std::string message;
  int fatalStatus = 0;
};

// Answers each dialog directly with the texts a DialogStep types, without widgets: the same
// commands through it give the files the Qt program must write.
class DirectFrontEnd : public FrontEnd {
 public:
  explicit DirectFrontEnd(std::deque<DialogStep> dialogs) : dialogs_(std::move(dialogs)) {}
  DialogResult RunDialog(DialogId, const DialogTexts& shown, const OkHandler& on_ok) override {
    DialogStep step = dialogs_.front();
    dialogs_.pop_front();
    if (step.close != Close::kOkButton && step.close != Close::kEnter) return DialogResult::kCancel;
    DialogTexts typed = shown;
    for (const auto& [id, text] : step.typed) typed.edits[id] = text;
    typed.checkedRadio = step.radio;
    on_ok(typed);
    return DialogResult::kOk;
  }
  void ShowMessage(const std::string&) override {}
  void Fatal(const std::string&, int) override {}

 private:
  std::deque<DialogStep> dialogs_;
};

std::map<std::string, std::string> FilesIn(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& file : std::filesystem::directory_iterator(folder.path()))
    files[file.path().filename().string()] = folder.Read(file.path().filename().string());
  return files;
}

// Runs commands through the menu of a MainFrame, answering each dialog and message box through
// its widgets, then the same commands with the dialogs answered directly in a second folder; both
// folders must end byte for byte the same. Returns the GUI's folder contents.
std::map<std::string, std::string> RunCommands(const std::vector<CommandStep>& commands,
                                               bool with_config = true) {
  TempFolder gui, reference;
  if (with_config)
    gui.Write("scenery.cfg", kSceneryCfg), reference.Write("scenery.cfg", kSceneryCfg);
  std::vector<int> statuses;
  MainFrame frame(WorkFolder{gui.path()}, orlith::testing::Dec6,
                  [&](int status) { statuses.push_back(status); });
  frame.show();
  std::deque<DialogStep> all_dialogs;
  for (const CommandStep& command : commands) {
    ModalScript script;
    for (const DialogStep& dialog : command.dialogs)
      script.Dialog(dialog), all_dialogs.push_back(dialog);
    if (!command.message.empty()) script.Message(command.message);
    statuses.clear();
    frame.action(command.command)->trigger();
    [&] {
      QVERIFY2(script.failures().isEmpty() && script.pending() == 0,
               qPrintable(QStringLiteral("command %1: %2 %3 windows did not open")
                              .arg(command.command)
                              .arg(script.failures().join("; "))
                              .arg(script.pending())));
      QCOMPARE(statuses,
               command.fatalStatus ? std::vector<int>{command.fatalStatus} : std::vector<int>{});
    }();
  }
  DirectFrontEnd direct(all_dialogs);
  MainWindow window(direct, WorkFolder{reference.path()}, orlith::testing::Dec6);
  for (const CommandStep& command : commands) window.OnCommand(command.command);
  std::map<std::string, std::string> gui_files = FilesIn(gui), reference_files = FilesIn(reference);
  [&] {
    QCOMPARE(gui_files.size(), reference_files.size());
    for (const auto& [name, bytes] : reference_files) {
      ::testing::AssertionResult same = orlith::testing::BytesEqual(bytes, gui_files[name]);
      QVERIFY2(same, qPrintable(QString::fromStdString(name + ": " + same.message())));
    }
  }();
  return gui_files;
}

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private slots:
  // A fixed frame whose title bar has no buttons, with the four commands as its menu bar.
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
  }

  void ExitProgramClosesTheWindow() {
    MainFrame frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.action(kExitProgramCommand)->trigger();
    QVERIFY(!frame.isVisible());
  }

  void CreatesEachType() {
    const struct {
      int button;
      DialogId dialog;
      std::string type;
      const std::map<int, std::string>& parameters;
    } cases[] = {{kNdbButton, DialogId::kNdb, "NDB", kNdb},
                 {kVorButton, DialogId::kVor, "VOR", kVor},
                 {kIlsButton, DialogId::kIls, "ILS", kIls}};
    for (const auto& c : cases) {
      auto files =
          RunCommands({{kCreateNavAidCommand,
                        {{DialogId::kPosition, kPosition, c.button}, {c.dialog, c.parameters}},
                        "A new " + c.type + " NavAid was created at N42 34.6, W12 24.5"}});
      QVERIFY2(files.count(kBglName) == 1, c.type.c_str());
      // The backup holds every line of scenery.cfg as it was before the command.
      QVERIFY2(files["scenery.org"].rfind(kSceneryCfg, 0) == 0, c.type.c_str());
    }
  }

  void DeletesAndModifiesWithEnter() {
    auto files = RunCommands({
        {kDeleteNavAidCommand,
         {{DialogId::kPosition, kPosition, kNdbButton, Close::kEnter}},
         "All NDB NavAids at N42 34.6, W12 24.5 are deleted!"},
        {kModifyNavAidCommand,
         {{DialogId::kPosition, {}, kVorButton, Close::kEnter},
          {DialogId::kVor, kVor, 0, Close::kEnter}},
         "An existing VOR NavAid at N42 34.6, W12 24.5 was modified"},
    });
    QVERIFY(files["scenery.cfg"].rfind(kSceneryCfg, 0) == 0);  // only appended to
    QVERIFY(files["scenery.cfg"].find("Exclude=") != std::string::npos);
    QVERIFY(files.count(kBglName) == 1);
  }

  // Each dialog opens with what the last OK stored; the type buttons start unchecked and the
  // last type is kept.
  void CarriesTextsBetweenCommands() {
    RunCommands({
        {kCreateNavAidCommand,
         {{DialogId::kPosition, kPosition, kNdbButton}, {DialogId::kNdb, kNdb}},
         "A new NDB NavAid was created at N42 34.6, W12 24.5"},
        {kModifyNavAidCommand,
         {{DialogId::kPosition, {}, kVorButton, Close::kOkButton, kPosition},
          {DialogId::kVor,
           {{1005, "1.5"}},
           0,
           Close::kOkButton,
           {{1008, "345"}, {1009, "25"}, {1010, "120"}, {1011, "ABC"}, {1012, "ABC TEST"}}}},
         "An existing VOR NavAid at N42 34.6, W12 24.5 was modified"},
        {kDeleteNavAidCommand,
         {{DialogId::kPosition, {{1001, "E1 2.5 "}}, 0}},
         "All VOR / ILS NavAids at N42 34.6, E1 2.5  are deleted!"},
    });
  }

  // Cancel ends the command in each dialog; in the first Position dialog nothing is written.
  void CancelInEachDialogF9() {
    auto files = RunCommands({{kCreateNavAidCommand,
                               {{DialogId::kPosition, kPosition, kVorButton, Close::kCancelButton}},
                               ""}});
    QCOMPARE(files, (std::map<std::string, std::string>{{"scenery.cfg", kSceneryCfg}}));
    files = RunCommands({
        {kCreateNavAidCommand,
         {{DialogId::kPosition, kPosition, kIlsButton},
          {DialogId::kIls, kIls, 0, Close::kCancelButton}},
         ""},
        {kDeleteNavAidCommand, {{DialogId::kPosition, kPosition, kNdbButton, Close::kEscape}}, ""},
        {kModifyNavAidCommand,
         {{DialogId::kPosition, {}, 0}, {DialogId::kIls, {}, 0, Close::kEscape}},
         "The exclusion switch was added at N42 34.6, W12 24.5; no scenery file was written"},
    });
    QVERIFY(files.count(kBglName) == 0);
    QVERIFY(files["scenery.cfg"].find("Exclude=") != std::string::npos);
  }

  // A bad latitude ends with status 8, a missing scenery.cfg with 1, each after its message and
  // with nothing written.
  void FatalEndingsWriteNothing() {
    auto files =
        RunCommands({{kCreateNavAidCommand,
                      {{DialogId::kPosition, {{1000, "X42 34.6"}, {1001, "W12"}}, kVorButton}},
                      "Input Error - Program terminates!",
                      8}});
    QCOMPARE(files, (std::map<std::string, std::string>{{"scenery.cfg", kSceneryCfg}}));
    files = RunCommands({{kModifyNavAidCommand, {}, "File scenery.cfg not found!", 1}}, false);
    QVERIFY(files.empty());
  }
};

ORLITH_QT_TEST_SUITE(MainFrameTest);

}  // namespace orlith::qt

#include "main_frame_test.moc"
