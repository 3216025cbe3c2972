#include "ui/qt/qt_front_end.h"

#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "ui/qt/modal_script.h"
#include "ui/qt/qt_test_suites.h"

namespace orlith::qt {

using testing::Close;
using testing::ModalScript;

class QtFrontEndTest : public QObject {
  Q_OBJECT

 private slots:
  void MessageIsAWarningWithOneOk() {
    ModalScript script;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    QList<QAbstractButton*> buttons;
    Qt::TextFormat format = Qt::AutoText;
    script.Then([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      icon = box->icon();
      caption = box->windowTitle();
      buttons = box->buttons();
      format = box->textFormat();
      QAbstractButton* ok = box->button(QMessageBox::Ok);
      ModalScript::Later([ok] { ok->click(); });
    });
    QtFrontEnd front_end;
    front_end.ShowMessage("All NavAids at <b>N42</b> 34.6, W12 24.5 are deleted!");
    QCOMPARE(script.pending(), std::size_t{0});
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(caption, QString("ui_qt_test"));  // the executable's name
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(format, Qt::PlainText);  // typed texts may hold markup; it is shown, not obeyed
  }

  void RunDialogReportsOkAndCancel() {
    ModalScript script;
    script.Dialog(DialogId::kVor, {{1008, "113.50"}}, 0, Close::kOkButton);
    script.Dialog(DialogId::kVor, {{1008, "999"}}, 0, Close::kEscape);
    QtFrontEnd front_end;
    std::vector<DialogTexts> oks;
    OkHandler on_ok = [&](const DialogTexts& typed) { oks.push_back(typed); };
    DialogTexts shown;
    shown.edits = {{1008, "1"}, {1009, "2"}};
    QCOMPARE(front_end.RunDialog(DialogId::kVor, shown, on_ok), DialogResult::kOk);
    QCOMPARE(front_end.RunDialog(DialogId::kVor, shown, on_ok), DialogResult::kCancel);
    QVERIFY2(script.failures().isEmpty(), qPrintable(script.failures().join("; ")));
    QCOMPARE(oks.size(), std::size_t{1});
    QCOMPARE(oks[0].edits.at(1008), std::string("113.50"));
    QCOMPARE(oks[0].edits.at(1009), std::string("2"));
    QCOMPARE(oks[0].edits.size(), std::size_t{7});
  }

  void FatalShowsTheMessageBeforeEnding() {
    ModalScript script;
    script.Message("File scenery.cfg not found!");
    std::vector<int> statuses;
    qsizetype messages_when_ended = -1;
    QtFrontEnd front_end(nullptr, [&](int status) {
      statuses.push_back(status);
      messages_when_ended = script.messages().size();
    });
    front_end.Fatal("File scenery.cfg not found!", 1);
    QCOMPARE(statuses, std::vector<int>{1});
    QCOMPARE(messages_when_ended, 1);
    QVERIFY2(script.failures().isEmpty(), qPrintable(script.failures().join("; ")));
  }

  // The real ending, in a child process: the box, then the process status.
  void FatalEndsTheProcessWithItsStatus_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("status");
    QTest::newRow("input error") << "Input Error - Program terminates!" << 8;
    QTest::newRow("scenery.cfg missing") << "File scenery.cfg not found!" << 1;
  }
  void FatalEndsTheProcessWithItsStatus() {
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
