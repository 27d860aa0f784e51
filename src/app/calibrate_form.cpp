// The calibration dialog; see calibrate_form.h.
#include "app/calibrate_form.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <utility>

#include "lang/language.h"
#include "settings/app_settings.h"
#include "text/ini_file.h"

namespace mensor {
namespace {

constexpr TextRow Row(std::string_view key, std::string_view target) { return TextRow{key, target, Rule::A, key}; }

constexpr TextRow kRows[] = {
    Row("Calibrate", "DialogTitle"),
    Row("Stretch the ruler along an object of known length, its zero end", "LabelIntro1"),
    Row("at one end and its far end at the other, then give its length.", "LabelIntro2"),
    Row("Length of the ruler in pixels:", "LabelPixels"),
    Row("Length of the object:", "LabelLength"),
    Row("A bank card is 85.60 mm long; from 10 to 1000 mm.", "LabelHint"),
    Row("Monitor", "MonitorText"),
    Row("calibrated", "CalibratedText"),
    Row("reported by the monitor", "ReportedText"),
    Row("assumed by Windows", "AssumedText"),
    Row("pixels per mm", "PixelsPerMmText"),
    Row("mm", "MillimetresText"),
    Row("in", "InchesText"),
    Row("&OK", "BitBtnOK"),
    Row("&Cancel", "BitBtnCancel"),
    Row("&Forget Calibration", "BitBtnForget"),
    Row("Enter the object's length, from 10 to 1000 mm (0.39 to 39.37 in), with the ruler stretched along it.",
        "BadLengthText"),
};

constexpr int kClientWidth = 400;
constexpr int kMargin = 12;
constexpr int kLine = 16;
constexpr int kMonitorsTop = 128;

std::string Fixed2(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

}  // namespace

const TextTable kCalibrateFormTexts{kRows};

TCalibrateForm::TCalibrateForm(Platform& platform, DialogWindow& window, MonitorList monitors, Point zero_corner,
                               int pixels, SectionEntries& calibrations)
    : platform_(platform),
      window_(window),
      monitors_(std::move(monitors)),
      pixels_(pixels),
      calibrations_(calibrations),
      texts_(EnglishTexts(kCalibrateFormTexts)) {
  // The platform never reports no monitor; a list made up without one still
  // has one to name.
  if (monitors_.empty()) monitors_.push_back(Monitor{});
  ruler_ = static_cast<std::size_t>(&MonitorOfPoint(monitors_, zero_corner) - monitors_.data());
}

std::string TCalibrateForm::Text(std::string_view target) const {
  const std::string* text = texts_.Text(target);
  return text != nullptr ? *text : std::string();
}

Font TCalibrateForm::DialogFont() const {
  Font font;
  font.height = ScaleForDensity(font.height, ppi_);
  return font;
}

void TCalibrateForm::Layout(int ppi) {
  ppi_ = ppi;
  const auto place = [ppi](int left, int top, int width, int height) {
    return Rect{ScaleForDensity(left, ppi), ScaleForDensity(top, ppi), ScaleForDensity(left + width, ppi),
                ScaleForDensity(top + height, ppi)};
  };
  edit_ = place(180, 72, 80, 22);
  unit_ = place(266, 71, 44, 24);
  const int buttons_top = kMonitorsTop + kLine * static_cast<int>(monitors_.size()) + 14;
  forget_ = place(kMargin, buttons_top, 140, 25);
  ok_ = place(kClientWidth - kMargin - 2 * 80 - 8, buttons_top, 80, 25);
  cancel_ = place(kClientWidth - kMargin - 80, buttons_top, 80, 25);
  window_.SetClientSize(ScaleForDensity(kClientWidth, ppi), ScaleForDensity(buttons_top + 25 + kMargin, ppi));
}

void TCalibrateForm::FormCreate() {
  Layout(window_.PixelsPerInch());
  window_.SetCaption(Text("DialogTitle"));
  const Font font = DialogFont();
  // OK first: Enter in the length field presses it.
  window_.AddButton(kOK, ok_, Text("BitBtnOK"), font);
  window_.AddButton(kCancel, cancel_, Text("BitBtnCancel"), font);
  window_.AddButton(kForget, forget_, Text("BitBtnForget"), font);
  window_.AddButton(kUnitButton, unit_, Text("MillimetresText"), font);
  window_.AddEdit(kLengthEdit, edit_, Fixed2(kDefaultCalibrationLength), font);
}

void TCalibrateForm::FormShow() { SetLanguage(LanguageIndex); }

void TCalibrateForm::SetLanguage(int index) {
  texts_ = LanguageTexts(platform_, kCalibrateFormTexts, index);
  window_.SetCaption(Text("DialogTitle"));
  window_.SetButtonCaption(kOK, Text("BitBtnOK"));
  window_.SetButtonCaption(kCancel, Text("BitBtnCancel"));
  window_.SetButtonCaption(kForget, Text("BitBtnForget"));
  window_.SetButtonCaption(kUnitButton, Text(inches_ ? "InchesText" : "MillimetresText"));
  window_.Invalidate();
}

void TCalibrateForm::DensityChanged(int ppi) {
  Layout(ppi);
  PlaceControls();
}

void TCalibrateForm::PlaceControls() {
  const Font font = DialogFont();
  for (const auto& [id, bounds] : {std::pair{kOK, ok_}, std::pair{kCancel, cancel_}, std::pair{kForget, forget_},
                                   std::pair{kUnitButton, unit_}, std::pair{kLengthEdit, edit_}})
    window_.MoveButton(id, bounds, font);
  window_.Invalidate();
}

std::vector<std::string> TCalibrateForm::MonitorLines() const {
  std::vector<std::string> lines;
  const Calibrations calibrations = CalibrationsOf(calibrations_);
  for (std::size_t i = 0; i < monitors_.size(); ++i) {
    const Monitor& m = monitors_[i];
    const PhysicalDensity d = PhysicalDensityOf(m, calibrations);
    const char* source = d.source == DensitySource::Calibrated ? "CalibratedText"
                         : d.source == DensitySource::Reported ? "ReportedText"
                                                               : "AssumedText";
    lines.push_back(Text("MonitorText") + " " + std::to_string(i + 1) + " (" + std::to_string(m.bounds.Width()) +
                    " x " + std::to_string(m.bounds.Height()) + "): " + Text(source) + ", " +
                    Fixed2(d.pixels_per_mm) + " " + Text("PixelsPerMmText"));
  }
  return lines;
}

void TCalibrateForm::FormPaint(Canvas& canvas) {
  Font font = DialogFont();
  font.color = 0;
  canvas.SetFont(font);
  const auto at = [this](int y) { return ScaleForDensity(y, ppi_); };
  const int x = at(kMargin);
  canvas.TextOut(x, at(12), Text("LabelIntro1"));
  canvas.TextOut(x, at(28), Text("LabelIntro2"));
  canvas.TextOut(x, at(52), Text("LabelPixels") + " " + std::to_string(pixels_) + " (" + Text("MonitorText") + " " +
                                std::to_string(ruler_ + 1) + ")");
  canvas.TextOut(x, at(76), Text("LabelLength"));
  canvas.TextOut(x, at(102), Text("LabelHint"));
  int y = kMonitorsTop;
  for (const std::string& line : MonitorLines()) {
    canvas.TextOut(x, at(y), line);
    y += kLine;
  }
}

std::optional<double> TCalibrateForm::LengthInMillimetres() const {
  std::string text(TrimBlanks(window_.EditText(kLengthEdit)));
  // A decimal comma is as good as a point.
  std::replace(text.begin(), text.end(), ',', '.');
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return inches_ ? value * 25.4 : value;
}

void TCalibrateForm::BitBtnOKClick() {
  const std::optional<double> mm = LengthInMillimetres();
  const std::optional<long long> value = mm ? CalibrationValue(pixels_, *mm) : std::nullopt;
  const std::string& identity = RulerMonitor().identity;
  if (!value || identity.empty() || !calibrations_.Set(identity, std::to_string(*value))) {
    platform_.ShowInfo(Text("BadLengthText"), InfoCaption);
    return;
  }
  End(Outcome::Calibrated);
}

void TCalibrateForm::BitBtnForgetClick() {
  End(calibrations_.Remove(RulerMonitor().identity) ? Outcome::Forgotten : Outcome::None);
}

void TCalibrateForm::Cancel() { End(Outcome::None); }

void TCalibrateForm::End(Outcome outcome) {
  if (!open_) return;
  open_ = false;
  outcome_ = outcome;
  window_.Close();
  if (OnEnd) OnEnd(outcome);
}

void TCalibrateForm::RulerChanged(int pixels, MonitorList monitors, Point zero_corner) {
  if (!open_ || monitors.empty()) return;
  const std::size_t ruler = static_cast<std::size_t>(&MonitorOfPoint(monitors, zero_corner) - monitors.data());
  const bool count_changed = monitors.size() != monitors_.size();
  const std::vector<std::string> lines_before = MonitorLines();
  const bool same_ruler = pixels == pixels_ && ruler == ruler_;
  pixels_ = pixels;
  ruler_ = ruler;
  monitors_ = std::move(monitors);
  if (same_ruler && MonitorLines() == lines_before) return;
  // One more or one less line of monitors: the buttons move.
  if (count_changed) {
    Layout(ppi_);
    PlaceControls();
  }
  window_.Invalidate();
}

void TCalibrateForm::UnitButtonClick() {
  const std::optional<double> mm = LengthInMillimetres();
  inches_ = !inches_;
  if (mm) window_.SetEditText(kLengthEdit, Fixed2(inches_ ? *mm / 25.4 : *mm));
  window_.SetButtonCaption(kUnitButton, Text(inches_ ? "InchesText" : "MillimetresText"));
}

void TCalibrateForm::ButtonClick(int id) {
  switch (id) {
    case kOK: BitBtnOKClick(); break;
    case kCancel: Cancel(); break;
    case kForget: BitBtnForgetClick(); break;
    case kUnitButton: UnitButtonClick(); break;
    default: break;
  }
}

void TCalibrateForm::KeyDown(int key) {
  if (key == vk::kEscape) Cancel();
}

CalibrateDialog OpenCalibrateDialog(Platform& platform, const Box& ruler, Point zero_corner, int pixels,
                                    SectionEntries& calibrations, std::function<void(TCalibrateForm::Outcome)> on_end) {
  CalibrateDialog dialog;
  dialog.window = platform.CreateDialogWindow();
  if (!dialog.window) return {};
  dialog.form = std::make_unique<TCalibrateForm>(platform, *dialog.window, platform.Monitors(), zero_corner, pixels,
                                                 calibrations);
  dialog.form->OnEnd = std::move(on_end);
  dialog.form->FormCreate();
  dialog.window->ShowModeless(*dialog.form, ruler);
  return dialog;
}

Calibrations CalibrationsOf(const SectionEntries& section) {
  Calibrations calibrations;
  for (const SectionEntries::Entry& entry : section.entries()) calibrations.emplace_back(entry.key, entry.value);
  return calibrations;
}

}  // namespace mensor
