// The positions an import has written so far, so that the first row at a position is kept and
// the others, which would write the same scenery file, are skipped.
#pragma once

#include <cstdint>
#include <unordered_set>

#include "core/navaid_entry.h"

namespace orlith {

class PositionSet {
 public:
  // Room for a whole navaids.csv without growing on the way.
  PositionSet() { seen_.reserve(16384); }
  // True the first time the entry's position texts are seen. Precondition: both texts are of
  // the form ImportCoordinate writes.
  bool Insert(const NavAidEntry& entry);

 private:
  // Both coordinates in thousandths of a minute with their hemisphere: 8 bytes of key a row.
  std::unordered_set<std::uint64_t> seen_;
};

}  // namespace orlith
