// The ruler window: a borderless popup window (caption "Mensor") whose
// messages become calls of TMainForm's handlers. Its Window interface (place,
// region, stacking, paint, cursor, capture, close) is TopLevelWindow's.
#pragma once

#include "ui/win32/win32.h"

#include "ui/platform.h"
#include "ui/win32/top_level_window.h"

namespace mensor {
class TMainForm;
}

namespace mensor::win32 {

class Win32Platform;

class MainWindow : public TopLevelWindow {
 public:
  MainWindow(HINSTANCE instance, Win32Platform& platform);

  // Creates the hidden window. False when the system refused.
  bool Create();
  // The form that receives the messages; none while it does not exist.
  void SetForm(TMainForm* form) { form_ = form; }
  // The popup menu that is open (its owner-draw messages come here).

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  void OnMouseDown(MouseButton button, WPARAM wparam, LPARAM lparam, bool double_click);
  void OnMouseMove(WPARAM wparam, LPARAM lparam);
  void OnMouseUp(MouseButton button, WPARAM wparam, LPARAM lparam);
  void OnContextMenu(LPARAM lparam);
  bool OnKeyDown(WPARAM key);
  void OnActivate(WPARAM wparam, LPARAM lparam);
  void OnClose();

  TMainForm* form_ = nullptr;
  UINT taskbar_created_ = 0;
  bool tracking_leave_ = false;  // WM_MOUSELEAVE asked for
};

}  // namespace mensor::win32
