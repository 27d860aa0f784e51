// TCalibrateForm: "C&alibrate..." of the Units submenu. The user has laid the
// ruler along an object of known length (zero end at one end, the far end
// stretched to the other) and gives the object's length here, in millimetres
// or inches; OK stores the pixels per metre of the monitor that holds the
// ruler's zero corner in the calibrations (app.ini, section Calibration), in
// place of an earlier one. "&Forget Calibration" removes that monitor's
// calibration; Esc and "&Cancel" change nothing. The dialog also lists every
// monitor with the source of its density: "calibrated", "reported by the
// monitor" or "assumed by Windows".
//
// The form paints its texts itself; the platform's dialog window hosts the
// length field and the buttons.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/true_size.h"
#include "lang/language_pack.h"
#include "settings/section_entries.h"
#include "ui/dialog.h"
#include "ui/monitors.h"
#include "ui/platform.h"

namespace mensor {

// The dialog's texts, all rule A.
extern const TextTable kCalibrateFormTexts;

class TCalibrateForm : public DialogHandler {
 public:
  enum Control : int { kOK = 1, kCancel, kForget, kUnitButton, kLengthEdit };
  enum class Outcome { None, Calibrated, Forgotten };

  // pixels: the ruler's length; ruler_monitor: the monitor of its zero corner
  // (one of monitors).
  TCalibrateForm(Platform& platform, DialogWindow& window, const MonitorList& monitors,
                 const Monitor& ruler_monitor, int pixels, SectionEntries& calibrations);

  void FormCreate();

  // --- DialogHandler ---
  void FormShow() override;
  void FormPaint(Canvas& canvas) override;
  void MouseMove(int, int) override {}
  void Click(int, int) override {}
  void ButtonClick(int id) override;
  void KeyDown(int key) override;
  void DensityChanged(int ppi) override;

  void SetLanguage(int index);

  // OK: the length given, checked and stored; a bad length is told and the
  // dialog stays open.
  void BitBtnOKClick();
  void BitBtnForgetClick();
  // Switches the length between millimetres and inches, converting it.
  void UnitButtonClick();

  Outcome Result() const { return outcome_; }
  bool InInches() const { return inches_; }
  // The lines of the monitor list as painted, in the monitors' order.
  std::vector<std::string> MonitorLines() const;

 private:
  struct Place {
    Rect bounds;
    std::string text;
  };
  std::string Text(std::string_view target) const;
  void Layout(int ppi);
  Font DialogFont() const;
  // The length as typed, in millimetres; nothing when it is no number.
  std::optional<double> LengthInMillimetres() const;

  Platform& platform_;
  DialogWindow& window_;
  const MonitorList& monitors_;
  const Monitor& ruler_monitor_;
  int pixels_;
  SectionEntries& calibrations_;
  WindowTexts texts_;
  int ppi_ = 96;
  bool inches_ = false;
  Outcome outcome_ = Outcome::None;
  Rect ok_, cancel_, forget_, unit_, edit_;
};

// Makes the dialog for the ruler, shows it modally and returns what the user
// did. Nothing happens (Outcome::None) when the system gives no window.
TCalibrateForm::Outcome ShowCalibrateDialog(Platform& platform, const MonitorList& monitors,
                                            const Monitor& ruler_monitor, int pixels, SectionEntries& calibrations);

// The calibrations of app.ini's section as the densities use them.
Calibrations CalibrationsOf(const SectionEntries& section);

}  // namespace mensor
