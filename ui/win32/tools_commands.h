// The Tools menu of the Windows program: each item opens its window and wires it to the portable
// logic of app/ and ui/ (the import, what is in effect and taking it back, orlith.ini).
#pragma once

#include <windows.h>

#include "app/main_window.h"
#include "ui/front_end.h"

namespace orlith::win32 {

// Menu 101's fifth item: the "Tools" popup of ToolsMenu(), appended to menu_bar.
void AppendToolsMenu(HMENU menu_bar);

// Runs the Tools command id (40101-40103) with its window owned by owner. commands: the main
// window's commands, whose folder the tools work in and whose scenery folder "Scenery Folder..."
// changes unless scenery_given (the command line's --scenery-folder wins).
void RunToolsCommand(int id, HWND owner, FrontEnd& front_end, orlith::MainWindow& commands,
                     bool scenery_given);

}  // namespace orlith::win32
