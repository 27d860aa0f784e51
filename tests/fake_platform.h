// The fake platform for unit tests: records what the core asks (lines drawn,
// windows moved, texts set, boxes shown) and answers with a fixed screen.
// Tests drive the same handlers the Win32 layer calls.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "text/text_encoding.h"
#include "ui/canvas.h"
#include "ui/platform.h"

namespace mensor::testing {

// One primitive drawn on a canvas.
struct DrawOp {
  enum Kind { Line, Text, Image, Fill } kind = Line;
  Point from;          // Line: start; Text/Image: top-left of the destination
  Point to;            // Line: end (excluded from the pixels)
  Color color = 0;     // Line: pen colour; Text: font colour; Fill: the fill colour
  PenMode mode = PenMode::Copy;
  std::string text;    // Text
  Rect src;            // Image: source rectangle
  Rect rect;           // Fill: the filled rectangle (right and bottom exclusive)
  friend bool operator==(const DrawOp&, const DrawOp&) = default;
};

class RecordingCanvas : public Canvas {
 public:
  void SetPenColor(Color color) override { pen_color_ = color; }
  Color PenColor() const override { return pen_color_; }
  void SetPenMode(PenMode mode) override { pen_mode_ = mode; }
  void MoveTo(int x, int y) override { pos_ = {x, y}; }
  void LineTo(int x, int y) override {
    DrawOp op;
    op.kind = DrawOp::Line;
    op.from = pos_;
    op.to = {x, y};
    op.color = pen_color_;
    op.mode = pen_mode_;
    ops.push_back(op);
    pos_ = {x, y};
  }
  void FillRect(const Rect& rect, Color color) override {
    DrawOp op;
    op.kind = DrawOp::Fill;
    op.rect = rect;
    op.color = color;
    ops.push_back(op);
  }
  void SetFont(const Font& font) override { font_ = font; }
  void TextOut(int x, int y, std::string_view text) override {
    DrawOp op;
    op.kind = DrawOp::Text;
    op.from = {x, y};
    op.color = font_.color;
    op.text = std::string(text);
    ops.push_back(op);
  }
  void DrawImage(const mensor::Image& image, const Rect& src, Point dst) override {
    DrawOp op;
    op.kind = DrawOp::Image;
    op.from = dst;
    op.src = src;
    ops.push_back(op);
    last_image = &image;
  }

  std::vector<DrawOp> Lines() const { return Filter(DrawOp::Line); }
  std::vector<DrawOp> Texts() const { return Filter(DrawOp::Text); }
  std::vector<DrawOp> Images() const { return Filter(DrawOp::Image); }
  std::vector<DrawOp> Fills() const { return Filter(DrawOp::Fill); }
  const Font& CurrentFont() const { return font_; }

  std::vector<DrawOp> ops;
  const mensor::Image* last_image = nullptr;

 private:
  std::vector<DrawOp> Filter(DrawOp::Kind kind) const {
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops)
      if (op.kind == kind) out.push_back(op);
    return out;
  }
  Color pen_color_ = 0;
  PenMode pen_mode_ = PenMode::Copy;
  Point pos_;
  Font font_;
};

// A canvas that appends to a log owned by someone else (the screen, a window),
// so that what is drawn through canvases opened one after another adds up.
class SharedCanvas : public Canvas {
 public:
  explicit SharedCanvas(RecordingCanvas& target) : target_(target) {}
  void SetPenColor(Color color) override { target_.SetPenColor(color); }
  Color PenColor() const override { return target_.PenColor(); }
  void SetPenMode(PenMode mode) override { target_.SetPenMode(mode); }
  void MoveTo(int x, int y) override { target_.MoveTo(x, y); }
  void LineTo(int x, int y) override { target_.LineTo(x, y); }
  void FillRect(const Rect& rect, Color color) override { target_.FillRect(rect, color); }
  void SetFont(const Font& font) override { target_.SetFont(font); }
  void TextOut(int x, int y, std::string_view text) override { target_.TextOut(x, y, text); }
  void DrawImage(const mensor::Image& image, const Rect& src, Point dst) override {
    target_.DrawImage(image, src, dst);
  }

 private:
  RecordingCanvas& target_;
};

