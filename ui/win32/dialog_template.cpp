#include "ui/win32/dialog_template.h"

#include <string>

namespace orlith::win32 {
namespace {

// Predefined window classes of a template item, as the ordinal that follows 0xFFFF.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

class TemplateWriter {
 public:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Short(int v) { Word(static_cast<WORD>(static_cast<short>(v))); }
  // A zero-terminated UTF-16 string, converted from the ANSI code page.
  void Text(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
    for (wchar_t c : wide) Word(static_cast<WORD>(c));
  }
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  std::vector<DWORD> Take() {
    AlignToDword();
    std::vector<DWORD> out(words_.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
      out[i] = MAKELONG(words_[2 * i], words_[2 * i + 1]);
    }
    return out;
  }

 private:
  std::vector<WORD> words_;
};

WORD ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kEdit:
      return kEditClass;
    case ControlKind::kStatic:
    case ControlKind::kStaticNoWrap:
      return kStaticClass;
    default:
      return kButtonClass;
  }
}

}  // namespace

DWORD ControlStyle(ControlKind kind, bool tab_stop) {
  DWORD style = WS_CHILD | WS_VISIBLE | (tab_stop ? WS_TABSTOP : 0);
  switch (kind) {
    case ControlKind::kDefaultPushButton:
      return style | BS_DEFPUSHBUTTON;
    case ControlKind::kPushButton:
      return style | BS_PUSHBUTTON;
    case ControlKind::kStatic:
      return style | SS_LEFT | WS_GROUP;
    case ControlKind::kStaticNoWrap:
      return style | SS_LEFTNOWORDWRAP | WS_GROUP;
    case ControlKind::kEdit:
      return style | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER;
    case ControlKind::kAutoRadio:
      return style | BS_AUTORADIOBUTTON;
    case ControlKind::kGroupBox:
      return style | BS_GROUPBOX;
  }
  return style;
}

namespace {

// DLGTEMPLATE: style, extended style, item count, x, y, width, height, no menu, the platform's
// dialog class, the caption, then (DS_SETFONT) the font's point size and face.
void WriteDialogHeader(TemplateWriter& t, std::size_t controls, int width, int height,
                       const char* caption, int font_points, const char* font_face) {
  t.Dword(kDialogStyle);
  t.Dword(0);
  t.Word(static_cast<WORD>(controls));
  t.Short(0);
  t.Short(0);
  t.Short(width);
  t.Short(height);
  t.Word(0);
  t.Word(0);
  t.Text(caption);
  t.Word(static_cast<WORD>(font_points));
  t.Text(font_face);
}

}  // namespace

std::vector<DWORD> BuildDialogTemplate(const DialogLayout& layout) {
  TemplateWriter t;
  WriteDialogHeader(t, layout.controls.size(), layout.width, layout.height, layout.caption,
                    layout.fontPoints, layout.fontFace);

  for (const ControlLayout& c : layout.controls) {
    t.AlignToDword();
    // DLGITEMTEMPLATE: style, extended style, x, y, width, height, id.
    t.Dword(ControlStyle(c.kind, c.tabStop));
    t.Dword(0);
    t.Short(c.x);
    t.Short(c.y);
    t.Short(c.width);
    t.Short(c.height);
    t.Word(static_cast<WORD>(c.id));  // kStaticId (-1) becomes 0xFFFF, the platform's "no id"
    t.Word(0xFFFF);
    t.Word(ClassOf(c.kind));
    t.Text(c.text);
    t.Word(0);  // no creation data
  }
  return t.Take();
}

std::vector<DWORD> BuildToolTemplate(const ToolLayout& layout) {
  const DialogLayout& style_of = LayoutOf(DialogId::kPosition);  // the program's dialog font
  TemplateWriter t;
  WriteDialogHeader(t, layout.controls.size(), layout.width, layout.height, layout.caption,
                    style_of.fontPoints, style_of.fontFace);
  for (const ToolControl& c : layout.controls) {
    t.AlignToDword();
    t.Dword(WS_CHILD | WS_VISIBLE | c.style);
    t.Dword(0);
    t.Short(c.x);
    t.Short(c.y);
    t.Short(c.width);
    t.Short(c.height);
    t.Word(static_cast<WORD>(c.id));
    t.Text(c.windowClass);
    t.Text(c.text);
    t.Word(0);  // no creation data
  }
  return t.Take();
}

}  // namespace orlith::win32
