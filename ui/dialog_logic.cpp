#include "ui/dialog_logic.h"

#include "ui/dialog_layout.h"

namespace orlith {

DialogTexts ShownTexts(DialogId id, const NavAidEntry& entry) {
  DialogTexts shown;
  for (const ControlLayout& control : LayoutOf(id).controls) {
    if (control.field) shown.edits[control.id] = FieldOf(entry, *control.field);
  }
  return shown;
}

void StoreTypedTexts(DialogId id, const DialogTexts& typed, NavAidEntry& entry) {
  for (const ControlLayout& control : LayoutOf(id).controls) {
    if (!control.field) continue;
    auto it = typed.edits.find(control.id);
    FieldOf(entry, *control.field) = it == typed.edits.end() ? std::string() : it->second;
  }
  if (id != DialogId::kPosition) return;
  switch (typed.checkedRadio) {
    case kVorButton:
      entry.navAidType = "VOR";
      break;
    case kIlsButton:
      entry.navAidType = "ILS";
      break;
    case kNdbButton:
      entry.navAidType = "NDB";
      break;
    default:
      break;  // no button checked: the type chosen before stays
  }
}

std::optional<DialogId> ParameterDialogFor(const std::string& navAidType) {
  if (navAidType == "NDB") return DialogId::kNdb;
  if (navAidType == "VOR") return DialogId::kVor;
  if (navAidType == "ILS") return DialogId::kIls;
  return std::nullopt;
}

int TypeButtonFor(const std::string& navAidType) {
  if (navAidType == "VOR") return kVorButton;
  if (navAidType == "ILS") return kIlsButton;
  if (navAidType == "NDB") return kNdbButton;
  return 0;
}

}  // namespace orlith
