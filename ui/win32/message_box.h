// The program's message boxes: one OK button, the exclamation icon, the application title as
// caption, owned by the active window of the program.
#pragma once

#include <string>

namespace orlith::win32 {

// The file name of the running executable without folder and extension: "orlith" for
// C:\FS2002\orlith.exe. The program holds no title string of its own.
std::string ApplicationTitle();

// Shows text (MB_OK | MB_ICONEXCLAMATION) and returns when the user has dismissed it.
void ShowMessageBox(const std::string& text);

// Asks before something is done: text with OK and Cancel (MB_OKCANCEL | MB_ICONEXCLAMATION),
// Cancel the default button. True when the user pressed OK.
bool AskMessageBox(const std::string& text);

}  // namespace orlith::win32
