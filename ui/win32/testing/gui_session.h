// A test fixture that runs orlith.exe in a fresh simulator folder and, beside it, the portable
// command flows in a second folder with the same answers, so every byte the program writes can be
// compared with what the flows write on every platform.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "core/navaid_entry.h"
#include "test_support/test_support.h"
#include "ui/front_end.h"
#include "ui/testing/scripted_front_end.h"
#include "ui/win32/testing/gui_driver.h"

namespace orlith::testing {

// The scenery.cfg of a fresh simulator folder: no updates area block yet.
inline constexpr char kSampleConfig[] =
    "[General]\r\nTitle=FS2002 World Scenery\r\n\r\n[Area.001]\r\nTitle=Default Terrain\r\n"
    "Local=Scenery\\BASE\r\nActive=TRUE\r\n\r\n[Area.002]\r\nTitle=Propeller Objects\r\n"
    "Local=Scenery\\Props\r\nActive=TRUE\r\n";

enum class CancelBy { kButton, kEscape, kCloseBox };

class GuiSession : public ::testing::Test {
 protected:
  void SetUp() override;

  // Starts orlith.exe; with_config false leaves the folder without scenery.cfg. scenery_folder:
  // given to the program as --scenery-folder, and to the flows.
  void Start(bool with_config = true, const std::string& scenery_folder = "");

  // Chooses a menu item of the program; the flows run the same command at the next message.
  void Choose(int command_id);
  // The dialog once it is open; fails the test when it does not open.
  HWND Dialog(DialogId id);
  // Types typed into the open dialog's edits, checks its radio button, presses OK, waits until it
  // is closed, and gives the flows the same answer.
  void Ok(DialogId id, const DialogTexts& typed);
  // As Ok, but typed key by key where the focus is as the dialog opens, with Tab between the
  // edits (each must have the focus in its turn), and closed with Enter. The edits start empty.
  void TypeAndEnter(DialogId id, const DialogTexts& typed);
  // As Ok, but OK shows the message refusal and the dialog stays open.
  void Refused(DialogId id, const DialogTexts& typed, const std::string& refusal);
  void Cancel(DialogId id, CancelBy how);
  // The program's message box must say what the flows said last (after the refusals); it is then
  // dismissed.
  void ExpectMessage();
  // The command ended without a message, in the program as in the flows: the main window takes
  // the next command.
  void ExpectNoMessage();
  // Every file of the program's folder, below it too, must be byte for byte the file of the
  // flows' folder.
  void ExpectSameFiles();

  TempFolder program_folder_;
  std::unique_ptr<OrlithProcess> program_;
  TempFolder flows_folder_;
  ScriptedFrontEnd flows_ui_;
  std::unique_ptr<orlith::MainWindow> flows_;

 private:
  // What the controls hold, with radio as the checked button.
  DialogTexts Held(HWND dialog, DialogId id, int radio) const;

  int pending_command_ = 0;
  std::vector<std::string> refusals_;  // shown by the program so far in this command
};

// The caption of a dialog template.
std::string CaptionOf(DialogId id);

}  // namespace orlith::testing
