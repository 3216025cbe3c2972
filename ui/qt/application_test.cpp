#include "ui/qt/application.h"

#include <QTest>

#include "ui/qt/qt_test_suites.h"

namespace orlith::qt {

class ApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void ParsesTheFolder_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("folder");
    QTest::newRow("nothing: the current directory") << QStringList{} << true << "";
    QTest::newRow("-C DIR") << QStringList{"-C", "sim"} << true << "sim";
    QTest::newRow("a folder argument") << QStringList{"sim dir"} << true << "sim dir";
    QTest::newRow("-C without a folder") << QStringList{"-C"} << false << "";
    QTest::newRow("two folders") << QStringList{"a", "-C", "b"} << false << "";
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << false << "";
    QTest::newRow("empty folder name") << QStringList{""} << false << "";
  }
  void ParsesTheFolder() {
    QFETCH(QStringList, args);
    QFETCH(bool, ok);
    QFETCH(QString, folder);
    std::vector<std::string> list;
    for (const QString& arg : args) list.push_back(arg.toStdString());
    std::string error;
    std::optional<ProgramOptions> options = ParseProgramOptions(list, &error);
    QCOMPARE(options.has_value(), ok);
    if (ok) {
      QCOMPARE(QString::fromStdString(options->folder), folder);
    } else {
      QVERIFY(!error.empty());
    }
  }
};

ORLITH_QT_TEST_SUITE(ApplicationTest);

}  // namespace orlith::qt

#include "application_test.moc"
