// The in-memory dialog templates of the Windows program, built from the layout data of ui/ so the
// four dialogs have one source for every caption, size, font, control id, rectangle and style.
#pragma once

#include <windows.h>

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

}  // namespace orlith::win32
