// The translatable texts of the preferences dialog and the about box: one
// table per window, rows in the order they are applied (see lang/language_pack.h for
// how a window uses its table). Targets are the windows' component and
// variable names; a property other than the caption is written after a dot
// ("SpeedButtonMagnifier.Hint", "RadioGroupStaffSize.Items[0]").
#pragma once

#include "lang/language_pack.h"

namespace mensor {

// The ruler's table, kMainFormTexts, is in app/ruler_commands.h, the tool
// bar's, kToolBarTexts, in toolbar/tool_bar_form.h: the captions of their
// menus follow from their command tables.
// The preferences dialog (TConfigForm). Rule A except "Show ToolBar".
// "Label15" and "Label12" are copy rows: they take the texts just given to
// "Label6" and "Label2". "DialogTitle" is "Mensor " followed by the pack's
// "Configure", or "Mensor Configure".
extern const TextTable kConfigFormTexts;
// The about box (TAboutForm), all rule A.
extern const TextTable kAboutFormTexts;

}  // namespace mensor
