#include "ui/qt/qt_front_end.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>
#include <QTest>

#include "ui/qt/modal_script.h"
#include "ui/qt/qt_test_suites.h"

namespace orlith::qt {

using testing::Close;
using testing::ModalScript;

class QtFrontEndTest : public QObject {
  Q_OBJECT

 private slots:
  // A warning captioned with the program's name, one OK, the text shown as typed (it may hold
  // markup, which is not obeyed).
  void MessageIsAPlainWarningWithOneOk() {
    ModalScript script;
    QMessageBox* box = nullptr;
    script.Then([&](QWidget* modal) {
      box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      ModalScript::Later([ok = box->button(QMessageBox::Ok)] { ok->click(); });
      QCOMPARE(box->icon(), QMessageBox::Warning);
      QCOMPARE(box->windowTitle(), QString("ui_qt_test"));
      QCOMPARE(box->buttons().size(), 1);
      QCOMPARE(box->textFormat(), Qt::PlainText);
    });
    QtFrontEnd().ShowMessage("All NavAids at <b>N42</b> 34.6, W12 24.5 are deleted!");
    QVERIFY(box != nullptr);
  }

  // OK reports every edit, typed or as shown; Escape reports Cancel without calling the handler.
  void RunDialogReportsOkAndCancel() {
    ModalScript script;
    script.Dialog({DialogId::kVor, {{1008, "113.50"}}});
    script.Dialog({DialogId::kVor, {{1008, "999"}}, 0, Close::kEscape});
    QtFrontEnd front_end;
    std::vector<DialogTexts> oks;
    OkHandler on_ok = [&](const DialogTexts& typed) { oks.push_back(typed); };
    const DialogTexts shown{{{1008, "1"}, {1009, "2"}}};
    QCOMPARE(front_end.RunDialog(DialogId::kVor, shown, on_ok), DialogResult::kOk);
    QCOMPARE(front_end.RunDialog(DialogId::kVor, shown, on_ok), DialogResult::kCancel);
    QVERIFY2(script.failures().isEmpty(), qPrintable(script.failures().join("; ")));
    QCOMPARE(oks.size(), std::size_t{1});
    QCOMPARE(oks[0].edits.size(), std::size_t{7});
    QCOMPARE(oks[0].edits.at(1008), std::string("113.50"));
    QCOMPARE(oks[0].edits.at(1009), std::string("2"));
  }

  // In a child process: the message box shows (the child prints it and presses OK), then the
  // process ends with the status.
  void FatalShowsTheMessageThenEndsWithItsStatus_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("status");
    QTest::newRow("input error") << "Input Error - Program terminates!" << 8;
    QTest::newRow("scenery.cfg missing") << "File scenery.cfg not found!" << 1;
  }
  void FatalShowsTheMessageThenEndsWithItsStatus() {
    QFETCH(QString, message);
    QFETCH(int, status);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {"--fatal-child", message, QString::number(status)});
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), status);
    QCOMPARE(QString::fromLatin1(child.readAllStandardOutput()),
             QStringLiteral("ui_qt_test|%1\n").arg(message));
  }
};

ORLITH_QT_TEST_SUITE(QtFrontEndTest);

}  // namespace orlith::qt

#include "qt_front_end_test.moc"
