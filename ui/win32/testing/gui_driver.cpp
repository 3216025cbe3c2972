#include "ui/win32/testing/gui_driver.h"

#include <vector>

namespace orlith::testing {
namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kWaitMs = 15000;

// The static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

struct Search {
  DWORD process;
  const std::string* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || !IsWindowVisible(window)) return TRUE;
  if (TextOf(window) != *search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

std::string BesideThisProgram(const std::string& name) {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  folder.erase(folder.find_last_of("\\/") + 1);
  return folder + name;
}

OrlithProcess::OrlithProcess(const std::string& folder, const std::string& arguments) {
  std::string exe = BesideThisProgram("orlith.exe");
  std::string command_line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  std::string directory = folder;
  for (char& c : directory) {
    if (c == '/') c = '\\';
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::vector<char> writable(command_line.begin(), command_line.end());
  writable.push_back('\0');
  if (!CreateProcessA(exe.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.c_str(), &startup, &process_)) {
    process_ = {};
  }
}

OrlithProcess::~OrlithProcess() {
  if (process_.hProcess == nullptr) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND OrlithProcess::MainWindow() {
  if (main_ == nullptr) main_ = WaitForWindow("Orlith");
  return main_;
}

HWND OrlithProcess::WaitForWindow(const std::string& caption, DWORD timeout_ms) {
  if (process_.hProcess == nullptr) return nullptr;
  for (DWORD waited = 0; waited < timeout_ms; waited += kPollMs) {
    Search search{process_.dwProcessId, &caption, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (WaitForSingleObject(process_.hProcess, kPollMs) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

void OrlithProcess::Command(int command_id) {
  PostMessageA(MainWindow(), WM_COMMAND, MAKEWPARAM(command_id, 0), 0);
}

HWND OrlithProcess::Focus() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return nullptr;
  return info.hwndFocus;
}

void OrlithProcess::PressKey(WORD virtual_key) {
  HWND focus = Focus();
  UINT scan = MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC);
  PostMessageA(focus, WM_KEYDOWN, virtual_key, static_cast<LPARAM>(1 | (scan << 16)));
  PostMessageA(focus, WM_KEYUP, virtual_key, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

void OrlithProcess::TypeKeys(const std::string& text) {
  HWND focus = Focus();
  for (char c : text) PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(c), 1);
}

bool OrlithProcess::WaitForFocus(HWND dialog, int control_id) {
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    if (Focus() == GetDlgItem(dialog, control_id)) return true;
    Sleep(kPollMs);
  }
  return false;
}

int OrlithProcess::WaitForExit(DWORD timeout_ms) {
  if (process_.hProcess == nullptr) return -1;
  if (WaitForSingleObject(process_.hProcess, timeout_ms) != WAIT_OBJECT_0) return -1;
  DWORD status = 0;
  GetExitCodeProcess(process_.hProcess, &status);
  return static_cast<int>(status);
}

void TypeInto(HWND dialog, int control_id, const std::string& text) {
  SendMessageA(GetDlgItem(dialog, control_id), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  LRESULT n = SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return std::string(text, static_cast<std::size_t>(n > 0 ? n : 0));
}

std::string TextOf(HWND dialog, int control_id) { return TextOf(GetDlgItem(dialog, control_id)); }

void Click(HWND dialog, int control_id) {
  PostMessageA(GetDlgItem(dialog, control_id), BM_CLICK, 0, 0);
}

bool IsChecked(HWND dialog, int control_id) {
  return SendMessageA(GetDlgItem(dialog, control_id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool WaitUntilGone(HWND window) {
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    if (!IsWindow(window)) return true;
    Sleep(kPollMs);
  }
  return false;
}

bool WaitForText(HWND dialog, int control_id, const std::string& text) {
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    if (TextOf(dialog, control_id) == text) return true;
    Sleep(kPollMs);
  }
  return false;
}

COLORREF ScreenPixel(HWND window, int client_x, int client_y) {
  POINT p{client_x, client_y};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

std::string MessageBoxText(HWND box) { return TextOf(box, kMessageBoxTextId); }

void DismissMessageBox(HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

}  // namespace orlith::testing
