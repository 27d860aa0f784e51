// TMainForm: see-through mode. The ruler shows the screen behind it, tinted
// with the ruler colour. There is no real translucency: the whole screen is
// captured once while the ruler is out of the way, tinted once, and each paint
// copies the slice under the ruler out of that capture. A move of the window
// repaints from the stored capture; an activation after a paint captures anew
// (WindowMoved in main_form.cpp, WindowActivated here, while HookInstalled).
#include "app/main_form.h"
#include "app/tint.h"

#include <utility>

namespace mensor {

void TMainForm::PMenuTranserClick() {
  if (AppSettings.Transparence)
    SwitchSeeThroughOff();
  else
    SwitchSeeThroughOn(true);
}

void TMainForm::SwitchSeeThroughOn(bool from_menu) {
  if (from_menu) AppSettings.Transparence = true;
  Transparency = static_cast<std::uint8_t>(AppSettings.TransValue & 0xFF);
  TranspColor = AppSettings.BackgroundColor;
  // NOTE: the new, empty image replaces an earlier capture before the screen
  // is copied, so at most one screen-sized picture exists at any time.
  ScreenShot = std::make_unique<Image>();
  HookInstalled = true;
  RecaptureAllowed = true;
  TakeScreenShoot();
  if (from_menu && window.IsEnabled() && window.IsVisible()) window.Focus();
}

void TMainForm::SwitchSeeThroughOff() {
  AppSettings.Transparence = false;
  HookInstalled = false;
  ScreenShot.reset();
  // The paint now shows the plain background colour.
  window.Repaint();
}

void TMainForm::WindowActivated(bool active, bool by_click) {
  if (!HookInstalled || !active || !RecaptureAllowed) return;
  // NOTE: a press on an inactive window activates it before the press itself
  // arrives. Hidden then, the window would miss the release (it goes to the
  // window below), and a right click would open no menu. The capture waits
  // for the end of the click instead.
  if (by_click) {
    RecaptureAfterClick = true;
    return;
  }
  TakeScreenShoot();
  if (window.IsEnabled() && window.IsVisible()) window.Focus();
}

void TMainForm::TakeScreenShootAfterClick() {
  if (!std::exchange(RecaptureAfterClick, false) || !ScreenShot) return;
  TakeScreenShoot();
  if (window.IsEnabled() && window.IsVisible()) window.Focus();
}

void TMainForm::TakeScreenShoot() {
  if (!ScreenShot) return;
  RecaptureAllowed = false;
  RecaptureAfterClick = false;
  // The whole virtual screen, so that the picture under the ruler is right on
  // every monitor and across the seam between two.
  const Rect screen = platform.VirtualScreen();
  // Before the first show the window is not on the screen and must not be
  // shown by a capture; a ruler the user has hidden stays hidden as well.
  const bool out_of_the_way = !NotYetShown && window.IsVisible();
  if (out_of_the_way) window.Hide();
  // NOTE: giving up activation and waiting lets the windows below the ruler
  // repaint the area it covered before the screen is copied.
  platform.ReleaseActivation();
  platform.Sleep(100);
  platform.CaptureScreen(*ScreenShot, screen);
  ScreenShotOrigin = {screen.left, screen.top};
  TintImage(*ScreenShot, TranspColor, Transparency);
  if (out_of_the_way) window.Show();
}

void TMainForm::SetTranspColor(Color color) {
  if (color == TranspColor) return;
  TranspColor = color;
  if (!ScreenShot) return;
  TakeScreenShoot();
  window.Repaint();
}

void TMainForm::SetTransparency(std::uint8_t percent) {
  if (percent == Transparency) return;
  Transparency = percent;
  if (!ScreenShot) return;
  TakeScreenShoot();
  window.Repaint();
}

}  // namespace mensor
