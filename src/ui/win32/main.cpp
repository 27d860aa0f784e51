// The program entry: the library search kept to the system folder, common
// controls, the platform, the hidden windows and their forms in their fixed
// order (the ruler, the read-out window, the tool bar), the ruler's first
// show, and the message loop (modeless dialogs' keys first) until the ruler
// window is closed.
#include "ui/win32/win32.h"

#include "app/main_form.h"
#include "prefs/config_form.h"
#include "readout/info_form.h"
#include "ui/win32/config_dialog.h"
#include "ui/win32/dialog_window.h"
#include "toolbar/tool_bar_form.h"
#include "ui/win32/info_window.h"
#include "ui/win32/main_window.h"
#include "ui/win32/system_folder.h"
#include "ui/win32/tool_bar_window.h"
#include "ui/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before anything can load a library: none from the program's own folder.
  mensor::win32::KeepLibrarySearchInSystemFolder();

  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);

  mensor::win32::Win32Platform platform(instance);
  mensor::win32::MainWindow window(instance, platform);
  if (!window.Create()) return 1;
  platform.SetMainWindow(&window);

  mensor::TMainForm form(platform, window);
  window.SetForm(&form);
  // The preferences dialog, made anew for each opening.
  form.MakeConfigView = [&](mensor::TConfigForm& config) -> std::unique_ptr<mensor::ConfigView> {
    return std::make_unique<mensor::win32::ConfigDialog>(instance, platform, config, window.hwnd());
  };
  form.FormCreate();

  // NOTE: created after the ruler's creation handler, which must not touch
  // it; the ruler first uses it when the marker is dragged.
  mensor::win32::InfoWindow info_window(instance, platform);
  mensor::TInfoForm info(platform, info_window);
  // Without it the marker works all the same, only without the read-out.
  if (info_window.Create()) {
    info_window.SetForm(&info);
    info.FormCreate();
    form.SetInfoForm(&info);
  }

  // The tool bar, last; the ruler places and shows it when it is shown.
  mensor::win32::ToolBarWindow tool_bar_window(instance, platform);
  mensor::TFormToolBar tool_bar(platform, tool_bar_window, tool_bar_window);
  const bool has_tool_bar = tool_bar_window.Create();
  if (has_tool_bar) {
    tool_bar_window.SetForm(&tool_bar);
    tool_bar.SetRuler(&form);
    tool_bar.FormCreate();
    form.SetToolBar(&tool_bar);
  }

  window.Show();
  form.FormShow();

  MSG msg{};
  int result;
  while ((result = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    // The calibration dialog is modeless: its keys first.
    if (mensor::win32::ModelessDialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (has_tool_bar) tool_bar.FormDestroy();
  form.SetToolBar(nullptr);
  tool_bar_window.SetForm(nullptr);
  form.SetInfoForm(nullptr);
  info_window.SetForm(nullptr);
  window.SetForm(nullptr);
  platform.SetMainWindow(nullptr);
  return result < 0 ? 1 : static_cast<int>(msg.wParam);
}
