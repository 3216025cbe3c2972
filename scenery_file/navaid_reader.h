// Reads back a scenery file that Orlith writes: checks its structure and decodes its one NavAid
// into the values the simulator will use. Behind "orlith-cli inspect".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orlith {

struct DecodedNavAid {
  std::string navAidType;  // "NDB", "VOR", "ILS", or empty for a file written without a type
  // The position stored in the NavAid record: the raw 24-bit steps and signed degrees.
  std::int32_t latitudeSteps = 0;
  std::int32_t longitudeSteps = 0;
  double latitude = 0;
  double longitude = 0;
  // VOR and ILS (and the typeless file): the header's channel, and MHz = 108 + channel / 20.
  std::int16_t channel = 0;
  double frequencyMhz = 0;
  // NDB: the binary-coded decimal frequency: whole kHz and the 100 Hz digit (0 to 9).
  int frequencyKhz = 0;
  int frequencyHundredHz = 0;
  std::uint8_t rangeUnits = 0;  // units of 2048 m
  double rangeNm = 0;
  std::int16_t altitude = 0;  // metres
  // VOR and ILS: the magnetic deviation (a signed 16-bit angle) and the flags byte (the DME code
  // of a VOR; an ILS adds the localizer and glide slope flags, see navaid_format.h).
  std::int16_t deviationAngle = 0;
  double magneticDeviation = 0;  // degrees
  std::uint8_t flags = 0;
  // ILS: the localizer heading (16-bit angle) and the glide slope sine (x 2^17).
  std::uint16_t localizerAngle = 0;
  double localizerHeading = 0;  // degrees
  std::int16_t glideslopeSine = 0;
  double glideslopeAngle = 0;  // degrees
  std::string id;              // without the padding spaces
  std::string name;            // without the padding spaces
};

// Decodes bytes, the whole content of a scenery file. True when it is a file of the shape Orlith
// writes (header, one NDB or VOR-shaped section, nothing after it) whose parts agree with each
// other; otherwise false with a one-line reason in *error (an offset where a byte is wrong).
// NDB files are read with and without the zero byte that ends the NDB list (229 and 228 bytes).
bool DecodeNavAidFile(std::string_view bytes, DecodedNavAid* navaid, std::string* error);

}  // namespace orlith
