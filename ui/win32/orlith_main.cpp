// orlith.exe: the Windows program.
#include <windows.h>

#include "ui/win32/nav_edit_app.h"

namespace {

orlith::win32::NavEditApp the_app;  // the one application object, alive for the whole program

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  the_app.InitInstance();
  return the_app.Run();
}
