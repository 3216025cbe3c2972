// The byte images of a scenery file that holds one NavAid: the file header and the one section
// (NDB, or VOR-shaped for every other type) that follows it. docs/scenery_file_format.md describes
// the layout field by field; the constants below are its offsets and sizes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/navaid_entry.h"

namespace orlith {

// File header: file offsets.
inline constexpr std::size_t kHeaderSize = 176;          // 0xB0; the section starts here
inline constexpr std::size_t kHeaderNorthBound = 0x02;   // 4, signed latitude units
inline constexpr std::size_t kHeaderSouthBound = 0x06;   // 4, signed latitude units
inline constexpr std::size_t kHeaderEastBound = 0x0A;    // 4, longitude units, low 32 bits
inline constexpr std::size_t kHeaderWestBound = 0x0E;    // 4, longitude units, low 32 bits
inline constexpr std::size_t kHeaderVorSection = 0x12;   // 4, 176 or 0
inline constexpr std::size_t kHeaderLowChannel = 0x16;   // 2
inline constexpr std::size_t kHeaderHighChannel = 0x18;  // 2, equal to the low channel
inline constexpr std::size_t kHeaderNdbSection = 0x4E;   // 4, 176 or 0
inline constexpr std::uint16_t kHeaderLeadingWord = 1;   // 2 bytes at offset 0

// Both sections start with a band entry: marker, south and north band bounds, record offset.
inline constexpr std::uint8_t kBandMarker = 0x15;

// VOR section (VOR, ILS and any type other than NDB): section offsets.
inline constexpr std::size_t kVorSectionSize = 70;
inline constexpr std::size_t kVorBandEntry = 5;         // the channel entry points here
inline constexpr std::size_t kVorRecord = 15;           // the band entry points here
inline constexpr std::size_t kVorRange = 16;            // 1
inline constexpr std::size_t kVorDeviation = 17;        // 2, 16-bit angle
inline constexpr std::size_t kVorDme = 19;              // 1, flags: see below
inline constexpr std::size_t kVorLatitude = 20;         // 3, 24-bit latitude
inline constexpr std::size_t kVorLongitude = 23;        // 3, 24-bit longitude
inline constexpr std::size_t kVorAltitude = 26;         // 2, signed metres
inline constexpr std::size_t kVorLocalizer = 28;        // 2, 16-bit angle; ILS only
inline constexpr std::size_t kVorId = 30;               // kIdWidth
inline constexpr std::size_t kVorName = 35;             // kNameWidth
inline constexpr std::size_t kVorGlideslopeBlock = 59;  // 11: position, altitude, sine, end byte
inline constexpr std::uint8_t kVorRecordType = 4;
inline constexpr std::uint8_t kIlsRecordType = 5;
// The byte at kVorDme is a set of flags to the simulator. A VOR stores the typed DME code as it
// is (1: DME). An ILS always carries its glide slope block, so it stores the low eight bits of the
// typed code with the localizer and glide slope flags set: typed 1 gives 0xC1.
inline constexpr std::uint8_t kFlagDme = 0x01;
inline constexpr std::uint8_t kFlagGlideslope = 0x40;
inline constexpr std::uint8_t kFlagLocalizer = 0x80;

// NDB section: section offsets. The NDB list ends with a zero byte after the record, as the VOR
// section does; files written before that byte was added have 52 section bytes.
inline constexpr std::size_t kNdbSectionSize = 53;
inline constexpr std::size_t kNdbSectionSizeWithoutEnd = 52;
inline constexpr std::size_t kNdbRecord = 10;        // the band entry points here
inline constexpr std::size_t kNdbFrequency = 11;     // 2, BCD kHz
inline constexpr std::size_t kNdbFrequencyExt = 13;  // 1, thousands digit high, 100 Hz low
inline constexpr std::size_t kNdbLatitude = 14;      // 3
inline constexpr std::size_t kNdbLongitude = 17;     // 3
inline constexpr std::size_t kNdbAltitude = 20;      // 2, signed metres
inline constexpr std::size_t kNdbRange = 22;         // 1
inline constexpr std::size_t kNdbId = 23;            // kIdWidth
inline constexpr std::size_t kNdbName = 28;          // kNameWidth
inline constexpr std::size_t kNdbListEnd = 52;       // 1, zero
inline constexpr std::uint8_t kNdbRecordType = 4;

// Text fields: the bytes as typed, padded with spaces; a longer text is cut to the width.
inline constexpr std::size_t kIdWidth = 5;
inline constexpr std::size_t kNameWidth = 24;

// The largest file that may be one of Orlith's scenery files, far more than the 229 or 246 bytes
// it writes: a larger .bgl is not read (inspect refuses it, list counts it as another file).
inline constexpr std::uint64_t kMaxSceneryFileSize = 64 * 1024;

// The 176 header bytes for a NavAid at latitude / longitude (signed degrees). Only "VOR" and
// "ILS" get the VOR section offset and the channel words, only "NDB" the NDB section offset.
std::string SceneryHeaderBytes(double latitude, double longitude, std::string_view navAidType,
                               std::string_view frequency);

// The section for the entry at latitude / longitude (its coordinate texts already parsed): 53
// bytes for the type "NDB", 70 for every other type. Numeric texts are read leniently; range and
// altitude are clamped to their fields, every other value is stored in the low bits of its field.
std::string NavAidSectionBytes(double latitude, double longitude, const NavAidEntry& entry);

}  // namespace orlith
