// What the four dialogs do with the NavAidEntry: the texts they show when they open, and what
// their OK stores. Front ends only move texts between these and their controls.
#pragma once

#include <optional>
#include <string>

#include "core/navaid_entry.h"
#include "ui/front_end.h"

namespace orlith {

// The texts a dialog shows on opening: each edit control with the text of its field, and no
// radio button checked (the Position dialog never preselects a type, whatever the entry holds).
DialogTexts ShownTexts(DialogId id, const NavAidEntry& entry);

// Stores what OK found in the controls: each edit control's whole text into its field (a control
// missing from typed gives the empty text). For the Position dialog the checked button 1005, 1006
// or 1007 sets navAidType to "VOR", "ILS" or "NDB"; with none checked navAidType is kept. Fields
// the dialog does not show are left as they are. Nothing is trimmed or validated here.
void StoreTypedTexts(DialogId id, const DialogTexts& typed, NavAidEntry& entry);

// The parameter dialog of a type text: "NDB", "VOR", "ILS" (compared whole and case-sensitively);
// none for any other text, the empty type included.
std::optional<DialogId> ParameterDialogFor(const std::string& navAidType);

// The type button of a type text ("VOR" 1005, "ILS" 1006, "NDB" 1007), 0 for any other text.
int TypeButtonFor(const std::string& navAidType);

}  // namespace orlith
