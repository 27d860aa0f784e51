// The read-out window: a tiny borderless window above all others that shows
// the marker's screen coordinates during a marker drag. Its paints become
// calls of TInfoForm::FormPaint; it takes no input of its own and never takes
// the activation or the mouse from the ruler.
#pragma once

#include "ui/win32/win32.h"

#include "ui/win32/top_level_window.h"

namespace mensor {
class TInfoForm;
}

namespace mensor::win32 {

class Win32Platform;

class InfoWindow : public TopLevelWindow {
 public:
  InfoWindow(HINSTANCE instance, Win32Platform& platform);

  // Creates the hidden window. False when the system refused.
  bool Create();
  // The form that paints the window; none while it does not exist.
  void SetForm(TInfoForm* form) { form_ = form; }

  // Shows the window without activating it.
  void Show() override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  TInfoForm* form_ = nullptr;
};

}  // namespace mensor::win32
