#include "ui/win32/main_window.h"

#include <cstring>
#include <utility>

#include "ui/dialog_layout.h"
#include "ui/win32/tools_commands.h"

namespace orlith::win32 {
namespace {

constexpr char kWindowClass[] = "OrlithFrame";

// An overlapped window of style 1: Windows gives it a title bar and a thin border, but no system
// menu, close box, size border, minimise or maximise box. "Exit Program" is the way out.
constexpr DWORD kWindowStyle = 1;
constexpr DWORD kWindowExStyle = WS_EX_CLIENTEDGE;

void RegisterWindowClass(WNDPROC window_proc) {
  WNDCLASSA wc{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), kWindowClass, &wc)) return;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = window_proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassA(&wc);
}

void DrawCentred(HDC dc, const char* text, TextOrigin (*origin_of)(int width)) {
  int length = static_cast<int>(std::strlen(text));
  SIZE size{};
  GetTextExtentPoint32A(dc, text, length, &size);
  TextOrigin origin = origin_of(size.cx);
  TextOutA(dc, origin.x, origin.y, text, length);
}

}  // namespace

const MainWindow::CommandEntry MainWindow::kCommandTable[] = {
    {WM_PAINT, 0, 0, 0, &MainWindow::PaintTitle},
    {WM_COMMAND, 0, kDeleteNavAidCommand, kDeleteNavAidCommand, &MainWindow::RunNavAidCommand},
    {WM_COMMAND, 0, kCreateNavAidCommand, kCreateNavAidCommand, &MainWindow::RunNavAidCommand},
    {WM_COMMAND, 0, kModifyNavAidCommand, kModifyNavAidCommand, &MainWindow::RunNavAidCommand},
    {WM_COMMAND, 0, kImportNavAidsCommand, kSceneryFolderCommand, &MainWindow::RunTool},
};

HFONT CreatePointFont(const char* face, int tenths) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  LOGFONTA font{};
  font.lfHeight = -(tenths * dpi / 720);
  font.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectA(&font);
}

HMENU CreateMainMenu() {
  HMENU menu = CreateMenu();
  for (const MenuItem& item : MainMenu()) {
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.commandId), item.text);
  }
  return menu;
}

MainWindow::MainWindow(std::function<bool(int command_id)> offer_to_app, WorkFolder folder,
                       bool scenery_given)
    : commands_(frontEnd_, std::move(folder)),
      offerToApp_(std::move(offer_to_app)),
      sceneryGiven_(scenery_given) {
  menuBar_ = CreateMainMenu();
  AppendToolsMenu(menuBar_);
  RegisterWindowClass(&MainWindow::WindowProc);
  CreateWindowExA(kWindowExStyle, kWindowClass, kWindowCaption, kWindowStyle, 0, 0, kWindowWidth,
                  kWindowHeight, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  if (hwnd_ == nullptr) return;
  SetMenu(hwnd_, menuBar_);
  titleFont_ = CreatePointFont(kTitleFontFace, kTitleFontTenths);
  textFont_ = CreatePointFont(kTextFontFace, kTextFontTenths);
  frontEnd_.SetOwner(hwnd_);
}

MainWindow::~MainWindow() {
  if (titleFont_ != nullptr) DeleteObject(titleFont_);
  if (textFont_ != nullptr) DeleteObject(textFont_);
  // The menu is destroyed with its window; one that was never installed goes here.
  if (menuBar_ != nullptr) DestroyMenu(menuBar_);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    auto* self = static_cast<MainWindow*>(create->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->menuBar_ = nullptr;  // destroyed with the window
    delete self;
    return DefWindowProcA(hwnd, message, wparam, lparam);
  }
  return self->OnMessage(message, wparam, lparam);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  UINT code = message == WM_COMMAND ? HIWORD(wparam) : 0;
  UINT id = message == WM_COMMAND ? LOWORD(wparam) : 0;
  for (const CommandEntry& entry : kCommandTable) {
    if (entry.message == message && entry.code == code && id >= entry.firstId &&
        id <= entry.lastId) {
      (this->*entry.handler)(id);
      return 0;
    }
  }
  if (message == WM_COMMAND && code == 0 && offerToApp_ && offerToApp_(static_cast<int>(id))) {
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd_, message, wparam, lparam);
}

void MainWindow::PaintTitle(UINT) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT fixed{0, 0, kWindowWidth, kWindowHeight};
  // The opaque background colour also fills the cell of every text drawn below.
  SetBkColor(dc, kTitleFillColour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &fixed, "", 0, nullptr);

  HGDIOBJ previous = SelectObject(dc, titleFont_);
  DrawCentred(dc, kTitleText, &TitleOrigin);
  SelectObject(dc, textFont_);
  DrawCentred(dc, kSubtitleText, &SubtitleOrigin);
  SelectObject(dc, previous);
  DrawCentred(dc, kCreditText, &CreditOrigin);
  EndPaint(hwnd_, &paint);
}

void MainWindow::RunNavAidCommand(UINT id) { commands_.OnCommand(static_cast<int>(id)); }

void MainWindow::RunTool(UINT id) {
  RunToolsCommand(static_cast<int>(id), hwnd_, frontEnd_, commands_, sceneryGiven_);
}

}  // namespace orlith::win32
