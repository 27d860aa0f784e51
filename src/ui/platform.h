// What the core asks of the operating system. Two implementations exist: the
// Win32 one in src/ui/win32 and the recording fake under tests/. The core never
// asks the system anything directly: screen size, pixels per inch, pointer
// position and files all come through here.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/dialog.h"
#include "ui/image.h"
#include "ui/menu.h"
#include "ui/monitors.h"
#include "ui/types.h"

namespace mensor {

enum class CursorShape {
  Default,   // the window class's arrow
  Arrow,     // the standard arrow, set explicitly
  Cross,     // the platform's cross-hair cursor
  SizeNS,    // double arrows for sizing
  SizeWE,
  SizeNESW,
  SizeNWSE,
  SizeAll,   // four arrows: the tool bar's band moves the window
  Ruler,     // custom screen cursor 100, rebuilt for each orientation
  Rotate,    // custom screen cursor 101
  Hand,      // the pointing hand of links
};

// One top-level window of the program as the core sees it. Coordinates are
// screen pixels; the windows have no frame, so client and window coordinates
// coincide.
class Window {
 public:
  virtual ~Window() = default;

  virtual Rect Bounds() const = 0;
  virtual void SetBounds(int left, int top, int width, int height) = 0;
  // The visible and clickable part of the window, in client coordinates
  // (alternate fill). The platform owns the region afterwards.
  virtual void SetPolygonRegion(const std::vector<Point>& points) = 0;

  // Shows or hides the window at the platform level only: no show handler of
  // the core runs because of these.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool IsVisible() const = 0;
  virtual bool IsEnabled() const = 0;
  virtual void SetTopmost(bool topmost) = 0;
  // Raises the window in the stacking order without showing it.
  virtual void BringToFront() = 0;
  virtual void Focus() = 0;

  // Colour the platform fills the window with before each paint.
  virtual void SetBackgroundColor(Color color) = 0;
  // Asks for a paint of the whole client area (or of a part of it) at the next
  // opportunity.
  virtual void Invalidate() = 0;
  virtual void InvalidateRect(const Rect& rect) = 0;
  // Paints now (invalidate and update).
  virtual void Repaint() = 0;
  // A canvas on the window's client area for drawing outside a paint.
  virtual std::unique_ptr<Canvas> GetCanvas() = 0;

  virtual void SetCursor(CursorShape shape) = 0;
  // While captured the window receives every mouse movement and the release,
  // also outside its region.
  virtual void SetMouseCapture(bool capture) = 0;

  // Requests the window to close (the core's close handler runs).
  virtual void Close() = 0;

  // ---- place, size and shape changed in one step ----
  // Between BeginUpdate and EndUpdate, SetBounds and SetPolygonRegion change
  // the window without drawing anything and Repaint only asks for a paint.
  // EndUpdate paints the window once and lets what it uncovered repaint: no
  // intermediate step is seen, and the window never leaves the screen (which
  // hiding it would: some systems take seconds to show it again). Pairs nest.
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
};

// Holds a window's drawing for the length of a scope (BeginUpdate/EndUpdate).
class WindowUpdate {
 public:
  explicit WindowUpdate(Window& window) : window_(window) { window_.BeginUpdate(); }
  ~WindowUpdate() { window_.EndUpdate(); }
  WindowUpdate(const WindowUpdate&) = delete;
  WindowUpdate& operator=(const WindowUpdate&) = delete;

 private:
  Window& window_;
};

// What became of an operation on a file.
enum class FileResult {
  Done,
  Missing,   // no such file
  Busy,      // another program has the file open in a way that excludes this access
  Refused,   // access denied for good (permissions, a read-only file, a folder)
  TooLarge,  // larger than the platform reads into memory
  Failed,    // anything else (disk full, input/output error)
};

// What became of putting text on the clipboard.
enum class ClipboardResult {
  Done,
  Busy,    // another program holds the clipboard open; a later try may succeed
  Failed,  // anything else (no memory, the system refused the data)
};

// A whole file as read by ReadSharedFile.
struct FileRead {
  FileResult result = FileResult::Missing;
  std::string bytes;       // the content when result is Done
  bool read_only = false;  // the file's read-only attribute (when result is Done)
};

// A file found by ListFiles.
struct FileEntry {
  std::string path;
  long long age_seconds = 0;  // time since its last change
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- screen ---
  // Size of the primary screen in pixels.
  virtual Size ScreenSize() const = 0;
  // A canvas on the whole screen (not on any window), for exclusive-or drawing
  // that follows the mouse. Valid until released.
  virtual std::unique_ptr<Canvas> OpenScreenCanvas() = 0;
  // Copies the screen rectangle `area` (any monitor, or several) into image,
  // resized to its size; the image's (0, 0) is area's top-left corner. False
  // when the screen could not be read (a secure desktop, a locked screen):
  // the image is then black.
  virtual bool CaptureScreen(Image& image, const Rect& area) = 0;

  // --- monitors ---
  // Every monitor of the desktop, the primary first; never empty.
  virtual MonitorList Monitors() const = 0;
  // The rectangle holding all monitors (the primary's bounds with one).
  virtual Rect VirtualScreen() const = 0;
  // Size of text in the given font.
  virtual Size TextExtent(const Font& font, std::string_view text) const = 0;

