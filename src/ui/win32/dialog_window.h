// A dialog window for the core's dialog forms: a fixed single border and a
// caption without title-bar buttons, owned by the ruler window, laid out by
// the form for its monitor's density. Modal (the about box): centred on the
// ruler's monitor, with a message loop of its own. Modeless (the calibration):
// beside the ruler, its messages going through the program's main loop, which
// hands them to ModelessDialogMessage first for the dialog keys. The form
// paints and hit-tests the client area; this window adds native push buttons,
// text fields and tool tips, handles the dialog keys (Tab, Enter, Esc,
// accelerator letters) and turns messages into the form's handlers.
#pragma once

#include "ui/win32/win32.h"

#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/win32/top_level_window.h"

namespace mensor::win32 {

class Win32Platform;

class PlatformDialogWindow : public TopLevelWindow, public DialogWindow {
 public:
  PlatformDialogWindow(HINSTANCE instance, Win32Platform& platform);
  ~PlatformDialogWindow() override;

  // Creates the hidden window. False when the system refused.
  bool Create(HWND owner);

  // --- DialogWindow (SetCursor, Invalidate and Close serve Window too) ---
  void SetCaption(const std::string& caption) override;
  void SetClientSize(int width, int height) override;
  int PixelsPerInch() const override { return ppi_; }
  Size MaxClientSize() const override;
  void AddButton(int id, const Rect& bounds, const std::string& caption, const Font& font) override;
  void SetButtonCaption(int id, const std::string& caption) override;
  void MoveButton(int id, const Rect& bounds, const Font& font) override;
  void AddEdit(int id, const Rect& bounds, const std::string& text, const Font& font) override;
  std::string EditText(int id) const override;
  void SetEditText(int id, const std::string& text) override;
  void AddHint(const Rect& bounds, const std::string& text) override;
  void SetHint(int index, const Rect& bounds, const std::string& text) override;
  void SetCursor(CursorShape shape) override { TopLevelWindow::SetCursor(shape); }
  void Invalidate() override { TopLevelWindow::Invalidate(); }
  void ShowModal(DialogHandler& handler) override;
  void ShowModeless(DialogHandler& handler, const Box& ruler) override;
  void Activate() override;
  void Close() override;
  void OpenWithShell(const std::string& target) override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // Runs the message loop until the window is closed or the program quits.
  void RunModalLoop();
  // Puts the focus on the first text field (its text selected), else on the
  // first button.
  void FocusFirstControl();

  DialogHandler* handler_ = nullptr;
  // Where the dialog opens around (the ruler's zero corner) and the density
  // it is laid out for.
  Point anchor_;
  int ppi_ = 96;
  DWORD style_ = 0;
  DWORD ex_style_ = 0;
  HWND first_button_ = nullptr;
  HWND first_edit_ = nullptr;
  HWND tooltip_ = nullptr;
  int hints_ = 0;
  bool done_ = false;
  bool pressed_ = false;
  // Shown modeless (and listed for ModelessDialogMessage).
  bool modeless_ = false;
};

// The main loop's first stop for each message: true when it was a dialog key
// of a shown modeless dialog and has been handled (IsDialogMessage).
bool ModelessDialogMessage(MSG& msg);

}  // namespace mensor::win32
