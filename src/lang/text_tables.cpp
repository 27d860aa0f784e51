// The tables of translatable texts of the preferences dialog and the about
// box (the ruler's and the tool bar's follow from their command tables).
#include "lang/text_tables.h"

namespace mensor {
namespace {

// A row whose English text is its key.
constexpr TextRow Row(std::string_view key, std::string_view target, Rule rule = Rule::A) {
  return TextRow{key, target, rule, key};
}

constexpr TextRow kConfigFormRows[] = {
    Row("System", "TabSheetSys"),
    Row("Moving by keyboard", "GroupBox1"),
    Row("Use arrow keys to move", "Label1"),
    Row("Pixels", "Label4"),
    Row("Cross Hair Size", "RadioGroupStaffSize"),
    Row("Big", "RadioGroupStaffSize.Items[0]"),
    Row("Small", "RadioGroupStaffSize.Items[1]"),
    Row("Cross Hair Direction", "RadioGroupStaffDir"),
    Row("Vertical with Ruler", "RadioGroupStaffDir.Items[0]"),
    Row("Vertical with Screen", "RadioGroupStaffDir.Items[1]"),
    Row("Transparency Setting", "GroupBoxTran"),
    Row("Jump to cursor when show", "CheckBoxJumpCursor"),
    Row("Edge tolerance", "LabelSnapTolerance"),
    Row("Scale", "GroupBox6"),
    Row("Ruler's width", "Label14"),
    // Keys compare without regard to case: "pixels" is the entry "Pixels".
    Row("pixels", "Label26"),
    Row("Appearance", "TabSheetBackground"),
    TextRow{"Mensor Color", "GroupBox2", Rule::A, "  Mensor Color  "},
    Row("Scale Color", "Label3"),
    Row("Background Color", "Label2"),
    Row("Value Color", "Label6"),
    Row("Cross Hair Color", "Label7"),
    Row("Current Station Color", "Label16"),
    Row("Scale Line Color", "Label24"),
    Row("Show Display Form", "CheckBoxShowDisplayForm"),
    TextRow{"", "Label15", Rule::A, "Value Color", "", "Label6"},
    TextRow{"", "Label12", Rule::A, "Background Color", "", "Label2"},
    Row("Default", "BitBtnDefault"),
    Row("Custom Unit", "TabSheetCustom"),
    Row("Custom Unit Rule", "GroupBox3"),
    Row("Unit Size(Pixels Per Unit)", "Label8"),
    Row("Ticks per Unit", "Label9"),
    Row("Display Unit Value Every(Unit)", "Label10"),
    Row("Preview", "Label11"),
    Row("Hot Key", "TabSheetHotKey"),
    Row("Set Hot Key", "GroupBox5"),
    Row("Hide/Show", "Label5"),
    Row("Always On Top", "Label17"),
    Row("Transparent", "Label18"),
    Row("Rotate", "Label19"),
    Row("Horizontal", "Label20"),
    Row("Vertical", "Label21"),
    Row("Show Scale Line", "Label25"),
    Row("Show ToolBar", "LabelShowToolBar", Rule::B),
    Row("Calculator", "Label22"),
    Row("&OK", "BitBtnOK"),
    Row("&Cancel", "BitBtnCancel"),
    TextRow{"Configure", "DialogTitle", Rule::A, "Mensor Configure", "Mensor "},
    Row("Fail to register hot key", "RegisterHotKeyErrorText"),
    Row("Ruler's width will apply next time you use it", "WidthNextTimeText"),
    Row("Can not set F1 hot key for the function.", "F1HotKeyText"),
    Row("Can not set the same hot key", "SameHotKeyText"),
};

constexpr TextRow kAboutFormRows[] = {
    TextRow{"Contact", "GroupBox1", Rule::A, " Contact "},
    Row("Welcome to visit our web site", "Label5"),
    Row("Email for Support", "Label7"),
    Row("E&xit", "BitBtnClose"),
};

}  // namespace

const TextTable kConfigFormTexts{kConfigFormRows};
const TextTable kAboutFormTexts{kAboutFormRows};

}  // namespace mensor
