// What the area registration needs to know of scenery.cfg, gathered from its bytes as they are
// read, block by block: whether Orlith's updates area block is there, and the highest area number
// and layer in use. For this scan a line ends at a line feed or at a CR, so files with any of the
// three line end conventions are scanned alike (a CR LF just gives an empty line between).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orlith {

struct ConfigScan {
  // Some line, without its line end and trailing blanks (spaces, tabs), is
  // "Title=Navigational Updates" in any letter case.
  bool blockPresent = false;
  // The highest number found in an area header ("[Area.123]") or a "Layer=" line, both in any
  // letter case and after any leading blanks, the number read by the lenient integer rule; 0 when
  // there is none. Saturates at kHighestAreaLimit. Only the registration of a missing block needs
  // it, so it is gathered only while blockPresent is false: the blocks scanned after the marker
  // line (or all of them, when blockPresent is set before the scan) add nothing to it.
  std::int64_t highestArea = 0;
  // Some line feed follows a byte other than CR (or starts the file): the file is not in CR LF
  // form throughout.
  bool bareLineFeed = false;
  // The last byte scanned; a line feed before the first.
  char lastByte = '\n';

  // The line the scan is in: lines cross the edges of the blocks it is given.
  struct Line {
    std::uint8_t phase = 0;
    std::uint8_t matched = 0;  // characters of the key or title matched so far
    std::int64_t value = 0;
  } line;
};

// The highest area number the scan reports, so that one more still fits an int.
inline constexpr std::int64_t kHighestAreaLimit = 2147483646;

// Scans the next bytes of the file. Memory does not grow with the file or its lines.
void ScanConfigBytes(std::string_view bytes, ConfigScan* scan);
// Ends the scan at the end of the file, which also ends its last line.
void EndConfigScan(ConfigScan* scan);

// How much of the end of scenery.cfg is looked at for the marker line before the pass: Orlith
// appends its block at the end, and mostly exclusion switches follow it (some 3,000 fit).
inline constexpr std::size_t kConfigTailLook = 256 * 1024;

// Whether a line of tail, the last bytes of the file, is the marker line of blockPresent. With
// whole, tail is all of the file; otherwise its first line may be the end of a longer one and is
// not looked at.
bool MarkerInTail(std::string_view tail, bool whole);

}  // namespace orlith
