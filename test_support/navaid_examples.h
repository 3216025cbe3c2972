// The three worked examples of a one-NavAid scenery file: the texts the user typed and every byte
// of the file they give. The NDB list ends with a zero byte; the ILS's DME code 1 is stored with
// its localizer and glide slope flags as 0xC1.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/navaid_entry.h"
#include "test_support/test_support.h"

namespace orlith::testing {

// The file the examples' position, N42 34.6, W12 24.5, gives.
inline constexpr char kExampleFile[] = "N42 34_6__W12 24_5.bgl";

// A scenery.cfg of the simulator's own areas, the highest numbered 123: the updates block that
// Orlith registers gets the number 124 (UpdatesBlock("124")).
inline constexpr char kBaseConfig[] =
    "[General]\r\nTitle=FS2002 World Scenery\r\n\r\n"
    "[Area.123]\r\nTitle=Propeller Objects\r\nLocal=Scenery\\Props\r\nLayer=123\r\n";

// The six block lines for an area number as its header shows it ("02"), each ended by CR LF.
inline std::string UpdatesBlock(const std::string& shown) {
  return "[Area." + shown + "]\r\nTitle=Navigational Updates\r\nLocal=Addon Scenery\\Updates\r\n" +
         "Active=TRUE\r\nRequired=FALSE\r\nLayer=" + std::to_string(std::stoi(shown)) + "\r\n";
}

// The example VOR's parameters, as its dialog stores them (no position or type).
inline const NavAidEntry kExampleVorParameters{"",   "",  "", "113.90", "40",  "200",
                                               "-3", "1", "", "",       "XYZ", "TEST VOR"};

struct NavAidExample {
  NavAidEntry entry;
  std::string file;  // the 176-byte header, then the section
};

// The NDB, the VOR and the ILS example, in this order.
inline std::vector<NavAidExample> NavAidExamples() {
  // The header's first bytes; the rest is zero, but for the NDB section offset of an NDB.
  auto file = [](std::string_view head, bool ndb, std::string_view section) {
    std::string bytes = HexBytes(head);
    bytes.resize(176, '\0');
    if (ndb) bytes[0x4E] = '\xB0';
    return bytes + HexBytes(section);
  };
  return {
      {{"N42 34.6", "W12 24.5", "NDB", "350", "25", "100", "", "", "", "", "ABC", "TEST NDB"},
       file("01 00 E5 96 4B 00 7B CE 44 00 83 38 99 F8 00 0B C1 F5", true,
            "15 67 22 CB 25 0A 00 00 00 00 04 50 03 00 58 19 24 22 2D F7 64 00 16 41 42 43 20 20 "
            "54 45 53 54 20 4E 44 42 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 00")},
      {{"N42 34.6", "W12 24.5", "VOR", "113.90", "40", "200", "-3", "1", "", "", "XYZ", "TEST VOR"},
       file("01 00 E5 96 4B 00 7B CE 44 00 83 38 99 F8 00 0B C1 F5 B0 00 00 00 76 00 76 00", false,
            "01 05 00 00 00 15 67 22 CB 25 0F 00 00 00 00 04 24 DE FD 01 58 19 24 22 2D F7 C8 00 "
            "00 00 58 59 5A 20 20 54 45 53 54 20 56 4F 52 20 20 20 20 20 20 20 20 20 20 20 20 20 "
            "20 20 20 00 00 00 00 00 00 00 00 00 00 00")},
      {{"S33 56.5", "E151 10.2", "ILS", "110.30", "18", "6", "12", "1", "163", "3", "ISY",
        "RWY 16R"},
       file("01 00 01 D6 C9 FF 97 0D C3 FF 5F BF EB 6C DC 91 13 6A B0 00 00 00 2E 00 2E 00", false,
            "01 05 00 00 00 15 87 E1 EC E4 0F 00 00 00 00 05 10 88 08 C1 E6 38 E3 A8 7F 6B 06 00 "
            "E9 73 49 53 59 20 20 52 57 59 20 31 36 52 20 20 20 20 20 20 20 20 20 20 20 20 20 20 "
            "20 20 20 E6 38 E3 A8 7F 6B 06 00 CB 1A 00")},
  };
}

}  // namespace orlith::testing
