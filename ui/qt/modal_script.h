// Test helpers for driving the program's real modal windows: a script of steps, one for each
// dialog or message box as it opens, run from inside its modal loop.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ui/front_end.h"

class QWidget;

namespace orlith::qt::testing {

// How a dialog step closes its dialog.
enum class Close { kOkButton, kEnter, kCancelButton, kEscape };

// A dialog of id: each edit of shown must show its text on opening; each text of typed is typed
// into its edit (replacing what it showed), the radio button radio (0: none) is clicked, and the
// dialog is closed as close says.
struct DialogStep {
  DialogId id;
  std::map<int, std::string> typed;
  int radio = 0;
  Close close = Close::kOkButton;
  std::map<int, std::string> shown = {};
};

class ModalScript : public QObject {
  Q_OBJECT

 public:
  using Step = std::function<void(QWidget* modal)>;

  ModalScript();

  // Queues the step for the next modal window that opens. A step that closes its window must do
  // so through Later(), so that windows it opens in turn are served too.
  void Then(Step step);

  void Dialog(DialogStep step);
  // A message box: checks its text, then presses its OK button.
  void Message(const std::string& text);

  // Runs action after the current step has returned.
  static void Later(std::function<void()> action);

  // Steps not yet run, and what went wrong (a window nobody expected is rejected and reported).
  std::size_t pending() const { return steps_.size(); }
  const QStringList& failures() const { return failures_; }
  void Fail(const QString& what) { failures_ << what; }

 private:
  void Poll();
  // Records failure and closes modal unanswered.
  void Reject(QWidget* modal, const QString& failure);

  QTimer timer_;
  std::deque<Step> steps_;
  QList<QPointer<QWidget>> served_;
  QStringList failures_;
};

}  // namespace orlith::qt::testing