class FakeWindow : public Window {
 public:
  Rect Bounds() const override { return bounds; }
  void SetBounds(int left, int top, int width, int height) override {
    bounds = {left, top, left + width, top + height};
    ++set_bounds_calls;
    if (updates_held == 0) ++changes_not_held;
    if (on_change) on_change();
  }
  void SetPolygonRegion(const std::vector<Point>& points) override {
    region = points;
    ++region_calls;
    if (updates_held == 0) ++changes_not_held;
    if (on_change) on_change();
  }
  void Show() override {
    visible = true;
    log.push_back("show");
  }
  void Hide() override {
    visible = false;
    log.push_back("hide");
  }
  bool IsVisible() const override { return visible; }
  bool IsEnabled() const override { return enabled; }
  void SetTopmost(bool value) override {
    topmost = value;
    log.push_back(value ? "topmost" : "notopmost");
  }
  void BringToFront() override { log.push_back("front"); }
  void Focus() override { log.push_back("focus"); }
  void SetBackgroundColor(Color color) override { background = color; }
  void Invalidate() override { ++invalidations; }
  void InvalidateRect(const Rect&) override { ++invalidations; }
  // Runs the paint handler the test installed, on a fresh recording canvas.
  void Repaint() override {
    ++repaints;
    last_paint = RecordingCanvas{};
    if (on_paint) on_paint(last_paint);
  }
  std::unique_ptr<Canvas> GetCanvas() override { return std::make_unique<SharedCanvas>(direct); }
  void SetCursor(CursorShape shape) override { cursor = shape; }
  void SetMouseCapture(bool capture) override {
    captured = capture;
    log.push_back(capture ? "capture" : "release");
  }
  void Close() override {
    log.push_back("close");
    if (on_close) on_close();
  }
  void BeginUpdate() override {
    if (updates_held++ == 0) log.push_back("hold");
  }
  void EndUpdate() override {
    if (--updates_held == 0) log.push_back("paint");
  }

  Rect bounds;
  std::vector<Point> region;
  int region_calls = 0;
  int set_bounds_calls = 0;
  bool visible = false;
  bool enabled = true;
  bool topmost = false;
  Color background = 0;
  int invalidations = 0;
  int repaints = 0;
  CursorShape cursor = CursorShape::Default;
  bool captured = false;
  int updates_held = 0;      // BeginUpdate calls not yet ended
  int changes_not_held = 0;  // SetBounds and SetPolygonRegion calls outside an update
  std::vector<std::string> log;
  std::function<void(Canvas&)> on_paint;
  std::function<void()> on_close;
  std::function<void()> on_change;  // after each change of place, size or shape
  RecordingCanvas last_paint;  // what the last Repaint drew
  RecordingCanvas direct;      // what was drawn through GetCanvas()
};

// A dialog window that records what its form asked. ShowModal runs the
// form's show handler, then on_modal (the test acting as the user), then
// returns as if the window had been closed.
class FakeDialogWindow : public DialogWindow {
 public:
  struct Button {
    int id;
    Rect bounds;
    std::string caption;
    Font font;
  };
  struct Hint {
    Rect bounds;
    std::string text;
  };
  void SetCaption(const std::string& value) override { caption = value; }
  void SetClientSize(int width, int height) override { client = {width, height}; }
  int PixelsPerInch() const override { return ppi; }
  void AddButton(int id, const Rect& bounds, const std::string& text, const Font& font) override {
    buttons.push_back({id, bounds, text, font});
  }
  void MoveButton(int id, const Rect& bounds, const Font& font) override {
    for (Button& b : buttons)
      if (b.id == id) b.bounds = bounds, b.font = font;
  }
  void SetButtonCaption(int id, const std::string& text) override {
    for (Button& b : buttons)
      if (b.id == id) b.caption = text;
  }
  void AddEdit(int id, const Rect& bounds, const std::string& text, const Font&) override {
    edits[id] = text;
    edit_bounds[id] = bounds;
  }
  std::string EditText(int id) const override {
    const auto it = edits.find(id);
    return it != edits.end() ? it->second : std::string();
  }
  void SetEditText(int id, const std::string& text) override { edits[id] = text; }

