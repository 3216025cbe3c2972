#include "ui/testing/scripted_front_end.h"

#include <gtest/gtest.h>

namespace orlith::testing {

DialogResult ScriptedFrontEnd::RunDialog(DialogId id, const DialogTexts& shown_texts,
                                         const OkHandler& on_ok) {
  EXPECT_FALSE(fatal) << "a dialog opened after the program was to end";
  opened.push_back(id);
  shown.push_back(shown_texts);
  if (onOpen) onOpen(id);
  // An OK that the handler refuses leaves the dialog open for the next answer.
  for (;;) {
    if (answers_.empty()) {
      ADD_FAILURE() << "dialog " << static_cast<int>(id) << " opened, but the script has no answer";
      return DialogResult::kCancel;
    }
    ScriptedAnswer answer = answers_.front();
    answers_.pop_front();
    EXPECT_EQ(static_cast<int>(answer.id), static_cast<int>(id)) << "another dialog was expected";
    if (answer.press == DialogResult::kCancel) return DialogResult::kCancel;
    if (on_ok(answer.typed)) return DialogResult::kOk;
  }
}

void ScriptedFrontEnd::ShowMessage(const std::string& text) {
  EXPECT_FALSE(fatal) << "a message after the program was to end: " << text;
  messages.push_back(text);
}

void ScriptedFrontEnd::ShowError(const std::string& text) {
  EXPECT_FALSE(fatal) << "an error after the program was to end: " << text;
  errors.push_back(text);
}

void ScriptedFrontEnd::Fatal(const std::string& message, int status) {
  EXPECT_FALSE(fatal) << "a second fatal ending: " << message;
  if (!fatal) fatal = FatalEnding{message, status};
}

DialogTexts PositionTyped(const std::string& latitude, const std::string& longitude,
                          int checked_radio) {
  DialogTexts typed;
  typed.edits[1000] = latitude;
  typed.edits[1001] = longitude;
  typed.checkedRadio = checked_radio;
  return typed;
}

}  // namespace orlith::testing
