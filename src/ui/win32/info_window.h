// The read-out window: a tiny borderless window above all others that shows
// the marker's screen coordinates during a drag. Its paint becomes a call of
// TInfoForm::FormPaint; it takes no input of its own and never takes the
// activation from the ruler, which holds the mouse during the drag.
#pragma once

#include "ui/win32/popup_window.h"

namespace mensor {
class TInfoForm;
}

namespace mensor::win32 {

class InfoWindow : public PopupWindow {
 public:
  InfoWindow(HINSTANCE instance, Win32Platform& platform);

  // Creates the hidden window. False when the system refused.
  bool Create();
  void SetForm(TInfoForm* form) { form_ = form; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnPaint();

  TInfoForm* form_ = nullptr;
};

}  // namespace mensor::win32