  void AddHint(const Rect& bounds, const std::string& text) override { hints.push_back({bounds, text}); }
  void SetHint(int index, const Rect& bounds, const std::string& text) override {
    hints.at(static_cast<std::size_t>(index)) = {bounds, text};
  }
  Size MaxClientSize() const override { return max_client; }
  void SetCursor(CursorShape shape) override { cursor = shape; }
  void Invalidate() override { ++invalidations; }
  void ShowModal(DialogHandler& handler) override {
    handler.FormShow();
    shown = true;
    if (on_modal) on_modal(*this, handler);
  }
  void ShowModeless(DialogHandler& handler, const Box& ruler_box) override {
    handler.FormShow();
    shown = true;
    modeless = true;
    ruler = ruler_box;
    if (on_modal) on_modal(*this, handler);
  }
  void Activate() override { ++activations; }
  void Close() override {
    ++closes;
    if (modeless) shown = false;
  }
  void OpenWithShell(const std::string& target) override { opened.push_back(target); }

  // What the form painted, through its own paint handler.
  RecordingCanvas Paint(DialogHandler& handler) {
    RecordingCanvas canvas;
    handler.FormPaint(canvas);
    return canvas;
  }
  const Button* FindButton(int id) const {
    for (const Button& b : buttons)
      if (b.id == id) return &b;
    return nullptr;
  }

  std::string caption;
  int ppi = 96;
  Size max_client;  // 0 by 0: no limit known
  Size client;
  std::vector<Button> buttons;
  std::map<int, std::string> edits;  // the text fields' texts by id
  std::map<int, Rect> edit_bounds;
  std::vector<Hint> hints;
  CursorShape cursor = CursorShape::Default;
  int invalidations = 0;
  bool shown = false;
  bool modeless = false;
  Box ruler;  // the ruler's box a modeless showing keeps clear
  int activations = 0;
  int closes = 0;
  std::vector<std::string> opened;
  std::function<void(FakeDialogWindow&, DialogHandler&)> on_modal;
};

