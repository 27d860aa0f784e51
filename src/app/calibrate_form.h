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
// The dialog is modeless: the ruler stays usable while it is open, so that
// the user can still lay it along the object and stretch it; the ruler tells
// the form its length and place as they change, and the form shows them. The
// form paints its texts itself; the platform's dialog window hosts the length
// field and the buttons.
#pragma once

#include <functional>
#include <memory>
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

  // pixels: the ruler's length; zero_corner: its zero corner on the screen,
  // whose monitor is the one calibrated.
  TCalibrateForm(Platform& platform, DialogWindow& window, MonitorList monitors, Point zero_corner, int pixels,
                 SectionEntries& calibrations);

  // Called once when the dialog ends (OK, Forget, Cancel, Esc), after its
  // window has closed, with what it did.
  std::function<void(Outcome)> OnEnd;

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

  // The ruler was stretched, moved or turned, or the monitors changed: the
  // dialog shows the new length and the monitor now holding the zero corner.
  void RulerChanged(int pixels, MonitorList monitors, Point zero_corner);
  // Ends the dialog as Cancel does (the ruler is closing).
  void Cancel();
  bool IsOpen() const { return open_; }
  int Pixels() const { return pixels_; }
  // The monitor calibrated: the one holding the zero corner.
  const Monitor& RulerMonitor() const { return monitors_[ruler_]; }

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
  void End(Outcome outcome);
  void PlaceControls();

  Platform& platform_;
  DialogWindow& window_;
  MonitorList monitors_;
  std::size_t ruler_ = 0;  // index in monitors_ of the zero corner's monitor
  int pixels_;
  bool open_ = true;
  SectionEntries& calibrations_;
  WindowTexts texts_;
  int ppi_ = 96;
  bool inches_ = false;
  Outcome outcome_ = Outcome::None;
  Rect ok_, cancel_, forget_, unit_, edit_;
};

// The dialog's window and form while the ruler keeps them: made for one
// opening and kept (hidden) after it ends until the next opening, so that
// neither goes while one of its own handlers runs.
struct CalibrateDialog {
  std::unique_ptr<DialogWindow> window;
  std::unique_ptr<TCalibrateForm> form;
  bool IsOpen() const { return form != nullptr && form->IsOpen(); }
};

// Makes the dialog for the ruler and shows it beside the ruler's box
// (modeless); on_end gets what the user did. Nothing (an empty dialog) when
// the system gives no window.
CalibrateDialog OpenCalibrateDialog(Platform& platform, const Box& ruler, Point zero_corner, int pixels,
                                    SectionEntries& calibrations, std::function<void(TCalibrateForm::Outcome)> on_end);

// The calibrations of app.ini's section as the densities use them.
Calibrations CalibrationsOf(const SectionEntries& section);

}  // namespace mensor
