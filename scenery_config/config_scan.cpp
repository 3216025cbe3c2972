#include "scenery_config/config_scan.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The number of one to seven digits at `at` (a byte that is no digit after them, all eight bytes
// within the block), packed so that a larger number packs larger: its digit values as the bytes
// of a word, the last digit lowest, so leading zeros are zero bytes. -1 when no such number
// stands there. One word's work, no multiplication: the numbers are compared packed.
std::int64_t PackedNumber(const char* at) {
  if constexpr (std::endian::native != std::endian::little) return -1;
  std::uint64_t w;
  std::memcpy(&w, at, sizeof w);
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  // A byte is no digit when its high half is not 3 or its low half is above 9.
  const std::uint64_t not_digit =
      ((w & 0xF0 * kOnes) ^ 0x30 * kOnes) | (((w & 0x0F * kOnes) + 0x06 * kOnes) & 0xF0 * kOnes);
  if (not_digit == 0 || (not_digit & 0xFF) != 0) return -1;
  const int digits = std::countr_zero(not_digit) / 8;
  return static_cast<std::int64_t>(__builtin_bswap64(w & 0x0F * kOnes) >> (8 * (8 - digits)));
}

std::int64_t Unpack(std::int64_t packed) {
  std::int64_t value = 0;
  for (int shift = 56; shift >= 0; shift -= 8) value = value * 10 + ((packed >> shift) & 0xFF);
  return value;
}