class FakePlatform : public Platform {
 public:
  Size ScreenSize() const override { return screen; }
  std::unique_ptr<Canvas> OpenScreenCanvas() override {
    ++screen_canvases_opened;
    return std::make_unique<SharedCanvas>(screen_drawing);
  }
  bool CaptureScreen(mensor::Image& image, const Rect& area) override {
    ++captures;
    capture_area = area;
    image.Resize(std::max(area.Width(), 0), std::max(area.Height(), 0));
    if (capture_fails) return false;
    if (fill_capture) fill_capture(image);
    return true;
  }
  // The monitors of `monitors`; when none are given, one primary monitor of
  // `screen` at (0, 0) with `ppi`, `physical_mm` and `identity`, as a
  // single-screen desktop.
  MonitorList Monitors() const override {
    if (!monitors.empty()) return monitors;
    const Rect bounds{0, 0, screen.cx, screen.cy};
    return {Monitor{bounds, bounds, ppi, true, physical_mm, identity}};
  }
  Rect VirtualScreen() const override { return VirtualScreenOf(Monitors()); }
  Size TextExtent(const Font& font, std::string_view text) const override {
    if (text_extent) return text_extent(font, text);
    // A fixed-pitch stand-in: characters half the font height wide.
    int h = font.height < 0 ? -font.height : font.height;
    int height = h + 2;
    return {static_cast<int>(text.size()) * (h / 2 + 1), height};
  }
  Point CursorPos() const override { return cursor_pos; }
  void SetCursorPos(Point p) override { cursor_pos = p; }
  void ShowMouseCursor(bool show) override { cursor_display_count += show ? 1 : -1; }
  void SetRulerCursor(Point from, Point to) override {
    ruler_cursor_from = from;
    ruler_cursor_to = to;
    ++ruler_cursor_builds;
  }
  void LoadRotateCursor() override { rotate_cursor_loaded = true; }
  void ShowInfo(const std::string& text, const std::string& caption) override {
    infos.push_back(text);
    info_captions.push_back(caption);
  }
  int TrackPopupMenu(const Menu& menu, Point at) override {
    events.push_back("menu");
    shown_menus.push_back(menu);
    menu_points.push_back(at);
    if (menu_choices.empty()) return 0;
    int id = menu_choices.front();
    menu_choices.pop_front();
    return id;
  }
  bool RegisterHotKey(int id, unsigned modifiers, unsigned key) override {
    hotkey_calls.push_back({id, modifiers, key});
    if (!hotkey_succeeds) return false;
    registered_hotkeys[id] = {modifiers, key};
    return true;
  }
  void UnregisterHotKey(int id) override { registered_hotkeys.erase(id); }
  bool AddNotifyIcon(int id, unsigned callback_message, const std::string& tip) override {
    notify_icons[id] = {callback_message, tip};
    return true;
  }
  void RemoveNotifyIcon(int id) override { notify_icons.erase(id); }
  bool StartProgram(const std::string& command_line) override {
    started_programs.push_back(command_line);
    return program_starts;
  }
  void OpenDocument(const std::string& path) override { opened_documents.push_back(path); }
  // Each try takes the next answer of clipboard_answers (Done when none is
  // left); the text stays only after Done.
  ClipboardResult CopyText(const std::string& text) override {
    ++clipboard_tries;
    ClipboardResult answer = ClipboardResult::Done;
    if (!clipboard_answers.empty()) {
      answer = clipboard_answers.front();
      clipboard_answers.pop_front();
    }
    if (answer == ClipboardResult::Done) clipboard = text;
    return answer;
  }
  void ReleaseActivation() override { events.push_back("release-activation"); }
  void Sleep(int milliseconds) override { events.push_back("sleep " + std::to_string(milliseconds)); }
  void ProcessMessages() override { events.push_back("process-messages"); }
  std::string ExeDir() const override { return exe_dir; }
  std::string JoinPath(const std::string& dir, const std::string& name) const override {
    return dir + "/" + name;
  }
  std::optional<std::string> ReadFile(const std::string& path) const override {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  // The settings file's careful steps, over `files`. A count in the busy
  // maps is how many more tries find the file in use (-1: for ever).
  FileRead ReadSharedFile(const std::string& name) const override {
    file_ops.push_back("read " + name);
    const std::string path = ResolveLinks(name);  // opening follows links
    FileRead read;
    if (TakeBusy(busy_reads, path)) {
      read.result = FileResult::Busy;
    } else if (auto failure = read_failures.find(path); failure != read_failures.end()) {
      read.result = failure->second;
    } else if (auto it = files.find(path); it != files.end()) {
      read.result = FileResult::Done;
      read.bytes = it->second;
      read.read_only = read_only_files.count(path) != 0;
    }
    return read;
  }
  // Files directly in dir (a key of files below it without a further '/').
  std::vector<std::string> ListFiles(const std::string& dir) const override {
    std::vector<std::string> names;
    const std::string prefix = dir + "/";
    for (const auto& [path, content] : files) {
      if (path.compare(0, prefix.size(), prefix) != 0) continue;
      const std::string name = path.substr(prefix.size());
      if (!name.empty() && name.find('/') == std::string::npos) names.push_back(name);
    }
    return names;
  }
  void CreateFolder(const std::string& path) override { created_folders.push_back(path); }
  // The fake system's ANSI code page is Windows-1252.
  std::string AnsiToUtf8(std::string_view text) const override { return Cp1252ToUtf8(text); }

  std::unique_ptr<DialogWindow> CreateDialogWindow() override {
    ++dialogs_created;
    if (!dialogs_possible) return nullptr;
    auto dialog = std::make_unique<FakeDialogWindow>();
    dialog->on_modal = on_dialog;
    return dialog;
  }
  std::optional<std::string> ResourceData(const std::string& name) const override {
    auto it = resources.find(name);
    if (it == resources.end()) return std::nullopt;
    return it->second;
  }
  // Links in `links` lead to their targets; a target that is no file in
  // `files` leaves the link dangling.
  std::string ResolveLinks(const std::string& path) const override {
    const std::string target = LinkTarget(path);
    return files.count(target) ? target : path;
  }
  // Writing follows links (a dangling one to the file it would name).
  FileResult WriteNewFile(const std::string& name, const std::string& content) override {
    file_ops.push_back("create " + name);
    const std::string path = LinkTarget(name);
    if (InMissingFolder(path)) return FileResult::Missing;
    if (refuse_writes || no_new_files) return FileResult::Refused;
    files[path] = content;
    return FileResult::Done;
  }
  // A rename replaces a link at `to` itself.
  FileResult MoveOver(const std::string& from, const std::string& to) override {
    file_ops.push_back("move " + from + " " + to);
    if (TakeBusy(busy_moves, to)) return FileResult::Busy;
    if (read_only_files.count(to)) return FileResult::Refused;
    auto it = files.find(from);
    if (it == files.end()) return FileResult::Missing;
    links.erase(to);
    files[to] = it->second;
    files.erase(from);
    return FileResult::Done;
  }
  FileResult RewriteFile(const std::string& name, const std::string& content) override {
    file_ops.push_back("rewrite " + name);
    const std::string path = LinkTarget(name);
    if (TakeBusy(busy_rewrites, path)) return FileResult::Busy;
    if (InMissingFolder(path)) return FileResult::Missing;
    if (refuse_writes || read_only_files.count(path)) return FileResult::Refused;
    files[path] = content;
    return FileResult::Done;
  }
  bool RemoveFile(const std::string& path) override {
    file_ops.push_back("remove " + path);
    return files.erase(path) != 0;
  }
  std::vector<FileEntry> FilesStartingWith(const std::string& path_prefix) const override {
    std::vector<FileEntry> found;
    for (const auto& [path, content] : files) {
      if (path.compare(0, path_prefix.size(), path_prefix) != 0) continue;
      auto age = file_ages.find(path);
      found.push_back({path, age == file_ages.end() ? 0 : age->second});
    }
    return found;
  }
  unsigned long ProcessId() const override { return pid; }
  bool ProcessRunning(unsigned long id) const override { return id == pid || running_processes.count(id) != 0; }

  struct HotKeyCall {
    int id;
    unsigned modifiers;
    unsigned key;
  };

  Size screen{1920, 1080};
  // Measures texts in place of the fixed-pitch stand-in when set.
  std::function<Size(const Font&, std::string_view)> text_extent;
  int ppi = 96;
  std::optional<Size> physical_mm;  // what the single screen's EDID reports
  std::string identity;
  RecordingCanvas screen_drawing;  // everything drawn on the whole screen
  int screen_canvases_opened = 0;
  int captures = 0;
  Rect capture_area;
  // A multi-monitor desktop; empty means the single screen above.
  MonitorList monitors;
  std::function<void(mensor::Image&)> fill_capture;
  bool capture_fails = false;  // the screen cannot be read (a secure desktop)
  Point cursor_pos;
  int cursor_display_count = 0;
  Point ruler_cursor_from, ruler_cursor_to;
  int ruler_cursor_builds = 0;
  bool rotate_cursor_loaded = false;
  std::vector<std::string> infos, info_captions;
  std::optional<std::string> clipboard;
  std::deque<ClipboardResult> clipboard_answers;
  int clipboard_tries = 0;
  std::vector<Menu> shown_menus;
  std::vector<Point> menu_points;
  std::deque<int> menu_choices;
  bool hotkey_succeeds = true;
  std::vector<HotKeyCall> hotkey_calls;
  std::map<int, std::pair<unsigned, unsigned>> registered_hotkeys;
  std::map<int, std::pair<unsigned, std::string>> notify_icons;
  std::vector<std::string> events;
  bool program_starts = true;
  std::vector<std::string> started_programs;
  std::vector<std::string> opened_documents;
  std::string exe_dir = "/mensor";
  std::map<std::string, std::string> files;
  bool refuse_writes = false;
  std::vector<std::string> created_folders;

  // Dialog windows: each new one gets on_dialog as its user.
  int dialogs_created = 0;
  bool dialogs_possible = true;
  std::function<void(FakeDialogWindow&, DialogHandler&)> on_dialog;
  std::map<std::string, std::string> resources;
  // Careful file access.
  mutable std::map<std::string, int> busy_reads;
  std::map<std::string, int> busy_moves, busy_rewrites;
  std::map<std::string, FileResult> read_failures;
  std::set<std::string> read_only_files;
  bool no_new_files = false;  // the folder takes no new files
  std::map<std::string, std::string> links;
  std::set<std::string> missing_folders;  // writing a file there gives Missing
  std::set<unsigned long> running_processes;  // besides this one
  std::map<std::string, long long> file_ages;
  unsigned long pid = 4242;
  mutable std::vector<std::string> file_ops;

 private:
  // Where the link chain from path ends (path itself when it is no link).
  std::string LinkTarget(std::string path) const {
    for (int hops = 0; hops < 32; ++hops) {
      auto it = links.find(path);
      if (it == links.end()) break;
      path = it->second;
    }
    return path;
  }
  bool InMissingFolder(const std::string& path) const {
    return missing_folders.count(path.substr(0, path.rfind('/'))) != 0;
  }
  static bool TakeBusy(std::map<std::string, int>& busy, const std::string& path) {
    auto it = busy.find(path);
    if (it == busy.end() || it->second == 0) return false;
    if (it->second > 0) --it->second;
    return true;
  }
};

}  // namespace mensor::testing
