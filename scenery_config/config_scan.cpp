#include "scenery_config/config_scan.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace orlith {
namespace {

// The marker line and the two keys, in lower case; the file's letters are compared lowered.
constexpr char kMarker[] = "title=navigational updates";
constexpr std::size_t kMarkerLength = sizeof kMarker - 1;
constexpr char kAreaKey[] = "[area.";
constexpr char kLayerKey[] = "layer=";
constexpr std::size_t kKeyLength = 6;

enum Phase : std::uint8_t {
  kLineStart,   // nothing read yet
  kLeadBlanks,  // blanks only
  kMarkerText,  // a prefix of the marker (all of it when matched == kMarkerLength, then blanks)
  kAreaKeyText,
  kLayerKeyText,
  kValueSpace,  // after a key: white space before the number
  kDigits,
  kRestOfLine,  // nothing more on this line matters
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void EndLine(ConfigScan* scan) {
  ConfigScan::Line& line = scan->line;
  if (line.phase == kMarkerText && line.matched == kMarkerLength) scan->blockPresent = true;
  line = ConfigScan::Line();
}

// One character of a line (not a line end); keeps the highest number up to date digit by digit.
void Step(char c, ConfigScan* scan) {
  ConfigScan::Line& line = scan->line;
  const char lower = Lower(c);
  switch (line.phase) {
    case kLineStart:
      if (lower == kMarker[0]) {
        line.phase = kMarkerText;
        line.matched = 1;
        return;
      }
      [[fallthrough]];
    case kLeadBlanks:
      line.phase = IsBlank(c)              ? kLeadBlanks
                   : lower == kAreaKey[0]  ? kAreaKeyText
                   : lower == kLayerKey[0] ? kLayerKeyText
                                           : kRestOfLine;
      line.matched = 1;
      return;
    case kMarkerText:
      if (line.matched < kMarkerLength && lower == kMarker[line.matched]) {
        ++line.matched;
      } else if (line.matched < kMarkerLength || !IsBlank(c)) {
        line.phase = kRestOfLine;
      }
      return;
    case kAreaKeyText:
    case kLayerKeyText: {
      const char* key = line.phase == kAreaKeyText ? kAreaKey : kLayerKey;
      if (lower != key[line.matched]) {
        line.phase = kRestOfLine;
      } else if (++line.matched == kKeyLength) {
        line.phase = kValueSpace;
      }
      return;
    }
    case kValueSpace:
      // A negative number never raises the highest one.
      if (c == ' ' || c == '\t' || c == '\v' || c == '\f') return;
      line.phase = c == '+' || (c >= '0' && c <= '9') ? kDigits : kRestOfLine;
      if (c != '+') Step(c, scan);
      return;
    case kDigits:
      if (c < '0' || c > '9') {
        line.phase = kRestOfLine;
        return;
      }
      line.value = std::min(line.value * 10 + (c - '0'), kHighestAreaLimit);
      scan->highestArea = std::max(scan->highestArea, line.value);
      return;
    default:
      return;
  }
}

// The slow way, character by character, for the lines that cross the edges of a block: bytes
// [p, end) of a block, from wherever the scan stands in its line. With stop_at_line_end it returns
// after the first line end; returns where it stopped.
const char* ScanSlowly(const char* p, const char* end, bool stop_at_line_end, ConfigScan* scan) {
  while (p < end) {
    if (scan->line.phase == kRestOfLine) {
      while (p < end && !IsLineEnd(*p)) ++p;
      if (p == end) return p;
    }
    const char c = *p++;
    if (IsLineEnd(c)) {
      EndLine(scan);
      if (stop_at_line_end) return p;
    } else {
      Step(c, scan);
    }
  }
  return p;
}

bool IsLineStart(const char* at, const char* from) { return at == from || IsLineEnd(at[-1]); }

// Whether [at, to) starts with text (lower case) in any letter case.
bool StartsWithLowered(const char* at, const char* to, std::string_view text) {
  if (static_cast<std::size_t>(to - at) < text.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (Lower(at[i]) != text[i]) return false;
  }
  return true;
}

// The digits at `at` as a number, when one to seven digits stand there within `to`, all read as
// one word (the usual header or layer); else -1.
std::int64_t ShortNumber(const char* at, const char* to) {
  if constexpr (std::endian::native != std::endian::little) return -1;
  if (to - at < 8) return -1;
  std::uint64_t w;
  std::memcpy(&w, at, sizeof w);
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  // A byte is no digit when its high half is not 3 or its low half is above 9.
  const std::uint64_t not_digit =
      ((w & 0xF0 * kOnes) ^ 0x30 * kOnes) | (((w & 0x0F * kOnes) + 0x06 * kOnes) & 0xF0 * kOnes);
  if (not_digit == 0 || (not_digit & 0xFF) != 0) return -1;
  const int digits = std::countr_zero(not_digit) / 8;
  // The digits moved to the top, zeros before them; then pairs, fours and eights of digits join.
  std::uint64_t v = ((w & 0x0F * kOnes) << (8 * (8 - digits)));
  v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FF;
  v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFF;
  v = (v * 10000 + (v >> 32)) & 0xFFFFFFFF;
  return static_cast<std::int64_t>(v);
}

// The number after a key at `at`, as the character steps read it.
void ReadAreaNumber(const char* at, const char* to, ConfigScan* scan) {
  if (const std::int64_t value = ShortNumber(at, to); value >= 0) {
    scan->highestArea = std::max(scan->highestArea, value);
    return;
  }
  while (at < to && (*at == ' ' || *at == '\t' || *at == '\v' || *at == '\f')) ++at;
  if (at < to && *at == '+') ++at;
  std::int64_t value = 0;
  for (; at < to && *at >= '0' && *at <= '9'; ++at) {
    value = std::min(value * 10 + (*at - '0'), kHighestAreaLimit);
  }
  scan->highestArea = std::max(scan->highestArea, value);
}

// A key of six characters as one word, loaded as the file's bytes are, so that a word compare
// needs no byte order: the key's bytes, the case bit of its letters, and which bytes count.
struct KeyWord {
  std::uint64_t text, letters, used;
};
std::uint64_t Word(const char (&bytes)[9]) {
  std::uint64_t w;
  std::memcpy(&w, bytes, sizeof w);
  return w;
}
const KeyWord kAreaWord = {Word("[area.\0\0"), Word("\0    \0\0\0"),
                           Word("\xFF\xFF\xFF\xFF\xFF\xFF\0\0")};
const KeyWord kLayerWord = {Word("layer=\0\0"), Word("     \0\0\0"),
                            Word("\xFF\xFF\xFF\xFF\xFF\xFF\0\0")};

// A key ("[area." or "layer=") found at `key`: when only blanks stand before it on its line,
// its number counts. A letter's byte with its case bit set equals the lower case letter only
// when it is that letter in either case.
void ReadKeyLine(const char* key, const KeyWord& word, std::string_view name, const char* from,
                 const char* to, ConfigScan* scan) {
  if (to - key >= 8) {
    std::uint64_t w;
    std::memcpy(&w, key, sizeof w);
    if (((w | word.letters) & word.used) != word.text) return;
  } else if (!StartsWithLowered(key, to, name)) {
    return;
  }
  const char* line = key;
  while (line > from && IsBlank(line[-1])) --line;
  if (IsLineStart(line, from)) ReadAreaNumber(key + kKeyLength, to, scan);
}

// The characters that may make a line matter, in either case: the "[" of a header, the "y" of
// "Layer=" after "la", the "p" of "Title=Navigational Updates" (character 21) after "t" at
// character 1 and "n" at character 7. Elsewhere they are rare. The lookbacks stay in the lines
// that start at from; a lookback that crosses a line end only lets more positions through.
constexpr std::size_t kMarkerP = 20;
bool MayMatter(const char* c, const char* from) {
  const std::size_t back = static_cast<std::size_t>(c - from);
  const char lower = static_cast<char>(*c | 0x20);
  return *c == '[' || (lower == 'y' && back >= 2 && (c[-2] | 0x20) == 'l') ||
         (lower == 'p' && back >= kMarkerP && (c[-20] | 0x20) == 't' && (c[-14] | 0x20) == 'n');
}

// The line of the position that MayMatter let through, read as the character steps read it.
void ScanCandidate(const char* c, const char* from, const char* to, ConfigScan* scan) {
  if (*c == '[') {
    ReadKeyLine(c, kAreaWord, kAreaKey, from, to, scan);
  } else if ((*c | 0x20) == 'y') {
    ReadKeyLine(c - 2, kLayerWord, kLayerKey, from, to, scan);
  } else if (!scan->blockPresent) {
    const char* line = c - kMarkerP;
    if (!IsLineStart(line, from) ||
        !StartsWithLowered(line, to, std::string_view(kMarker, kMarkerLength))) {
      return;
    }
    const char* rest = line + kMarkerLength;
    while (IsBlank(*rest)) ++rest;  // stops at the line end before `to` at the latest
    if (IsLineEnd(*rest)) scan->blockPresent = true;
  }
}

// Whether a line feed in [from, to) follows a byte other than CR; `before` is the byte before
// from.
bool HasBareLineFeed(const char* from, const char* to, char before) {
  for (const char* c = from; c < to; before = *c++) {
    if (*c == '\n' && before != '\r') return true;
  }
  return false;
}

// Thirty-two bytes at a time, in the vector registers of the machine (the compiler's generic
// vector type, so no instruction set is named here: where the registers are narrower, the
// compiler splits each operation).
constexpr std::size_t kLanes = 32;
using Lanes = unsigned char __attribute__((vector_size(kLanes)));
// The bytes at `at`, lowered where lower: a letter's byte with its case bit set (passed by
// pointer, so the vector's calling convention never depends on the instruction set).
void Load(const char* at, bool lower, Lanes* v) {
  std::memcpy(v, at, sizeof *v);
  if (lower) *v |= 0x20;
}

// The same bytes as words of 64 bits.
using Words = std::uint64_t __attribute__((vector_size(kLanes)));
bool Any(const Words& words) {
  Words folded = words;
  for (std::size_t half = kLanes / 16; half >= 1; half /= 2) {
    for (std::size_t i = 0; i < half; ++i) folded[i] |= folded[i + half];
  }
  return folded[0] != 0;
}

// The lanes of all ones in words as bits, lane i as bit i: each word's bytes weighted 1 to 128,
// then summed into its top byte by one multiplication.
std::uint32_t LaneBits(const Words& words) {
  std::uint32_t bits = 0;
  for (std::size_t word = 0; word < kLanes / 8; ++word) {
    std::uint64_t w = words[word];
    if constexpr (std::endian::native == std::endian::big) w = __builtin_bswap64(w);
    bits |= static_cast<std::uint32_t>(((w & 0x8040201008040201) * 0x0101010101010101) >> 56)
            << (8 * word);
  }
  return bits;
}

// Where the machine's wider vector instructions may be present, the loop is built for them too,
// and the one the processor has is chosen when the program starts.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define ORLITH_WIDER_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define ORLITH_WIDER_VECTORS
#endif

// The lines in [from, to), which starts a line and ends after a line end, read as the character
// steps read them; only the lines that MayMatter lets through are looked at. Notes a bare line
// feed in the same pass; `before` is the byte before from.
ORLITH_WIDER_VECTORS
void ScanWholeLines(const char* from, const char* to, char before, ConfigScan* scan) {
  const char* c = from;
  for (; c < to && c < from + kMarkerP; ++c) {
    if (MayMatter(c, from)) ScanCandidate(c, from, to, scan);
  }
  if (HasBareLineFeed(from, c, before)) scan->bareLineFeed = true;
  Lanes bare{};
  for (; static_cast<std::size_t>(to - c) >= kLanes; c += kLanes) {
    Lanes v, previous, l_at, t_at, n_at;
    Load(c, false, &v);
    Load(c - 1, false, &previous);
    Load(c - 2, true, &l_at);
    Load(c - 20, true, &t_at);
    Load(c - 14, true, &n_at);
    const Lanes lower = v | 0x20;
    bare |= (v == '\n') & (previous != '\r');
    const auto hit = (v == '[') | ((lower == 'y') & (l_at == 'l')) |
                     ((lower == 'p') & (t_at == 't') & (n_at == 'n'));
    Words words;
    std::memcpy(&words, &hit, sizeof words);
    if (!Any(words)) continue;
    // One bit a lane that hit, the first byte in memory lowest, then the hits in order.
    for (std::uint32_t lanes = LaneBits(words); lanes != 0; lanes &= lanes - 1) {
      ScanCandidate(c + std::countr_zero(lanes), from, to, scan);
    }
  }
  Words bare_words;
  std::memcpy(&bare_words, &bare, sizeof bare_words);
  if (Any(bare_words)) scan->bareLineFeed = true;
  if (c < to && HasBareLineFeed(c, to, c[-1])) scan->bareLineFeed = true;
  for (; c < to; ++c) {
    if (MayMatter(c, from)) ScanCandidate(c, from, to, scan);
  }
}

}  // namespace

void ScanConfigBytes(std::string_view bytes, ConfigScan* scan) {
  if (bytes.empty()) return;
  const char* const begin = bytes.data();
  const char* const end = begin + bytes.size();
  const char before = scan->lastByte;
  scan->lastByte = end[-1];
  const char* p = begin;
  // The line carried from the block before ends first.
  if (scan->line.phase != kLineStart) p = ScanSlowly(p, end, /*stop_at_line_end=*/true, scan);
  if (HasBareLineFeed(begin, p, before)) scan->bareLineFeed = true;
  // The lines that end in this block, then the start of one that goes on in the next.
  const char* whole_end = end;
  while (whole_end > p && !IsLineEnd(whole_end[-1])) --whole_end;
  if (whole_end > p) ScanWholeLines(p, whole_end, p > begin ? p[-1] : before, scan);
  if (whole_end < end &&
      HasBareLineFeed(whole_end, end, whole_end > begin ? whole_end[-1] : before)) {
    scan->bareLineFeed = true;
  }
  ScanSlowly(whole_end, end, /*stop_at_line_end=*/false, scan);
}

void EndConfigScan(ConfigScan* scan) { EndLine(scan); }

}  // namespace orlith
