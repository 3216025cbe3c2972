// The menu, the title screen and the four dialog templates as data: every front end draws them
// from here. Rectangles are in dialog units (x, y, width, height); ids keep the numbers of the
// Windows resources.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/navaid_entry.h"
#include "ui/front_end.h"

namespace orlith {

inline constexpr int kStaticId = -1;  // controls without an id of their own

enum class ControlKind {
  kDefaultPushButton,
  kPushButton,
  kStatic,        // a label; starts a new control group
  kStaticNoWrap,  // a one-line label without word wrap; starts a new control group
  kEdit,          // border, tab stop, scrolls horizontally, no length limit
  kAutoRadio,     // no tab stop; the radio buttons after a label form one group
  kGroupBox,      // without text
};

struct ControlLayout {
  int id;
  ControlKind kind;
  const char* text;
  int x, y, width, height;
  std::optional<EntryField> field;  // edits: the entry text the control shows and stores
  bool tabStop;
};

struct DialogLayout {
  DialogId id;
  const char* caption;
  int width, height;
  const char* fontFace;                     // "MS Sans Serif"
  int fontPoints;                           // 8
  std::span<const ControlLayout> controls;  // template order, which is also the tab order
};

const DialogLayout& LayoutOf(DialogId id);

// The control that has the focus when the dialog opens: its first edit control in template order
// (the latitude, or the frequency), so typing starts there and Enter presses the default OK. The
// tab order from there on is the template order.
int InitialFocusId(const DialogLayout& layout);

// Menu resource 101: four top-level command items, no submenus, no mnemonics.
inline constexpr int kMenuId = 101;
inline constexpr int kDeleteNavAidCommand = 40001;
inline constexpr int kCreateNavAidCommand = 40002;
inline constexpr int kModifyNavAidCommand = 40003;
inline constexpr int kExitProgramCommand = 8;
struct MenuItem {
  const char* text;
  int commandId;
};
std::span<const MenuItem> MainMenu();

// The fifth top-level menu, after the four above: a popup of the tools beyond the original
// commands.
inline constexpr char kToolsMenuText[] = "Tools";
inline constexpr int kImportNavAidsCommand = 40101;
inline constexpr int kNavAidsInEffectCommand = 40102;
inline constexpr int kSceneryFolderCommand = 40103;
std::span<const MenuItem> ToolsMenu();

// Type buttons of the Position dialog and the type text each stores.
inline constexpr int kVorButton = 1005;
inline constexpr int kIlsButton = 1006;
inline constexpr int kNdbButton = 1007;

// The main window and its title screen.
inline constexpr char kWindowCaption[] = "Orlith";
inline constexpr int kWindowWidth = 640;
inline constexpr int kWindowHeight = 480;
inline constexpr char kTitleText[] = "Orlith Vs.3.0";
inline constexpr char kSubtitleText[] = "A program to modify NavAids";
inline constexpr char kCreditText[] = "Free software for FS2002 scenery designers";
inline constexpr char kTitleFontFace[] = "Arial Black";
inline constexpr int kTitleFontTenths = 260;
inline constexpr char kTextFontFace[] = "Arial";
inline constexpr int kTextFontTenths = 200;

// Colours as Windows COLORREF values, 0x00BBGGRR.
inline constexpr std::uint32_t kTitleFillColour = 0x00FFC000;         // 0, 192, 255
inline constexpr std::uint32_t kDialogBackgroundColour = 0x00C00000;  // 0, 0, 192
inline constexpr std::uint32_t kDialogTextColour = 0x00FFFFFF;        // white

// Where PaintTitle draws a line of the given pixel width, in the fixed 640 x 480 rectangle: centred
// on x = 320 (integer division truncating toward zero, so a width of 647 gives -3) at y = 120,
// 180 and 360 for the title, the subtitle and the credit line.
struct TextOrigin {
  int x, y;
};
TextOrigin TitleOrigin(int width);
TextOrigin SubtitleOrigin(int width);
TextOrigin CreditOrigin(int width);

}  // namespace orlith
