// Each dialog of the running program, checked through the Win32 API against the layout data:
// caption, style, every control in template (tab) order with its id, class, text, style and
// rectangle in dialog units, the default button, the focus on opening and the colours; then
// every byte the answers write must be what the portable flows write for them.
#include "ui/win32/dialog_template.h"

#include <cstdlib>
#include <map>
#include <tuple>
#include <vector>

#include "ui/dialog_layout.h"
#include "ui/win32/testing/gui_session.h"

namespace orlith::testing {
namespace {

using DialogTemplate = GuiSession;

std::string ClassOf(HWND window) {
  char name[64] = {};
  int n = GetClassNameA(window, name, sizeof name);
  return std::string(name, static_cast<std::size_t>(n > 0 ? n : 0));
}

// The window class and style bits of a control kind: type (under typeMask), bits it must have and
// bits it must not have.
struct KindStyle {
  const char* className;
  DWORD typeMask, type, required, absent;
};

// The texts typed into each parameters dialog.
// clang-format off
const std::map<int, std::string> kNdb = {{1013, "344.5"}, {1014, "25"}, {1002, "120"},
                                         {1003, "ABC"}, {1004, "Alpha NDB"}};
const std::map<int, std::string> kVor = {{1008, "114.3"}, {1009, "40"}, {1005, "-2.5"},
                                         {1010, "300"}, {1011, "VRB"}, {1006, "1"},
                                         {1012, "Bravo VOR"}};
const std::map<int, std::string> kIls = {{1015, "110.9"}, {1016, "18"}, {1017, "1.5"},
                                         {1018, "12"}, {1019, "273.4"}, {1020, "3.0"},
                                         {1023, "ICHR"}, {1025, "1"},
                                         {1021, "Charlie ILS runway 27"}};
// clang-format on

// In ControlKind order.
// clang-format off
constexpr KindStyle kKindStyles[] = {
    {"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_TABSTOP, WS_GROUP},
    {"Button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, WS_GROUP},
    {"Static", SS_TYPEMASK, SS_LEFT, WS_GROUP, WS_TABSTOP},
    {"Static", SS_TYPEMASK, SS_LEFTNOWORDWRAP, WS_GROUP, WS_TABSTOP},
    {"Edit", ES_MULTILINE, 0, WS_TABSTOP | ES_AUTOHSCROLL, ES_READONLY},
    {"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, 0, WS_TABSTOP | WS_GROUP},
    {"Button", BS_TYPEMASK, BS_GROUPBOX, 0, WS_TABSTOP}};
// clang-format on

// The same template created hidden in this process, where MapDialogRect can read its font.
class LocalDialog {
 public:
  explicit LocalDialog(DialogId id) : template_(win32::BuildDialogTemplate(LayoutOf(id))) {
    hwnd_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                       reinterpret_cast<LPCDLGTEMPLATEA>(template_.data()), nullptr,
                                       &LocalDialog::Proc, 0);
  }
  ~LocalDialog() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  }
  HWND hwnd() const { return hwnd_; }
  // Position and size are mapped apart, as the dialog manager places a control.
  RECT Map(int x, int y, int width, int height) const {
    RECT r{x, y, width, height};
    MapDialogRect(hwnd_, &r);
    return {r.left, r.top, r.left + r.right, r.top + r.bottom};
  }

 private:
  static INT_PTR CALLBACK Proc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
  std::vector<DWORD> template_;
  HWND hwnd_ = nullptr;
};

void ExpectMatchesLayout(HWND dialog, DialogId id, HWND main_window, HWND focus) {
  const DialogLayout& layout = LayoutOf(id);
  SCOPED_TRACE(layout.caption);
  EXPECT_EQ(ClassOf(dialog), "#32770");
  const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
  const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  EXPECT_EQ(style & frame, frame) << std::hex << style;
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), main_window);

