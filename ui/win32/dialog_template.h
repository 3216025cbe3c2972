// The in-memory dialog templates of the Windows program, built from the layout data of ui/ so the
// four dialogs have one source for every caption, size, font, control id, rectangle and style.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

#include "ui/dialog_layout.h"

namespace orlith::win32 {

// The window style of a control of the given kind, WS_CHILD and WS_VISIBLE included; tab_stop
// adds WS_TABSTOP. Labels start a control group (WS_GROUP); radio buttons and group boxes do not,
// so the type buttons after "Check type of NavAid :" form one group.
DWORD ControlStyle(ControlKind kind, bool tab_stop);

// The style of every dialog: a popup with title bar, system menu and modal frame, its font named
// in the template.
inline constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

// A DLGTEMPLATE followed by its DLGITEMTEMPLATEs, as DialogBoxIndirectParam reads it: placed at
// 0, 0 (the dialog centres itself on its owner), controls in template order, which is the tab
// order. Texts are converted from the ANSI code page. The words are DWORD-aligned in memory.
std::vector<DWORD> BuildDialogTemplate(const DialogLayout& layout);

// A control of the Tools windows, which use controls the four original dialogs do not (list
// views, a progress bar): its window class by name and its style beyond WS_CHILD | WS_VISIBLE.
// Rectangles are in dialog units.
struct ToolControl {
  int id;
  const char* windowClass;  // "BUTTON", "EDIT", "STATIC", WC_LISTVIEWA, PROGRESS_CLASSA
  DWORD style;
  const char* text;
  int x, y, width, height;
};

struct ToolLayout {
  const char* caption;
  int width, height;
  std::span<const ToolControl> controls;  // template order, which is the tab order
};

// The template of a Tools window, in the four dialogs' style and font ("MS Sans Serif", 8).
std::vector<DWORD> BuildToolTemplate(const ToolLayout& layout);

}  // namespace orlith::win32
