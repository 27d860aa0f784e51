// The program entry: common controls, the platform, the hidden windows and
// their forms in the order of creation (ruler, read-out), the first show of
// the ruler, and the message loop until the ruler window is closed.
#include "ui/win32/win32.h"

#include "app/main_form.h"
#include "settings/info_form.h"
#include "ui/win32/info_window.h"
#include "ui/win32/main_window.h"
#include "ui/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);

  mensor::win32::Win32Platform platform(instance);
  mensor::win32::MainWindow window(instance, platform);
  if (!window.Create()) return 1;
  platform.SetMainWindow(&window);

  // The ruler window first; its creation step uses no other window.
  mensor::TMainForm form(platform, window);
  window.SetForm(&form);
  form.FormCreate();

  // Then the read-out window, first used when the ruler is shown.
  mensor::win32::InfoWindow info_window(instance, platform);
  if (!info_window.Create()) return 1;
  mensor::TInfoForm info(platform, info_window);
  info_window.SetForm(&info);
  info.FormCreate();
  form.SetInfoForm(&info);

  window.Show();
  form.FormShow();

  MSG msg{};
  int result;
  while ((result = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  form.SetInfoForm(nullptr);
  info_window.SetForm(nullptr);
  window.SetForm(nullptr);
  platform.SetMainWindow(nullptr);
  return result < 0 ? 1 : static_cast<int>(msg.wParam);
}
