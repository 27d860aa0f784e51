// TConfigForm: the preferences dialog's logic. It fills the controls from
// AppSettings when shown, runs the controls' handlers (colour buttons, Default,
// the read-out switch, the slider and its percentage field, the number
// fields, the custom-unit preview) and, on OK, checks the hot keys and stores
// every setting, applying it to the running ruler. Cancel, Esc and the close
// box store nothing. The dialog on screen is a ConfigView; the ruler menu's
// "&Preferences..." creates both anew for each opening (TMainForm).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "prefs/config_view.h"
#include "settings/app_settings.h"
#include "ui/canvas.h"
#include "ui/platform.h"
#include "ui/types.h"

namespace mensor {

class RulerLink;
struct WindowTexts;

class TConfigForm {
 public:
  TConfigForm(Platform& platform, RulerLink& ruler);
  TConfigForm(const TConfigForm&) = delete;
  TConfigForm& operator=(const TConfigForm&) = delete;

  // The dialog window on screen; set before it is shown.
  void Attach(ConfigView& view) { view_ = &view; }

  // ---- handlers ----
  void FormShow();
  void BitBtnOKClick();
  // Cancel, Esc and the window's close box.
  void BitBtnCancelClick();
  void BitBtnDefaultClick();
  // One handler for the eight colour buttons.
  void BitBtnKeDuColorClick(ConfigControl button);
  void CheckBoxShowDisplayFormClick();
  void TrackBarTranChange();
  // A character typed into the percentage field: true when it goes into the
  // field. Enter applies the field's value and goes no further.
  bool EditTranValueKeyPress(char key);
  void EditTranValueExit();
  // A number field lost the focus: its value is brought into its range.
  void SpinEditExit(ConfigControl field);
  // One of the three custom-unit fields changed.
  void SpinEditPixelPerUnitChange(ConfigControl field);
  // Clears the preview picture to white and draws the custom unit's scale.
  void PreviewRuler();

  // ---- texts ----
  // The texts of language pack index (-1: English) on the controls and in
  // the dialog's messages and title.
  void SetLanguage(int index);
  void SetDefaultLanguage();

  // ---- state ----
  // The colour each colour button holds, by button.
  Color ButtonColor(ConfigControl button) const;
  // True once OK has stored the settings.
  bool Stored() const { return stored_; }

  std::string DialogTitle = "Mensor Configure";
  std::string RegisterHotKeyErrorText = "Fail to register hot key";
  std::string WidthNextTimeText = "Ruler's width will apply next time you use it";
  std::string F1HotKeyText = "Can not set F1 hot key for the function.";
  std::string SameHotKeyText = "Can not set the same hot key";

  // A number field's value: the integer typed, or the field's minimum for a
  // text that is no integer; not yet brought into range.
  int SpinValue(ConfigControl field) const;
  // The same brought into the field's range (as leaving the field does).
  int SpinValueInRange(ConfigControl field) const;
  // Sets a number field to a value brought into its range.
  void SetSpinValue(ConfigControl field, int value);

 private:
  ConfigView& view() const { return *view_; }
  void PaintColorSwatch(ConfigControl button, Color color);
  // Sets the slider; a changed position runs TrackBarTranChange.
  void SetSliderPosition(int position);
  // The value the percentage field's text gives (60 for no integer), in 0..100.
  int EditTranValueValue() const;
  // A hot-key field and the setting it edits.
  struct HotKeyRow {
    ConfigControl field;
    Shortcut TAppSettings::*setting;
  };
  // One row per shortcut setting of the ruler's commands, in menu order.
  std::vector<HotKeyRow> HotKeyRows() const;
  // The first hot-key field whose value is refused, with the message.
  bool CheckHotKeys();
  // Puts each text on its control or into its variable.
  void Apply(const WindowTexts& texts);

  Platform& platform_;
  RulerLink& ruler_;
  ConfigView* view_ = nullptr;
  std::array<Color, 8> button_colors_{};
  bool stored_ = false;
};

// Parses a field's text: blanks around it are ignored, then an optional sign
// and decimal digits within the 32-bit range. Nothing for any other text.
std::optional<int> ParseFieldInteger(const std::string& text);

// The custom unit's scale as the preview shows it, drawn on a picture of
// width x height pixels with the canvas's pen and the font: a plain tick at
// every step of pixel_per_unit / ticks_per_unit pixels (10 pixels long at the
// top, and from ruler_width - 10 to ruler_width at the bottom), a numbered
// tick (18 pixels at the top and the bottom of the picture) with its number
// every display_value_unit units. The three values must be at least 1.
void DrawPreviewScale(Canvas& canvas, int width, int height, int pixel_per_unit, int ticks_per_unit,
                      int display_value_unit, int ruler_width, int font_points);

}  // namespace mensor
