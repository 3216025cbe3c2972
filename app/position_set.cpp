#include "app/position_set.h"

#include <string_view>

namespace orlith {
namespace {

// A text that ImportCoordinate wrote as thousandths of a minute, doubled, plus one for S and W
// (so that "S0 0.000" and "N0 0.000", two file names, stay apart).
std::uint32_t PositionKey(std::string_view text) {
  std::uint32_t degrees = 0, thousandths = 0;
  std::size_t i = 1;
  for (; i < text.size() && text[i] != ' '; ++i) degrees = degrees * 10 + (text[i] - '0');
  for (++i; i < text.size(); ++i) {
    if (text[i] != '.') thousandths = thousandths * 10 + (text[i] - '0');
  }
  const bool negative = !text.empty() && (text[0] == 'S' || text[0] == 'W');
  return (degrees * 60000 + thousandths) * 2 + (negative ? 1 : 0);
}

}  // namespace

bool PositionSet::Insert(const NavAidEntry& entry) {
  return seen_
      .insert(std::uint64_t{PositionKey(entry.latitude)} << 32 | PositionKey(entry.longitude))
      .second;
}

}  // namespace orlith
