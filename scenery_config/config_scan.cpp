#include "scenery_config/config_scan.h"

#include <algorithm>
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

}  // namespace

void ScanConfigBytes(std::string_view bytes, ConfigScan* scan) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  // The next CR and LF at or after p (end when there is none), found once and reused, so that
  // finding line ends costs one pass whatever the mix of line ends.
  const char* next_cr = nullptr;
  const char* next_lf = nullptr;
  auto find = [end](const char* from, char c) {
    const void* at = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return at == nullptr ? end : static_cast<const char*>(at);
  };
  while (p < end) {
    if (scan->line.phase == kRestOfLine) {
      if (next_cr == nullptr || next_cr < p) next_cr = find(p, '\r');
      if (next_lf == nullptr || next_lf < p) next_lf = find(p, '\n');
      p = std::min(next_cr, next_lf);
      if (p == end) return;
    }
    const char c = *p++;
    if (IsLineEnd(c)) {
      EndLine(scan);
    } else {
      Step(c, scan);
    }
  }
}

void EndConfigScan(ConfigScan* scan) { EndLine(scan); }

}  // namespace orlith
