// What the preferences dialog's logic (TConfigForm) asks of the dialog window
// on screen: the controls' texts, values, check marks and enabled states, the
// page shown, the keyboard focus, the colour chooser, the preview picture and
// closing. The Win32 dialog (src/ui/win32/config_dialog.*) implements it with
// common controls; the unit tests with a recording fake.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "settings/color_swatch.h"
#include "ui/canvas.h"
#include "ui/shortcut_text.h"
#include "ui/types.h"

namespace mensor {

// Every control of the dialog that the logic names. Labels and group boxes
// are here for their texts (a language pack replaces them).
enum class ConfigControl : int {
  // The window and its buttons.
  PageControlHotKey,
  TabSheetSys,
  TabSheetBackground,
  TabSheetCustom,
  TabSheetHotKey,
  LabelProduct,  // the large "Mensor" at the bottom left
  BitBtnOK,
  BitBtnCancel,
  // "System".
  GroupBox1,
  Label1,
  SpinEditMove,
  Label4,
  RadioGroupStaffSize,
  StaffSizeBig,      // item 0 of RadioGroupStaffSize
  StaffSizeSmall,    // item 1
  RadioGroupStaffDir,
  StaffDirRuler,     // item 0 of RadioGroupStaffDir
  StaffDirScreen,    // item 1
  GroupBoxTran,
  TrackBarTran,
  EditTranValue,
  GroupBox6,
  SpinEditSmall,
  LabelSlash,
  SpinEditLarge,
  Label14,
  SpinEditWidth,
  Label26,
  CheckBoxJumpCursor,
  LabelSnapTolerance,
  SpinEditSnapTolerance,
  // "Appearance".
  GroupBox2,
  Label3,
  BitBtnKeDuColor,
  Label6,
  BitBtnNumberColor,
  Label16,
  BitBtnCurTextColor,
  Label2,
  BitBtnBKColor,
  Label7,
  BitBtnStaffColor,
  Label24,
  BitBtnScaleColor,
  GroupBox4,
  CheckBoxShowDisplayForm,
  Label15,
  BitBtnWinNumColor,
  Label12,
  BitBtnWinBKColor,
  BitBtnDefault,
  // "Custom Unit".
  GroupBox3,
  Label8,
  SpinEditPixelPerUnit,
  Label9,
  SpinEditTicksPerUnit,
  Label10,
  SpinEditDisplayValueUnit,
  Label11,
  PanelPreview,
  ImagePreview,
  // "Hot Key".
  GroupBox5,
  Label5,
  SysHotKey,
  Label17,
  HotKeyAlwaysTop,
  Label18,
  HotKeyTrans,
  Label19,
  HotKeyCircum,
  Label20,
  HotKeyLeval,
  Label21,
  HotKeyPlumb,
  Label25,
  HotKeyShowScaleLine,
  LabelShowToolBar,
  HotKeyShowToolBar,
  Label22,
  HotKeyCalculator,
  // The four page pictures.
  ImageSys,
  ImageBackground,
  ImageCustom,
  ImageHotKey,
  Count
};

// The pages of PageControlHotKey in their order.
enum ConfigPage : int { kPageSys = 0, kPageBackground = 1, kPageCustom = 2, kPageHotKey = 3 };

class ConfigView {
 public:
  virtual ~ConfigView() = default;

  // Caption of the dialog window.
  virtual void SetTitle(const std::string& title) = 0;

  // Text of a label, group box, button, check box, radio item, tab or field.
  virtual std::string Text(ConfigControl control) const = 0;
  // Setting a field's text does not run the logic's change handlers.
  virtual void SetText(ConfigControl control, const std::string& text) = 0;

  virtual bool Checked(ConfigControl control) const = 0;
  // Only the check mark: no click handler runs.
  virtual void SetChecked(ConfigControl control, bool checked) = 0;

  // The checked item of a radio group (-1 for none).
  virtual int ItemIndex(ConfigControl group) const = 0;
  virtual void SetItemIndex(ConfigControl group, int index) = 0;

  // The slider's position; setting it runs no change handler.
  virtual int Position(ConfigControl slider) const = 0;
  virtual void SetPosition(ConfigControl slider, int position) = 0;

  // A hot-key field's shortcut value (0 when empty).
  virtual Shortcut HotKey(ConfigControl field) const = 0;
  virtual void SetHotKey(ConfigControl field, Shortcut value) = 0;
  // The words the hot-key fields show their keys in ("Strg+A", "Keine").
  virtual void SetShortcutWords(const ShortcutWords& words) = 0;

  virtual bool Enabled(ConfigControl control) const = 0;
  virtual void SetEnabled(ConfigControl control, bool enabled) = 0;

  // Size of a control in pixels as shown (a colour button's swatch follows it).
  virtual Size ControlSize(ConfigControl control) const = 0;
  // The picture a colour button shows (its transparent colour included).
  virtual void SetButtonPicture(ConfigControl button, const ColorSwatch& swatch) = 0;

  virtual int ActivePage() const = 0;
  virtual void SetActivePage(int page) = 0;
  // Gives the control the keyboard focus; false when it cannot take it (hidden
  // or disabled).
  virtual bool Focus(ConfigControl control) = 0;

  // The system colour chooser preset to a colour; the chosen colour, or
  // nothing when the user cancelled.
  virtual std::optional<Color> ChooseColor(Color initial) = 0;

  // The preview picture's size and a canvas on it; Changed shows what was drawn.
  virtual Size PreviewSize() const = 0;
  virtual Canvas& PreviewCanvas() = 0;
  virtual void PreviewChanged() = 0;

  // Shows the dialog and runs the form's FormShow, then returns when the
  // dialog has been closed (by Close, Esc or the close box).
  virtual void ShowModal() = 0;
  // Ends the dialog (it is then destroyed by whoever showed it).
  virtual void Close() = 0;
};

}  // namespace mensor