  // --- pointer ---
  virtual Point CursorPos() const = 0;
  virtual void SetCursorPos(Point p) = 0;
  // Hides or shows the mouse pointer (the system's display counter).
  virtual void ShowMouseCursor(bool show) = 0;
  // Installs custom screen cursor 100: a white 32 x 32 picture (white is
  // transparent) with a one-pixel green (0x008000) line from `from` to `to`
  // (end point excluded, clipped by the picture), hot spot at (16, 16).
  virtual void SetRulerCursor(Point from, Point to) = 0;
  // Installs custom screen cursor 101 from the program's rotate icon.
  virtual void LoadRotateCursor() = 0;

  // --- messages to the user ---
  // The program's one message box: information icon, OK button, modal for all
  // windows of the program. Returns when the user closes it.
  virtual void ShowInfo(const std::string& text, const std::string& caption) = 0;
  // Shows the popup menu at a screen point; returns the chosen command id or 0.
  virtual int TrackPopupMenu(const Menu& menu, Point screen) = 0;

  // --- system services ---
  virtual bool RegisterHotKey(int id, unsigned modifiers, unsigned key) = 0;
  virtual void UnregisterHotKey(int id) = 0;
  virtual bool AddNotifyIcon(int id, unsigned callback_message, const std::string& tip) = 0;
  virtual void RemoveNotifyIcon(int id) = 0;
  // Starts one of the system's own programs by its file name ("calc.exe"),
  // from the system folder and nowhere else; false when it could not be
  // started (it is missing there, or refused to start).
  virtual bool StartProgram(const std::string& program) = 0;
  // Opens a document with its associated program; failures are not reported.
  virtual void OpenDocument(const std::string& path) = 0;
  // Puts UTF-8 text on the clipboard as Unicode text, in place of what it
  // held. One try: the caller decides about retries.
  virtual ClipboardResult CopyText(const std::string& text) = 0;
  // Gives up activation (no window of the program is active afterwards).
  virtual void ReleaseActivation() = 0;
  virtual void Sleep(int milliseconds) = 0;
  // Lets pending window messages be processed once.
  virtual void ProcessMessages() = 0;

  // --- files ---
  // The executable's folder, UTF-8, without trailing separator.
  virtual std::string ExeDir() const = 0;
  // dir + the platform's separator + name.
  virtual std::string JoinPath(const std::string& dir, const std::string& name) const = 0;
  // The whole file, or nothing when it cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) const = 0;

  // --- careful file access (the settings file) ---
  // The steps the settings store combines into a save that never loses the
  // user's file; the decisions (retries, fallbacks, what to keep) are the
  // caller's.
  // Reads the whole file, sharing it with every other reader, writer, renamer
  // and deleter, so that no other program's save is blocked by the read.
  virtual FileRead ReadSharedFile(const std::string& path) const = 0;
  // The path of the file that path finally names, symbolic links followed;
  // path itself when it is no link or names nothing (a link to a file that
  // does not exist).
  virtual std::string ResolveLinks(const std::string& path) const = 0;
  // Creates path (or empties it when it exists), writes content and flushes
  // it to the disk. Links are followed: where path is a symbolic link, the
  // file it names is written (created when missing; Missing when its folder
  // is).
  virtual FileResult WriteNewFile(const std::string& path, const std::string& content) = 0;
  // Puts the file from in the place of to in one step: afterwards to is
  // either the old file or the new one, never a mixture. A symbolic link at
  // to is replaced itself, not the file it names.
  virtual FileResult MoveOver(const std::string& from, const std::string& to) = 0;
  // Rewrites the file path in place (created when missing): the whole
  // content, the file cut to its length, flushed to the disk.
  virtual FileResult RewriteFile(const std::string& path, const std::string& content) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // The files whose full paths start with path_prefix.
  virtual std::vector<FileEntry> FilesStartingWith(const std::string& path_prefix) const = 0;
  // This process's identifier.
  virtual unsigned long ProcessId() const = 0;
  // Whether a process of that identifier is running now.
  virtual bool ProcessRunning(unsigned long pid) const = 0;

  // --- language packs ---
  // Names (without folder, UTF-8) of the files in dir, hidden, system and
  // read-only ones included, folders left out; in no particular order.
  // Empty when dir cannot be read.
  virtual std::vector<std::string> ListFiles(const std::string& dir) const = 0;
  // Creates the folder when it is missing; the result is not reported.
  virtual void CreateFolder(const std::string& path) = 0;
  // 8-bit text in the system's ANSI code page, as UTF-8.
  virtual std::string AnsiToUtf8(std::string_view text) const = 0;

  // --- dialogs and resources (the about box) ---
  // A new, hidden dialog window owned by the ruler window, or null when the
  // system refused it.
  virtual std::unique_ptr<DialogWindow> CreateDialogWindow() = 0;
  // The bytes of a data resource built into the program, by name, or nothing.
  virtual std::optional<std::string> ResourceData(const std::string& name) const = 0;
};

}  // namespace mensor