  LocalDialog local(id);
  ASSERT_NE(local.hwnd(), nullptr);
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(local.hwnd(), WM_GETFONT, 0, 0)), sizeof font,
             &font);
  EXPECT_STREQ(font.lfFaceName, layout.fontFace);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(font.lfHeight, -MulDiv(layout.fontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72));
  ReleaseDC(nullptr, screen);
  RECT size = local.Map(0, 0, layout.width, layout.height), client{}, outer{}, main_rect{};
  GetClientRect(dialog, &client);
  EXPECT_TRUE(EqualRect(&client, &size));
  // Centred on the main window, to the rounding of a pixel.
  GetWindowRect(dialog, &outer);
  GetWindowRect(main_window, &main_rect);
  EXPECT_LE(std::abs((outer.left + outer.right) - (main_rect.left + main_rect.right)), 1);
  EXPECT_LE(std::abs((outer.top + outer.bottom) - (main_rect.top + main_rect.bottom)), 1);

  // A push button with the focus is drawn, and pressed by Enter, as the default.
  const bool focused_button = GetDlgCtrlID(focus) == IDOK || GetDlgCtrlID(focus) == IDCANCEL;
  HWND child = GetWindow(dialog, GW_CHILD);
  for (const ControlLayout& c : layout.controls) {
    SCOPED_TRACE(c.id);
    ASSERT_NE(child, nullptr) << "fewer controls than the layout";
    EXPECT_EQ(GetDlgCtrlID(child), c.id == kStaticId ? 0xFFFF : c.id);
    KindStyle expected = kKindStyles[static_cast<int>(c.kind)];
    if (c.kind == ControlKind::kPushButton || c.kind == ControlKind::kDefaultPushButton) {
      const bool is_default =
          focused_button ? child == focus : c.kind == ControlKind::kDefaultPushButton;
      expected.type = is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    }
    EXPECT_EQ(ClassOf(child), expected.className);
    const DWORD child_style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    EXPECT_EQ(child_style & expected.typeMask, expected.type) << std::hex << child_style;
    EXPECT_EQ(child_style & expected.required, expected.required) << std::hex << child_style;
    EXPECT_EQ(child_style & expected.absent, 0u) << std::hex << child_style;
    if (c.kind != ControlKind::kEdit) {
      EXPECT_EQ(TextOf(child), c.text);
    } else {  // the dialog draws an edit's border as a sunken edge
      EXPECT_TRUE((child_style & WS_BORDER) != 0 ||
                  (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);
    }
    RECT want = local.Map(c.x, c.y, c.width, c.height), got{};
    GetWindowRect(child, &got);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
    EXPECT_TRUE(EqualRect(&got, &want))
        << got.left << "," << got.top << "," << got.right << "," << got.bottom << " is not "
        << want.left << "," << want.top << "," << want.right << "," << want.bottom;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "more controls than the layout";

  EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
  // The focus opens in the first field, with OK as the default button.
  EXPECT_EQ(GetDlgCtrlID(focus), InitialFocusId(layout));
  // Blue ground with white labels; edit fields in the system's window colour.
  EXPECT_EQ(ScreenPixel(dialog, 2, 2), kDialogBackgroundColour);
  for (const ControlLayout& c : layout.controls) {
    if (c.kind != ControlKind::kEdit) continue;
    EXPECT_EQ(ScreenPixel(GetDlgItem(dialog, c.id), 1, 1), GetSysColor(COLOR_WINDOW)) << c.id;
    break;
  }
}

// Into the scenery folder, which the first Create makes.
TEST_F(DialogTemplate, EveryDialogMatchesTheLayoutDataAndCreatesWhatTheFlowsCreate) {
  Start(true, "Addon Scenery\\Updates\\scenery");
  for (auto [button, id, parameters] : {std::tuple{kNdbButton, DialogId::kNdb, &kNdb},
                                        std::tuple{kVorButton, DialogId::kVor, &kVor},
                                        std::tuple{kIlsButton, DialogId::kIls, &kIls}}) {
    Choose(kCreateNavAidCommand);
    HWND position = Dialog(DialogId::kPosition);
    ASSERT_NE(position, nullptr);
    if (button == kNdbButton)
      ExpectMatchesLayout(position, DialogId::kPosition, program_->MainWindow(), program_->Focus());
    Ok(DialogId::kPosition, PositionTyped("N42 34.6", "W12 24.5", button));
    HWND dialog = Dialog(id);
    ASSERT_NE(dialog, nullptr);
    ExpectMatchesLayout(dialog, id, program_->MainWindow(), program_->Focus());
    Ok(id, {*parameters, 0});
    ExpectMessage();
    ExpectSameFiles();
  }
}

}  // namespace
}  // namespace orlith::testing
