// Letter case of single-byte text, byte by byte and whatever the locale: only a to z change.
#pragma once

#include <cstddef>
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

// text equals upper (already upper case) when text is upper-cased; nothing is copied.
inline bool EqualsAsciiUpper(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (AsciiUpper(text[i]) != upper[i]) return false;
  }
  return true;
}

}  // namespace orlith
