#include "ui/dialog_layout.h"

#include <array>

namespace orlith {
namespace {

using K = ControlKind;
using F = EntryField;

constexpr ControlLayout kPositionControls[] = {
    {1, K::kDefaultPushButton, "OK", 124, 165, 50, 14, {}, true},
    {2, K::kPushButton, "Abbrechen", 192, 165, 55, 14, {}, true},
    {kStaticId,
     K::kStatic,
     "Enter position at which you want to modify FS2002 ",
     42,
     24,
     164,
     10,
     {},
     false},
    {kStaticId, K::kStatic, "Latitude (example: N42 34.6) :", 43, 50, 100, 11, {}, false},
    {kStaticId, K::kStatic, "Longitude (example: W12 24.5) :", 43, 65, 108, 11, {}, false},
    {kStaticId,
     K::kStaticNoWrap,
     "Orlith now creates the file \"orlith_at_latitude_longitude.bgl\" in the current directory",
     43,
     112,
     282,
     11,
     {},
     false},
    {1000, K::kEdit, "", 160, 48, 44, 12, F::kLatitude, true},
    {1001, K::kEdit, "", 160, 64, 44, 12, F::kLongitude, true},
    {kStaticId,
     K::kStatic,
     "Orlith also modifies the file \"scenery.cfg\" in the current directory and creates a copy "
     "by name \"scenery.org\". If the file \"scenery.cfg\" does not exist, the program exits.",
     44,
     132,
     276,
     21,
     {},
     false},
    {kStaticId, K::kStatic, "Check type of NavAid :", 43, 88, 84, 15, {}, false},
    {kVorButton, K::kAutoRadio, "VOR", 161, 88, 31, 9, {}, false},
    {kIlsButton, K::kAutoRadio, "ILS", 216, 88, 31, 9, {}, false},
    {kNdbButton, K::kAutoRadio, "NDB", 267, 88, 31, 9, {}, false},
};

constexpr ControlLayout kNdbControls[] = {
    {2, K::kPushButton, "Abbrechen", 195, 149, 50, 14, {}, true},
    {kStaticId, K::kGroupBox, "", 40, 15, 293, 122, {}, false},
    {1, K::kDefaultPushButton, "OK", 134, 149, 49, 14, {}, true},
    {kStaticId, K::kStatic, "Frequency of NDB (kHz) :", 78, 35, 93, 10, {}, false},
    {kStaticId, K::kStatic, "Range of NDB (nm) :", 78, 52, 69, 8, {}, false},
    {kStaticId, K::kStatic, "Altitude of NDB (m) :", 78, 71, 66, 8, {}, false},
    {kStaticId, K::kStatic, "ID of NDB (3 chars) :", 78, 90, 74, 10, {}, false},
    {kStaticId, K::kStatic, "Name of NDB (24 chars) :", 77, 107, 93, 8, {}, false},
    {1013, K::kEdit, "", 206, 34, 40, 10, F::kFrequency, true},
    {1014, K::kEdit, "", 206, 51, 40, 10, F::kRange, true},
    {1002, K::kEdit, "", 206, 69, 40, 10, F::kAltitude, true},
    {1003, K::kEdit, "", 206, 89, 40, 10, F::kId, true},
    {1004, K::kEdit, "", 206, 105, 99, 12, F::kName, true},
};

constexpr ControlLayout kVorControls[] = {
    {1, K::kDefaultPushButton, "OK", 125, 153, 50, 14, {}, true},
    {2, K::kPushButton, "Abbrechen", 191, 153, 50, 14, {}, true},
    {kStaticId, K::kGroupBox, "", 40, 15, 293, 119, {}, false},
    {kStaticId, K::kStatic, "Frequency of VOR (MHz) :", 51, 35, 93, 10, {}, false},
    {kStaticId, K::kStatic, "Range of VOR (nm) :", 203, 35, 69, 8, {}, false},
    {kStaticId, K::kStatic, "Magnetic Deviation (deg) :", 51, 57, 88, 10, {}, false},
    {kStaticId, K::kStatic, "Altitude of VOR (m) :", 204, 58, 66, 8, {}, false},
    {kStaticId, K::kStatic, "ID of VOR (3 chars) :", 52, 80, 74, 10, {}, false},
    {kStaticId, K::kStatic, "DME (0 / 1) :", 205, 80, 57, 11, {}, false},
    {kStaticId, K::kStatic, "Name of VOR (24 chars) :", 77, 104, 93, 8, {}, false},
    {1008, K::kEdit, "", 147, 34, 40, 12, F::kFrequency, true},
    {1009, K::kEdit, "", 275, 34, 40, 12, F::kRange, true},
    {1005, K::kEdit, "", 147, 56, 40, 12, F::kMagneticDeviation, true},
    {1010, K::kEdit, "", 276, 56, 40, 12, F::kAltitude, true},
    {1011, K::kEdit, "", 147, 79, 40, 12, F::kId, true},
    {1006, K::kEdit, "", 276, 78, 24, 12, F::kDme, true},
    {1012, K::kEdit, "", 206, 102, 99, 12, F::kName, true},
};

constexpr ControlLayout kIlsControls[] = {
    {1, K::kDefaultPushButton, "OK", 118, 151, 50, 14, {}, true},
    {2, K::kPushButton, "Abbrechen", 191, 151, 50, 14, {}, true},
    {kStaticId, K::kGroupBox, "", 43, 6, 293, 139, {}, false},
    {kStaticId, K::kStatic, "Frequency of ILS (MHz) :", 51, 27, 93, 10, {}, false},
    {kStaticId, K::kStatic, "Range of ILS (nm) :", 203, 27, 69, 8, {}, false},
    {kStaticId, K::kStatic, "Magnetic Deviation (deg) :", 51, 49, 88, 10, {}, false},
    {kStaticId, K::kStatic, "Altitude of ILS (m) :", 204, 50, 66, 8, {}, false},
    {kStaticId, K::kStatic, "Localizer direction (deg) :", 52, 72, 84, 10, {}, false},
    {kStaticId, K::kStatic, "Glideslope angle (deg) :", 204, 71, 84, 10, {}, false},
    {kStaticId, K::kStatic, "ID of ILS (3 chars) :", 52, 94, 74, 10, {}, false},
    {kStaticId, K::kStatic, "DME- Code :", 204, 95, 57, 11, {}, false},
    {kStaticId, K::kStatic, "Name of ILS (24 chars) :", 77, 116, 93, 8, {}, false},
    {1015, K::kEdit, "", 147, 26, 40, 12, F::kFrequency, true},
    {1016, K::kEdit, "", 275, 26, 40, 12, F::kRange, true},
    {1017, K::kEdit, "", 147, 48, 40, 12, F::kMagneticDeviation, true},
    {1018, K::kEdit, "", 276, 48, 40, 12, F::kAltitude, true},
    {1019, K::kEdit, "", 147, 71, 40, 12, F::kLocalizerDirection, true},
    {1020, K::kEdit, "", 291, 70, 24, 12, F::kGlideslopeAngle, true},
    {1023, K::kEdit, "", 147, 93, 40, 12, F::kId, true},
    {1025, K::kEdit, "", 291, 93, 24, 12, F::kDme, true},
    {1021, K::kEdit, "", 206, 115, 99, 12, F::kName, true},
};

constexpr DialogLayout kPositionLayout = {
    DialogId::kPosition, "Position", 365, 212, "MS Sans Serif", 8, kPositionControls};
constexpr DialogLayout kNdbLayout = {
    DialogId::kNdb, "NavAid Parameters: NDB", 367, 178, "MS Sans Serif", 8, kNdbControls};
constexpr DialogLayout kVorLayout = {
    DialogId::kVor, "NavAid Parameters: VOR", 367, 178, "MS Sans Serif", 8, kVorControls};
constexpr DialogLayout kIlsLayout = {
    DialogId::kIls, "NavAid Parameters: ILS", 367, 178, "MS Sans Serif", 8, kIlsControls};

constexpr MenuItem kMainMenu[] = {
    {"Delete NavAid", kDeleteNavAidCommand},
    {"Create NavAid", kCreateNavAidCommand},
    {"Modify NavAid", kModifyNavAidCommand},
    {"Exit Program", kExitProgramCommand},
};

constexpr MenuItem kToolsMenu[] = {
    {"Import Real-World NavAids...", kImportNavAidsCommand},
    {"NavAids in Effect...", kNavAidsInEffectCommand},
    {"Scenery Folder...", kSceneryFolderCommand},
};

TextOrigin CentredAt(int width, int y) { return {(kWindowWidth - 0 - width) / 2, y}; }

}  // namespace

const DialogLayout& LayoutOf(DialogId id) {
  switch (id) {
    case DialogId::kPosition:
      return kPositionLayout;
    case DialogId::kNdb:
      return kNdbLayout;
    case DialogId::kVor:
      return kVorLayout;
    case DialogId::kIls:
      return kIlsLayout;
  }
  return kPositionLayout;  // unreachable: every template is listed above
}

std::span<const MenuItem> MainMenu() { return kMainMenu; }
std::span<const MenuItem> ToolsMenu() { return kToolsMenu; }

TextOrigin TitleOrigin(int width) { return CentredAt(width, (kWindowHeight - 0) / 4); }
TextOrigin SubtitleOrigin(int width) { return CentredAt(width, (kWindowHeight - 0) * 3 / 8); }
TextOrigin CreditOrigin(int width) { return CentredAt(width, (kWindowHeight - 0) * 3 / 4); }

int InitialFocusId(const DialogLayout& layout) {
  for (const ControlLayout& control : layout.controls) {
    if (control.kind == ControlKind::kEdit) return control.id;
  }
  return 1;  // a dialog without edits: OK
}

}  // namespace orlith