// The number after a key at `at`, as the character steps read it.
void ReadAreaNumber(const char* at, const char* to, ConfigScan* scan) {
  if (const std::int64_t packed = to - at >= 8 ? PackedNumber(at) : -1; packed >= 0) {
    scan->highestArea = std::max(scan->highestArea, Unpack(packed));
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

// Where the "p" of "Updates" stands in the marker line.
constexpr std::size_t kMarkerP = 20;

// The characters that may make a line matter, in either case, each with the one before it: the
// "[" of a header, the "ay" of "Layer=", the "Up" of "Title=Navigational Updates". Elsewhere
// these are rare in scenery.cfg (unlike a lone "y", as in "Scenery").
bool MayMatter(const char* c, const char* from) {
  const char lower = static_cast<char>(*c | 0x20);
  if (*c == '[') return true;
  if (c == from) return false;
  const char before = static_cast<char>(c[-1] | 0x20);
  return (lower == 'y' && before == 'a') || (lower == 'p' && before == 'u');
}

// The line of the position that MayMatter let through, read as the character steps read it.
void ScanCandidate(const char* c, const char* from, const char* to, ConfigScan* scan) {
  if (*c == '[') {
    ReadKeyLine(c, kAreaWord, kAreaKey, from, to, scan);
  } else if ((*c | 0x20) == 'y') {
    // The key starts two characters back, on a line that starts at from or later.
    if (c - from >= 2) ReadKeyLine(c - 2, kLayerWord, kLayerKey, from, to, scan);
  } else if (!scan->blockPresent && static_cast<std::size_t>(c - from) >= kMarkerP) {
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

#if defined(__SSE2__)
// Asks for the bytes 2 KiB ahead of a pass at `at`. The processor's own prefetching stops at the
// edge of each page, and the file's pages lie anywhere in memory: without this the pass waited for
// memory most of its time (a 50 MB scenery.cfg: 48 ms of processor time for a Delete, 33 ms with
// it).
inline void Prefetch(const char* at) { _mm_prefetch(at + 2048, _MM_HINT_T0); }
#endif

// Whether a line feed in [from, to) follows a byte other than CR; `before` is the byte before
// from.
bool HasBareLineFeed(const char* from, const char* to, char before) {
  if (from == to) return false;
  if (*from == '\n' && before != '\r') return true;
  const char* c = from + 1;
#if defined(__SSE2__)
  // Sixty-four bytes a step, each compared with the byte before it (SSE2, as below).
  const __m128i kLf = _mm_set1_epi8('\n'), kCr = _mm_set1_epi8('\r');
  const auto bare = [&](const char* at) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i previous = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1));
    return _mm_andnot_si128(_mm_cmpeq_epi8(previous, kCr), _mm_cmpeq_epi8(v, kLf));
  };
  __m128i found = _mm_setzero_si128();
  for (; to - c >= 64; c += 64) {
    Prefetch(c);
    found = _mm_or_si128(found, _mm_or_si128(_mm_or_si128(bare(c), bare(c + 16)),
                                             _mm_or_si128(bare(c + 32), bare(c + 48))));
  }
  if (_mm_movemask_epi8(found) != 0) return true;
#endif
  for (; c < to; ++c) {
    if (*c == '\n' && c[-1] != '\r') return true;
  }
  return false;
}

// A hit at p, at least kMarkerP bytes after from: the usual header or layer line (the key right
// after a line end, a short number) is read at once, its number kept packed in *packed; anything
// else as the character steps read it.
inline void ScanHit(const char* p, const char* from, const char* to, ConfigScan* scan,
                    std::int64_t* packed) {
  const bool header = *p == '[';
  const char* key = header ? p : p - 2;
  if ((header || (*p | 0x20) == 'y') && to - key >= 16 && IsLineEnd(key[-1])) {
    const KeyWord& word = header ? kAreaWord : kLayerWord;
    std::uint64_t w;
    std::memcpy(&w, key, sizeof w);
    if (((w | word.letters) & word.used) != word.text) return;
    if (const std::int64_t number = PackedNumber(key + kKeyLength); number >= 0) {
      *packed = std::max(*packed, number);
      return;
    }
  }
  ScanCandidate(p, from, to, scan);
}

// The lines in [from, to), which starts a line and ends after a line end, read as the character
// steps read them; only the lines that MayMatter lets through are looked at. Notes a bare line
// feed in the same pass; `before` is the byte before from.
void ScanWholeLines(const char* from, const char* to, char before, ConfigScan* scan) {
  const char* c = from;
  for (; c < to && c < from + kMarkerP; ++c) {
    if (MayMatter(c, from)) ScanCandidate(c, from, to, scan);
  }
  if (HasBareLineFeed(from, c, before)) scan->bareLineFeed = true;
#if defined(__SSE2__)
  // Thirty-two bytes a step, as two vectors of sixteen (SSE2, which every x86-64 processor has):
  // one bit a byte that MayMatter would let through, then the hits in order.
  const auto load = [](const char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  };
  const __m128i kCase = _mm_set1_epi8(0x20);
  const __m128i kBracket = _mm_set1_epi8('['), kA = _mm_set1_epi8('a'), kY = _mm_set1_epi8('y'),
                kU = _mm_set1_epi8('u'), kP = _mm_set1_epi8('p'), kLf = _mm_set1_epi8('\n'),
                kCr = _mm_set1_epi8('\r');
  __m128i bare = _mm_setzero_si128();
  std::int64_t packed = 0;
  for (; to - c >= 32; c += 32) {
    Prefetch(c);
    std::uint32_t hits = 0;
    for (int half = 0; half < 2; ++half) {
      const __m128i v = load(c + 16 * half), previous = load(c + 16 * half - 1);
      const __m128i lower = _mm_or_si128(v, kCase), previous_lower = _mm_or_si128(previous, kCase);
      bare = _mm_or_si128(bare,
                          _mm_andnot_si128(_mm_cmpeq_epi8(previous, kCr), _mm_cmpeq_epi8(v, kLf)));
      const __m128i layer =
          _mm_and_si128(_mm_cmpeq_epi8(lower, kY), _mm_cmpeq_epi8(previous_lower, kA));
      const __m128i marker =
          _mm_and_si128(_mm_cmpeq_epi8(lower, kP), _mm_cmpeq_epi8(previous_lower, kU));
      const __m128i hit = _mm_or_si128(_mm_cmpeq_epi8(v, kBracket), _mm_or_si128(layer, marker));
      hits |= static_cast<std::uint32_t>(_mm_movemask_epi8(hit)) << (16 * half);
    }
    for (; hits != 0; hits &= hits - 1) {
      ScanHit(c + std::countr_zero(hits), from, to, scan, &packed);
    }
  }
  scan->highestArea = std::max(scan->highestArea, Unpack(packed));
  if (_mm_movemask_epi8(bare) != 0) scan->bareLineFeed = true;
#endif
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
  // With the block found, no area number is needed any more: only the line ends still matter.
  if (scan->blockPresent) {
    if (HasBareLineFeed(begin, end, before)) scan->bareLineFeed = true;
    return;
  }
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

bool MarkerInTail(std::string_view tail, bool whole) {
  if (!whole) {
    const std::size_t line_end = tail.find_first_of("\r\n");
    tail.remove_prefix(line_end == std::string_view::npos ? tail.size() : line_end + 1);
  }
  ConfigScan scan;
  ScanConfigBytes(tail, &scan);
  EndConfigScan(&scan);
  return scan.blockPresent;
}

}  // namespace orlith
