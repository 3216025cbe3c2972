// Drives the real orlith.exe the way a person does, from another process: menu commands, typing
// into edit controls, clicking buttons, keys, message boxes. Every wait gives up after a few
// seconds and returns null or -1, so a test fails instead of hanging.
#pragma once

#include <windows.h>

#include <string>

namespace orlith::testing {

// orlith.exe from the folder of the running executable, started with folder as its current
// directory and arguments as the rest of its command line. The process is ended when the object
// goes out of scope if it still runs.
class OrlithProcess {
 public:
  explicit OrlithProcess(const std::string& folder, const std::string& arguments = "");
  ~OrlithProcess();
  OrlithProcess(const OrlithProcess&) = delete;
  OrlithProcess& operator=(const OrlithProcess&) = delete;

  // The main window once it is shown; null when the program did not show it in time.
  HWND MainWindow();
  // A shown top-level window of the program with exactly this caption (dialogs and message
  // boxes: "Position", "NavAid Parameters: NDB", "orlith"); null when none appeared in time.
  HWND WaitForWindow(const std::string& caption, DWORD timeout_ms = 15000);
  // Chooses a menu item of the main window.
  void Command(int command_id);
  // The control that has the keyboard focus in the program, or null.
  HWND Focus();
  // Sends a key press to the control with the focus, as the keyboard would.
  void PressKey(WORD virtual_key);
  // Sends the characters of text to the control with the focus, as typing would.
  void TypeKeys(const std::string& text);
  // Waits until the control with the focus is the dialog's control_id; false after a few seconds.
  bool WaitForFocus(HWND dialog, int control_id);
  // The exit status once the program has ended; -1 when it still runs after timeout_ms.
  int WaitForExit(DWORD timeout_ms = 10000);

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

// The path of a file beside the running executable.
std::string BesideThisProgram(const std::string& name);

// Replaces the text of a dialog's control, as typing would.
void TypeInto(HWND dialog, int control_id, const std::string& text);
std::string TextOf(HWND window);
std::string TextOf(HWND dialog, int control_id);
// Clicks a button of a dialog (BM_CLICK, posted: the click may open a modal window).
void Click(HWND dialog, int control_id);
bool IsChecked(HWND dialog, int control_id);
// True once the window is gone; false when it is still there after a few seconds.
bool WaitUntilGone(HWND window);
// True once the control shows text; false when it does not after a few seconds.
bool WaitForText(HWND dialog, int control_id, const std::string& text);

// The colour on screen at a point of a window's client area.
COLORREF ScreenPixel(HWND window, int client_x, int client_y);

// The text of a message box (its static text control).
std::string MessageBoxText(HWND box);
// Presses the OK button of a message box.
void DismissMessageBox(HWND box);

}  // namespace orlith::testing
