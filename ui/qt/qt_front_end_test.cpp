#include "ui/qt/qt_front_end.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>
#include <QTest>

#include "ui/qt/qt_test_suites.h"
#include "ui/qt/testing/modal_script.h"

namespace orlith::qt {

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

ORLITH_QT_TEST_SUITE(QtFrontEndTest);

}  // namespace orlith::qt

#include "qt_front_end_test.moc"
