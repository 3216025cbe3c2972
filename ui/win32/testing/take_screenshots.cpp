// orlith_screenshots.exe FOLDER: runs orlith.exe in FOLDER (which holds a scenery.cfg and a
// navaids.csv) and saves the title window, each dialog and the Tools windows as win-*.bmp there.
// Exits 1 when a window did not show.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/tools.h"
#include "ui/dialog_layout.h"
#include "ui/settings.h"
#include "ui/win32/import_dialog.h"
#include "ui/win32/testing/gui_driver.h"

namespace {

using orlith::testing::Click;
using orlith::testing::OrlithProcess;
using orlith::testing::TypeInto;

// Saves what the screen shows of window as a 24-bit BMP.
bool SaveWindow(HWND window, const std::string& path) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(400);
  RECT r{};
  GetWindowRect(window, &r);
  int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
  DWORD image_size = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + image_size;
  bool ok = false;
  if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
    ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
         std::fwrite(bits, image_size, 1, out) == 1;
    ok = std::fclose(out) == 0 && ok;
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

bool Shoot(HWND window, const std::string& folder, const char* name) {
  if (window == nullptr) {
    std::fprintf(stderr, "orlith_screenshots: %s did not show\n", name);
    return false;
  }
  return SaveWindow(window, folder + "\\" + name + ".bmp");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: orlith_screenshots FOLDER\n");
    return 2;
  }
  std::string folder = argv[1];
  OrlithProcess program(folder);
  bool ok = Shoot(program.MainWindow(), folder, "win-title");

  struct Shot {
    int button;
    orlith::DialogId dialog;
    const char* name;
    std::vector<std::pair<int, const char*>> texts;
  } shots[] = {
      {orlith::kNdbButton,
       orlith::DialogId::kNdb,
       "win-ndb",
       {{1013, "344.5"}, {1014, "25"}, {1002, "120"}, {1003, "ABC"}, {1004, "Alpha"}}},
      {orlith::kVorButton, orlith::DialogId::kVor, "win-vor", {{1008, "114.3"}, {1006, "1"}}},
      {orlith::kIlsButton, orlith::DialogId::kIls, "win-ils", {{1015, "110.9"}, {1020, "3.0"}}},
  };
  bool position_shot = false;
  for (const Shot& shot : shots) {
    program.Command(orlith::kCreateNavAidCommand);
    HWND position = program.WaitForWindow("Position");
    if (position == nullptr) return 1;
    TypeInto(position, 1000, "N42 34.6");
    TypeInto(position, 1001, "W12 24.5");
    Click(position, shot.button);
    Sleep(200);
    if (!position_shot) ok = Shoot(position, folder, "win-position") && ok;
    position_shot = true;
    Click(position, IDOK);
    HWND dialog = program.WaitForWindow(orlith::LayoutOf(shot.dialog).caption);
    for (const auto& [id, text] : shot.texts) TypeInto(dialog, id, text);
    ok = Shoot(dialog, folder, shot.name) && ok;
    Click(dialog, IDOK);
    HWND box = program.WaitForWindow("orlith");
    if (shot.dialog == orlith::DialogId::kIls) ok = Shoot(box, folder, "win-message") && ok;
    orlith::testing::DismissMessageBox(box);
    orlith::testing::WaitUntilGone(box);
  }
  // The import after Preview; its rows then fill the tables of NavAids in Effect.
  program.Command(orlith::kImportNavAidsCommand);
  HWND import = program.WaitForWindow(orlith::kImportCaption);
  if (import == nullptr) return 1;
  TypeInto(import, orlith::win32::kImportFileEdit, "navaids.csv");
  TypeInto(import, orlith::win32::kImportCountriesEdit, "BE");
  Click(import, orlith::win32::kImportModifyRadio);  // a switch and a scenery file for each row
  Click(import, orlith::win32::kImportPreviewButton);
  Sleep(300);
  ok = Shoot(import, folder, "win-import") && ok;
  Click(import, IDOK);
  HWND summary = program.WaitForWindow("orlith");
  orlith::testing::DismissMessageBox(summary);
  orlith::testing::WaitUntilGone(import);

  program.Command(orlith::kNavAidsInEffectCommand);
  HWND in_effect = program.WaitForWindow(orlith::kInEffectCaption);
  ok = Shoot(in_effect, folder, "win-in-effect") && ok;
  Click(in_effect, IDCANCEL);
  orlith::testing::WaitUntilGone(in_effect);

  program.Command(orlith::kSceneryFolderCommand);
  HWND scenery = program.WaitForWindow(orlith::kSceneryFolderCaption);
  ok = Shoot(scenery, folder, "win-scenery-folder") && ok;
  Click(scenery, IDCANCEL);
  orlith::testing::WaitUntilGone(scenery);

  program.Command(orlith::kExitProgramCommand);
  return ok && program.WaitForExit() == 0 ? 0 : 1;
}
