// TMainForm's "&Preferences...": the dialog, made anew for each opening.
#include "app/main_form.h"
#include "prefs/config_form.h"
#include "prefs/config_view.h"

namespace mensor {

void TMainForm::PMenuConfigClick() {
  // NOTE: the ruler is disabled while the dialog is open, but the menu can
  // still be opened from the notification icon.
  if (ConfigOpen || !MakeConfigView) return;
  TConfigForm config(platform, *this);
  std::unique_ptr<ConfigView> view = MakeConfigView(config);
  if (!view) return;
  config.Attach(*view);
  ConfigOpen = true;
  view->ShowModal();
  ConfigOpen = false;
}

}  // namespace mensor
