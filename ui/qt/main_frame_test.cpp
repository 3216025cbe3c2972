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
#include "ui/qt/qt_test_suites.h"
#include "ui/qt/testing/modal_script.h"
#include "ui/testing/scripted_front_end.h"

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

std::map<std::string, std::string> FilesIn(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& file : std::filesystem::recursive_directory_iterator(folder.path())) {
    std::string name = file.path().lexically_relative(folder.path()).string();
    if (file.is_regular_file()) files[name] = folder.Read(name);
  }
  return files;
}

// Runs commands through the menu of a MainFrame, answering each dialog and message box through
// its widgets, then the same commands with the dialogs answered directly in a second folder; both
// folders must end byte for byte the same.
void RunCommands(const std::vector<CommandStep>& commands, bool with_config,
                 const std::string& scenery_folder = "") {
  TempFolder gui, reference;
  if (with_config)
    gui.Write("scenery.cfg", kSceneryCfg), reference.Write("scenery.cfg", kSceneryCfg);
  std::vector<int> statuses;
  MainFrame frame(WorkFolder{gui.path(), DefaultFileEnv(), scenery_folder}, orlith::testing::Dec6,
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
    QVERIFY2(script.failures().isEmpty() && script.pending() == 0,
             qPrintable(QStringLiteral("command %1: %2 %3 windows did not open")
                            .arg(command.command)
                            .arg(script.failures().join("; "))
                            .arg(script.pending())));
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
  MainWindow window(direct, WorkFolder{reference.path(), DefaultFileEnv(), scenery_folder},
                    orlith::testing::Dec6);
  for (const CommandStep& command : commands) window.OnCommand(command.command);
  std::map<std::string, std::string> gui_files = FilesIn(gui), reference_files = FilesIn(reference);
  QCOMPARE(gui_files.size(), reference_files.size());
  for (const auto& [name, bytes] : reference_files) {
    ::testing::AssertionResult same = orlith::testing::BytesEqual(bytes, gui_files[name]);
    QVERIFY2(same, qPrintable(QString::fromStdString(name + ": " + same.message())));
  }
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

  // Every command through the menu and the dialogs' widgets writes the bytes the flows write.
  // Each dialog opens with what the last OK stored; the type buttons start unchecked. Cancel ends
  // the command in each dialog; a bad latitude ends with status 8, a missing scenery.cfg with 1.
  void ScenariosWriteTheFlowsBytes_data() {
    QTest::addColumn<std::vector<CommandStep>>("commands");
    QTest::addColumn<bool>("withConfig");
    using C = std::vector<CommandStep>;
    const DialogId pos = DialogId::kPosition, ndb = DialogId::kNdb;
    const DialogId vor = DialogId::kVor, ils = DialogId::kIls;
    const int create = kCreateNavAidCommand, del = kDeleteNavAidCommand;
    const int modify = kModifyNavAidCommand;
    const std::string at = " NavAid was created at N42 34.6, W12 24.5";
    const std::string modified = "An existing VOR NavAid at N42 34.6, W12 24.5 was modified";
    const std::map<int, std::string> from_ndb = {
        {1008, "345"}, {1009, "25"}, {1010, "120"}, {1011, "ABC"}, {1012, "ABC TEST"}};
    // clang-format off
    for (auto [name, button, id, parameters] : {std::tuple{"create NDB", kNdbButton, ndb, &kNdb},
                                                std::tuple{"create VOR", kVorButton, vor, &kVor},
                                                std::tuple{"create ILS", kIlsButton, ils, &kIls}})
      QTest::newRow(name) << C{{create, {{pos, kPosition, button}, {id, *parameters}},
                                "A new " + std::string(name + 7) + at}} << true;
    QTest::newRow("delete and modify with Enter") << C{
        {del, {{pos, kPosition, kNdbButton, Close::kEnter}},
         "All NDB NavAids at N42 34.6, W12 24.5 are deleted!"},
        {modify, {{pos, {}, kVorButton, Close::kEnter}, {vor, kVor, 0, Close::kEnter}}, modified}}
        << true;
    QTest::newRow("texts carried between commands") << C{
        {create, {{pos, kPosition, kNdbButton}, {ndb, kNdb}}, "A new NDB" + at},
        {modify, {{pos, {}, kVorButton, Close::kOkButton, kPosition},
                  {vor, {{1005, "1.5"}}, 0, Close::kOkButton, from_ndb}}, modified},
        {del, {{pos, {{1001, "E1 2.5 "}}, 0}},
         "All VOR / ILS NavAids at N42 34.6, E1 2.5  are deleted!"}}
        << true;
    QTest::newRow("Cancel in Position F9")
        << C{{create, {{pos, kPosition, kVorButton, Close::kCancelButton}}, ""}} << true;
    QTest::newRow("Cancel in each dialog F9") << C{
        {create, {{pos, kPosition, kIlsButton}, {ils, kIls, 0, Close::kCancelButton}},
         "No scenery file was written"},
        {del, {{pos, kPosition, kNdbButton, Close::kEscape}}, ""},
        {modify, {{pos, {}, 0}, {ils, {}, 0, Close::kEscape}},
         "The exclusion switch was added at N42 34.6, W12 24.5; no scenery file was written"}}
        << true;
    QTest::newRow("typing where the focus opens, Enter F17") << C{
        {create, {{pos, kPosition, kNdbButton, Close::kEnter, {}, true},
                  {ndb, kNdb, 0, Close::kEnter, {}, true}}, "A new NDB" + at}} << true;
    QTest::newRow("OK without a type stays open F18") << C{
        {modify, {{pos, kPosition, 0, Close::kEnter, {}, false, "Check the type of NavAid"},
                  {pos, {}, 0, Close::kCancelButton}}, ""},
        {create, {{pos, kPosition, 0, Close::kOkButton, {{1000, ""}, {1001, ""}}, false,
                   "Check the type of NavAid"},
                  {pos, {}, kVorButton}, {vor, kVor}}, "A new VOR" + at}} << true;
    QTest::newRow("invalid latitude status 8")
        << C{{create, {{pos, {{1000, "X42 34.6"}, {1001, "W12"}}, kVorButton}},
              "Input Error - Program terminates!", 8}} << true;
    QTest::newRow("missing scenery.cfg status 1")
        << C{{modify, {}, "File scenery.cfg not found!", 1}} << false;
    // clang-format on
  }
  void ScenariosWriteTheFlowsBytes() {
    QFETCH(std::vector<CommandStep>, commands);
    QFETCH(bool, withConfig);
    RunCommands(commands, withConfig);
  }

  // The scenery folder, missing at first, takes the scenery file.
  void CreateIntoTheSceneryFolder() {
    RunCommands({{kCreateNavAidCommand,
                  {{DialogId::kPosition, kPosition, kIlsButton}, {DialogId::kIls, kIls}},
                  "A new ILS NavAid was created at N42 34.6, W12 24.5"}},
                true, "Addon Scenery/Updates/scenery");
  }
};

ORLITH_QT_TEST_SUITE(MainFrameTest);

}  // namespace orlith::qt

#include "main_frame_test.moc"
