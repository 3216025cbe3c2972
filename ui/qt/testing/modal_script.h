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
// dialog is closed as close says. atFocus: the texts are typed key by key where the focus is, as
// the dialog opened, with Tab between the edits; each edit must have the focus when its turn
// comes. refusal: the message OK shows instead of closing; the next step serves the same dialog.
struct DialogStep {
  DialogId id;
  std::map<int, std::string> typed;
  int radio = 0;
  Close close = Close::kOkButton;
  std::map<int, std::string> shown = {};
  bool atFocus = false;
  std::string refusal = {};
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
  // A message box: checks its text, then presses its OK button. over_dialog: the box is shown over
  // a dialog that stays open, which the next step then serves again.
  void Message(const std::string& text, bool over_dialog = false);

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
