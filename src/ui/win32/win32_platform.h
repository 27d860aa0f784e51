// The core's Platform on Win32: screen metrics and pixels, the whole-screen
// canvas, text measuring, the pointer and the custom cursors 100 and 101, the
// message box, the popup menu, the global hot key and the notification icon
// (both on the ruler window), the message pump, and files beside the
// executable.
#pragma once

#include "ui/win32/win32.h"

#include <map>
#include <optional>

#include "ui/platform.h"
#include "ui/win32/gdi.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/monitor_edid.h"

namespace mensor::win32 {

class MainWindow;

class Win32Platform : public Platform {
 public:
  explicit Win32Platform(HINSTANCE instance);
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // The ruler window: owner of the hot key, the notification icon and the
  // popup menu, and the window whose monitor gives the pixels per inch.
  void SetMainWindow(MainWindow* window) { main_ = window; }

  FontCache& fonts() { return fonts_; }
  HCURSOR CursorFor(CursorShape shape) const;
  // Adds the notification icons again after the shell restarted.
  void RestoreNotifyIcons();
  // Monitors came or went, or changed their mode: their EDIDs are read anew
  // at the next question.
  void DisplaysChanged();

  // --- Platform ---
  Size ScreenSize() const override;
  // Pixels per inch of the monitor the ruler window is on (96 at 100 %).
  int PixelsPerInch() const;
  std::unique_ptr<Canvas> OpenScreenCanvas() override;
  bool CaptureScreen(Image& image, const Rect& area) override;
  MonitorList Monitors() const override;
  Rect VirtualScreen() const override;
  // Pixels per inch of the monitor holding a screen point.
  static int PixelsPerInchAt(Point screen);
  Size TextExtent(const Font& font, std::string_view text) const override;

  Point CursorPos() const override;
  void SetCursorPos(Point p) override;
  void ShowMouseCursor(bool show) override;
  void SetRulerCursor(Point from, Point to) override;
  void LoadRotateCursor() override;

  void ShowInfo(const std::string& text, const std::string& caption) override;
  int TrackPopupMenu(const Menu& menu, Point screen) override;
  ClipboardResult CopyText(const std::string& text) override;

  bool RegisterHotKey(int id, unsigned modifiers, unsigned key) override;
  void UnregisterHotKey(int id) override;
  bool AddNotifyIcon(int id, unsigned callback_message, const std::string& tip) override;
  void RemoveNotifyIcon(int id) override;
  bool StartProgram(const std::string& program) override;
  void OpenDocument(const std::string& path) override;
  void ReleaseActivation() override;
  void Sleep(int milliseconds) override;
  void ProcessMessages() override;

  std::string ExeDir() const override;
  std::string JoinPath(const std::string& dir, const std::string& name) const override;
  std::optional<std::string> ReadFile(const std::string& path) const override;
  // Careful file access: win32_files.cpp.
  FileRead ReadSharedFile(const std::string& path) const override;
  std::string ResolveLinks(const std::string& path) const override;
  FileResult WriteNewFile(const std::string& path, const std::string& content) override;
  FileResult MoveOver(const std::string& from, const std::string& to) override;
  FileResult RewriteFile(const std::string& path, const std::string& content) override;
  bool RemoveFile(const std::string& path) override;
  std::vector<FileEntry> FilesStartingWith(const std::string& path_prefix) const override;
  unsigned long ProcessId() const override;
  bool ProcessRunning(unsigned long pid) const override;

  std::vector<std::string> ListFiles(const std::string& dir) const override;
  void CreateFolder(const std::string& path) override;
  std::string AnsiToUtf8(std::string_view text) const override;

  std::unique_ptr<DialogWindow> CreateDialogWindow() override;
  std::optional<std::string> ResourceData(const std::string& name) const override;

 private:
  HWND MainHwnd() const;
  // Installs a new cursor in place of an old one; a pointer showing the old
  // one is switched over before the old one is destroyed.
  static void Install(Cursor& slot, Cursor fresh);

  HINSTANCE instance_;
  MainWindow* main_ = nullptr;
  // NOTE: mutable because measuring text (a const query) fills the cache.
  mutable FontCache fonts_;
  Cursor ruler_cursor_;
  Cursor rotate_cursor_;
  Icon tray_icon_;
  std::map<int, NOTIFYICONDATAW> notify_icons_;
  // The monitors' EDIDs by display name; none until first asked for.
  mutable std::optional<std::map<std::wstring, MonitorEdid>> monitor_edids_;
};

}  // namespace mensor::win32
