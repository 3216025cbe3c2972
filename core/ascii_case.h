// Letter case of single-byte text, byte by byte and whatever the locale: only a to z change.
#pragma once

#include <string>
#include <string_view>

namespace orlith {

inline char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

}  // namespace orlith
