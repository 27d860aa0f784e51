// The preferences dialog on Win32: a modal dialog built from the layout table
// (src/prefs/config_layout.h) with common controls: a tab control whose four
// pages are child dialogs, edit fields with up-down arrows, a track bar, hot
// key fields, owner-drawn colour buttons and an owner-drawn preview picture.
// Sizes follow the display's pixels per inch. The keyboard works as in any
// Windows dialog: Tab and Shift+Tab, Ctrl+Tab and Ctrl+Page Down/Up between
// the pages, Alt with an underlined letter, Enter for OK, Esc for Cancel.
// Every decision is TConfigForm's; this class turns the controls' messages
// into its handlers and its requests into control messages.
#pragma once

#include "ui/win32/win32.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "prefs/config_layout.h"
#include "prefs/config_view.h"
#include "ui/win32/gdi.h"
#include "ui/win32/gdi_canvas.h"

namespace mensor {
class TConfigForm;
}

namespace mensor::win32 {

class Win32Platform;

class ConfigDialog : public ConfigView {
 public:
  ConfigDialog(HINSTANCE instance, Win32Platform& platform, TConfigForm& form, HWND owner);
  ~ConfigDialog() override;
  ConfigDialog(const ConfigDialog&) = delete;
  ConfigDialog& operator=(const ConfigDialog&) = delete;

  // --- ConfigView ---
  void SetTitle(const std::string& title) override;
  std::string Text(ConfigControl control) const override;
  void SetText(ConfigControl control, const std::string& text) override;
  bool Checked(ConfigControl control) const override;
  void SetChecked(ConfigControl control, bool checked) override;
  int ItemIndex(ConfigControl group) const override;
  void SetItemIndex(ConfigControl group, int index) override;
  int Position(ConfigControl slider) const override;
  void SetPosition(ConfigControl slider, int position) override;
  Shortcut HotKey(ConfigControl field) const override;
  void SetHotKey(ConfigControl field, Shortcut value) override;
  void SetShortcutWords(const ShortcutWords& words) override;
  bool Enabled(ConfigControl control) const override;
  void SetEnabled(ConfigControl control, bool enabled) override;
  Size ControlSize(ConfigControl control) const override;
  void SetButtonPicture(ConfigControl button, const ColorSwatch& swatch) override;
  int ActivePage() const override;
  void SetActivePage(int page) override;
  bool Focus(ConfigControl control) override;
  std::optional<Color> ChooseColor(Color initial) override;
  Size PreviewSize() const override;
  Canvas& PreviewCanvas() override;
  void PreviewChanged() override;
  void ShowModal() override;
  void Close() override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK PercentFieldProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR id, DWORD_PTR data);
  // Hot-key fields show their keys in shortcut_words_.
  static LRESULT CALLBACK HotKeyFieldProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR id, DWORD_PTR data);
  std::wstring HotKeyFieldText(HWND field) const;

  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnInitDialog();
  void CreateControls();
  // Places every control for the pixels per inch (also when they change) and
  // for its text, within the work area of the dialog's monitor.
  void Layout(int ppi);
  // The pixels a text takes in the font of a control of this kind at ppi.
  Size MeasureText(ConfigKind kind, std::string_view text, int ppi) const;
  // The tool tip with the whole text of a control whose text is cut, or none.
  void SetCutTip(ConfigControl control, bool cut);
  void OnCommand(int id, int code);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void DrawColorButton(const DRAWITEMSTRUCT& item);
  void ShowPage(int page);
  // A preview picture of this size (made anew when the size changes).
  void ResizePreview(Size size);
  // Ctrl+Tab and Ctrl+Page Down/Up switch pages; true when msg was one.
  bool SwitchPageKey(const MSG& msg);

  HWND Handle(ConfigControl control) const { return handles_[static_cast<int>(control)]; }
  HWND ParentFor(int page) const;

  HINSTANCE instance_;
  Win32Platform& platform_;
  TConfigForm& form_;
  HWND owner_;
  HWND dialog_ = nullptr;
  std::array<HWND, 4> pages_{};
  std::array<HWND, static_cast<int>(ConfigControl::Count)> handles_{};
  // The up-down arrows of each number field, by control.
  std::array<HWND, static_cast<int>(ConfigControl::Count)> updowns_{};
  std::array<Bitmap, static_cast<int>(ConfigControl::Count)> pictures_;
  std::array<Color, static_cast<int>(ConfigControl::Count)> picture_keys_{};
  std::vector<Icon> page_icons_;
  int ppi_ = 96;
  // Where the controls are and what their texts show (see Layout).
  ConfigPlan plan_;
  bool laid_out_ = false;
  // The whole texts of the controls whose texts the plan fits.
  std::array<std::string, static_cast<int>(ConfigControl::Count)> texts_;
  HWND tips_ = nullptr;
  std::array<bool, static_cast<int>(ConfigControl::Count)> tipped_{};
  int page_ = -1;
  // Set while the logic writes a control, whose notifications it ignores.
  bool updating_ = false;
  bool done_ = false;
  // Set once the form has filled the controls.
  bool shown_ = false;
  ShortcutWords shortcut_words_;

  // The preview picture and a canvas on it for the whole life of the dialog.
  // NOTE: declared in this order so that the canvas (which restores the DC's
  // state) goes first, then the bitmap is deselected, then the DC goes.
  Size preview_size_ = kPreviewSize;
  MemoryDc preview_dc_;
  Bitmap preview_bitmap_;
  std::unique_ptr<SelectScope> preview_select_;
  std::unique_ptr<GdiCanvas> preview_canvas_;
};

}  // namespace mensor::win32
