// The ruler window: a borderless popup window (caption "Mensor") whose
// messages become calls of TMainForm's handlers. It also owns the hot key,
// the notification icon and the popup menu, whose messages come here.
#pragma once

#include "ui/win32/popup_window.h"

namespace mensor {
class TMainForm;
}

namespace mensor::win32 {

class PopupMenu;

class MainWindow : public PopupWindow {
 public:
  MainWindow(HINSTANCE instance, Win32Platform& platform);

  // Creates the hidden window. False when the system refused.
  bool Create();
  // The form that receives the messages; none while it does not exist.
  void SetForm(TMainForm* form) { form_ = form; }
  // The popup menu that is open (its owner-draw messages come here).
  void SetOpenMenu(PopupMenu* menu) { open_menu_ = menu; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  void OnPaint();
  void OnMouseDown(MouseButton button, WPARAM wparam, LPARAM lparam, bool double_click);
  void OnMouseMove(WPARAM wparam, LPARAM lparam);
  void OnMouseUp(MouseButton button, WPARAM wparam, LPARAM lparam);
  void OnContextMenu(LPARAM lparam);
  bool OnKeyDown(WPARAM key);
  void OnActivate(WPARAM wparam, LPARAM lparam);
  void OnClose();

  TMainForm* form_ = nullptr;
  PopupMenu* open_menu_ = nullptr;
  UINT taskbar_created_ = 0;
};

}  // namespace mensor::win32
