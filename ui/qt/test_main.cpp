// ui_qt_test [SUITE [Qt Test options]]: runs every test class, or only SUITE.
// ui_qt_test --fatal-child TEXT STATUS: ends through the real front end's Fatal (for
// QtFrontEndTest, which checks the status of this process).
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "ui/qt/application.h"
#include "ui/qt/qt_front_end.h"
#include "ui/qt/qt_test_suites.h"

namespace orlith::qt::testing {
namespace {

std::map<std::string, SuiteFactory>& Suites() {
  static std::map<std::string, SuiteFactory> suites;
  return suites;
}

// Presses OK on the message box as soon as it shows, printing its caption and text first.
int RunFatalChild(const char* text, int status) {
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      std::printf("%s|%s\n", qPrintable(box->windowTitle()), qPrintable(box->text()));
      std::fflush(stdout);
      box->button(QMessageBox::Ok)->click();
    }
  });
  poll.start(5);
  QtFrontEnd front_end;
  front_end.Fatal(text, status);
  return 99;  // Fatal returned: the parent test reports this status
}

}  // namespace

int RegisterSuite(const char* name, SuiteFactory factory) {
  Suites()[name] = factory;
  return 0;
}

}  // namespace orlith::qt::testing

int main(int argc, char** argv) {
  using namespace orlith::qt::testing;
  QApplication app(argc, argv);
  orlith::qt::ApplyProgramStyle();
  if (argc == 4 && std::strcmp(argv[1], "--fatal-child") == 0) {
    return RunFatalChild(argv[2], std::atoi(argv[3]));
  }
  if (argc > 1 && argv[1][0] != '-') {
    auto found = Suites().find(argv[1]);
    if (found == Suites().end()) {
      std::fprintf(stderr, "no test class %s\n", argv[1]);
      return 2;
    }
    argv[1] = argv[0];
    std::unique_ptr<QObject> suite = found->second();
    return QTest::qExec(suite.get(), argc - 1, argv + 1);
  }
  int failed = 0;
  for (const auto& [name, factory] : Suites()) {
    std::unique_ptr<QObject> suite = factory();
    failed += QTest::qExec(suite.get(), argc, argv);
  }
  return failed == 0 ? 0 : 1;
}
