#include "ui/qt/tool_windows.h"

#include <QComboBox>
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
#include <cmath>
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
#include "ui/qt/main_frame.h"
#include "ui/qt/qt_test_suites.h"
#include "ui/qt/testing/modal_script.h"

namespace orlith::qt {
namespace {

using orlith::testing::TempFolder;
using testing::ModalScript;

const std::string kExcerpt = ORLITH_SOURCE_DIR "/examples/ourairports/navaids-BE.csv";

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
    if (file.is_regular_file())
      files[file.path().lexically_relative(folder.path()).string()] =
          orlith::testing::ReadFileBytes(file.path().string());
  }
  return files;
}

// Both folders hold the same files, byte for byte.
void CompareFolders(const TempFolder& gui, const TempFolder& cli) {
  std::map<std::string, std::string> a = FilesIn(gui), b = FilesIn(cli);
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

class ToolWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  // The bar keeps its four commands; the Tools popup follows them.
  void ToolsMenuFollowsTheFourCommands() {
    MainFrame frame;
    QCOMPARE(static_cast<std::size_t>(frame.menuBar()->actions().size()), MainMenu().size());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QToolButton* button = frame.toolsButton();
    QCOMPARE(button->menu(), frame.toolsMenu());
    QCOMPARE(button->text(), QString(kToolsMenuText));
    const QRect last = frame.menuBar()->actionGeometry(frame.menuBar()->actions().back());
    QCOMPARE(button->geometry().left(), last.right() + 1);
    QCOMPARE(button->geometry().top(), last.top());
    QList<QAction*> tools = frame.toolsMenu()->actions();
    QCOMPARE(static_cast<std::size_t>(tools.size()), ToolsMenu().size());
    for (qsizetype i = 0; i < tools.size(); ++i) {
      QCOMPARE(tools[i]->text(), QString::fromLatin1(ToolsMenu()[i].text));
      QCOMPARE(frame.action(ToolsMenu()[i].commandId), tools[i]);
    }
  }

  // The dialog's import writes what orlith-cli import --apply writes; the preview counts the rows
  // first, the bar moves row by row, the summary is the command line's.
  void ImportMatchesTheCommandLine() {
    TempFolder gui, cli;
    gui.Write("scenery.cfg", orlith::testing::kBaseConfig);
    cli.Write("scenery.cfg", orlith::testing::kBaseConfig);
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
  }

  // Cancel during the run stops it between rows: each row done has its switch and its file.
  void CancelStopsBetweenRows() {
    TempFolder gui;
    gui.Write("scenery.cfg", orlith::testing::kBaseConfig);
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

  // A switch and a file taken back through the window, then scenery.cfg restored, leave the bytes
  // of orlith-cli remove at that position and restore; the tables sort numbers by value.
  void TakeBackAndRestoreMatchTheCommandLine() {
    TempFolder gui, cli;
    for (const TempFolder* folder : {&gui, &cli}) {
      folder->Write("scenery.cfg", orlith::testing::kBaseConfig);
      Cli(*folder, {"import", QString::fromStdString(kExcerpt), "--command", "modify", "--apply"});
    }
    InEffect in_effect;
    QVERIFY(ReadInEffect(WorkFolder{cli.path()}, &in_effect).ok());
    const OrlithSwitch& chosen = in_effect.switches[1].exclusion;
    const QString lat =
        QString::fromStdString(FormatCoordinate(chosen.latitude, CoordinateKind::kLatitude));
    const QString lon =
        QString::fromStdString(FormatCoordinate(chosen.longitude, CoordinateKind::kLongitude));
    // The file of the same position, by its index in the order read.
    int chosen_file = -1;
    for (std::size_t i = 0; i < in_effect.files.size(); ++i) {
      const DecodedNavAid& n = in_effect.files[i].navaid;
      if (std::abs(n.latitude - chosen.latitude) + std::abs(n.longitude - chosen.longitude) < 1e-3)
        chosen_file = static_cast<int>(i);
    }
    QVERIFY(chosen_file >= 0);
    Cli(cli, {"remove", "--lat", lat, "--lon", lon});
    Cli(cli, {"restore"});

    MainFrame frame(WorkFolder{gui.path()}, orlith::testing::Dec6);
    frame.show();
    ModalScript script;
    On<InEffectWindow>(script, [&](InEffectWindow* window) {
      QTableWidget* files = window->fileTable();
      files->sortItems(3);  // by frequency: kHz and MHz by value
      for (int r = 1; r < files->rowCount(); ++r) {
        if (CompareCells(files->item(r - 1, 3)->text().toStdString(),
                         files->item(r, 3)->text().toStdString()) > 0)
          script.Fail("not sorted by frequency");
      }
      QTableWidget* switches = window->switchTable();
      switches->sortItems(0, Qt::DescendingOrder);  // lines by value
      if (switches->item(0, 0)->text().toInt() < switches->item(1, 0)->text().toInt())
        script.Fail("not sorted by line");
      for (auto [table, index] : {std::pair{switches, 1}, std::pair{files, chosen_file}}) {
        for (int r = 0; r < table->rowCount(); ++r) {
          if (table->item(r, 0)->data(Qt::UserRole).toInt() == index) table->selectRow(r);
        }
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
    // The log's entries carry the date; the command line's is today's.
    gui.Write("orlith.log", cli.Read("orlith.log"));
    CompareFolders(gui, cli);
  }

  // The choice goes to orlith.ini and the next Create writes into the updates area's folder.
  void SceneryFolderIsUsedByTheNextCreate() {
    TempFolder gui;
    gui.Write("scenery.cfg", orlith::testing::kBaseConfig);
    MainFrame frame(WorkFolder{gui.path()}, orlith::testing::Dec6);
    frame.show();
    {
      ModalScript script;
      On<SceneryFolderDialog>(script, [](SceneryFolderDialog* dialog) {
        dialog->addonChoice()->click();
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
      });
      frame.action(kSceneryFolderCommand)->trigger();
      CheckScript(script);
    }
    QCOMPARE(gui.Read("orlith.ini"),
             std::string("[Orlith]\r\nSceneryFolder=Addon Scenery\\Updates\\scenery\r\n"));
    ModalScript create;
    create.Dialog({DialogId::kPosition, {{1000, "N42 34.6"}, {1001, "W12 24.5"}}, kNdbButton});
    create.Dialog({DialogId::kNdb, {{1013, "345"}, {1014, "25"}, {1003, "ABC"}}});
    create.Message("A new NDB NavAid was created at N42 34.6, W12 24.5");
    frame.action(kCreateNavAidCommand)->trigger();
    CheckScript(create);
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
    script.Then([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr || !box->text().startsWith("Error with file missing.csv: "))
        script.Fail("expected the error of missing.csv");
      ModalScript::Later([box] { box->accept(); });
    });
    for (int command : {kNavAidsInEffectCommand, kSceneryFolderCommand, kImportNavAidsCommand})
      frame.action(command)->trigger();
    CheckScript(script);
    QCOMPARE(FilesIn(gui).size(), std::size_t{0});
  }

  // While another Orlith holds the folder the note shows; its Cancel ends the command unwritten.
  void LockWaitNoteCancels() {
    TempFolder gui;
    gui.Write("scenery.cfg", orlith::testing::kBaseConfig);
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

ORLITH_QT_TEST_SUITE(ToolWindowsTest);

}  // namespace orlith::qt

#include "tool_windows_test.moc"
