// Win32Platform: what the core asks of the system, carried out with user32,
// gdi32, comctl32, shell32 and kernel32.
#include "ui/win32/win32_platform.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "ui/edid.h"
#include "ui/win32/convert.h"
#include "ui/win32/dialog_window.h"
#include "ui/win32/dpi.h"
#include "ui/win32/main_window.h"
#include "ui/win32/resource.h"
#include "ui/win32/system_folder.h"

namespace mensor::win32 {
namespace {

constexpr int kCursorSize = 32;
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kCursorGreen = RGB(0x00, 0x80, 0x00);  // 0x008000

// A cursor with the picture of an icon and the given hot spot. The icon's own
// hot spot (its centre) is replaced: a cursor made with fIcon = FALSE keeps
// the one given.
Cursor CursorFromIcon(HICON icon, int hot_x, int hot_y) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return Cursor();
  Bitmap mask(info.hbmMask);
  Bitmap color(info.hbmColor);
  info.fIcon = FALSE;
  info.xHotspot = static_cast<DWORD>(hot_x);
  info.yHotspot = static_cast<DWORD>(hot_y);
  return Cursor(CreateIconIndirect(&info));
}

HCURSOR SystemCursor(LPCWSTR id) { return LoadCursorW(nullptr, id); }

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {
  tray_icon_.Reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0)));
}

Win32Platform::~Win32Platform() {
  for (auto& [id, data] : notify_icons_) Shell_NotifyIconW(NIM_DELETE, &data);
}

HWND Win32Platform::MainHwnd() const { return main_ != nullptr ? main_->hwnd() : nullptr; }

// --- screen ---

Size Win32Platform::ScreenSize() const {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// The density of the monitor the ruler is on.
int Win32Platform::PixelsPerInch() const { return DpiOf(MainHwnd()); }

std::unique_ptr<Canvas> Win32Platform::OpenScreenCanvas() {
  return std::make_unique<GdiCanvas>(WindowDc(nullptr), fonts_);
}

bool Win32Platform::CaptureScreen(Image& image, const Rect& area) {
  const int w = std::max(area.Width(), 0);
  const int h = std::max(area.Height(), 0);
  image.Resize(w, h);
  if (image.Empty()) return false;
  WindowDc screen(nullptr);
  MemoryDc memory(CreateCompatibleDC(screen.Get()));
  const BITMAPINFO bi = TopDownDib24(w, h);
  void* bits = nullptr;
  Bitmap section(CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !section || bits == nullptr) return false;
  bool copied = false;
  {
    SelectScope select(memory.Get(), section.Get());
    // The screen DC spans the virtual screen in screen coordinates, so the
    // area may lie on any monitor or across several; parts of it between
    // monitors read as black.
    copied = BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), area.left, area.top, SRCCOPY) != FALSE;
  }
  GdiFlush();
  if (!copied) return false;
  // A 24-bit DIB section has the image's layout: rows top to bottom, padded
  // to four bytes.
  std::memcpy(image.bytes.data(), bits, image.bytes.size());
  return true;
}

// --- monitors ---

namespace {

// NOTE: GetDpiForMonitor (shcore, Windows 8.1 and later) is looked up at run
// time so the program also starts where it is missing; there every monitor
// has the system density.
int MonitorDpi(HMONITOR monitor) {
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto get_dpi_for_monitor =
      ModuleFunction<GetDpiForMonitorFn>(LoadSystemLibrary(L"shcore.dll"), "GetDpiForMonitor");
  if (get_dpi_for_monitor != nullptr && monitor != nullptr) {
    UINT x = 0;
    UINT y = 0;
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    if (SUCCEEDED(get_dpi_for_monitor(monitor, kEffectiveDpi, &x, &y)) && y != 0) return static_cast<int>(y);
  }
  return SystemDpi();
}

struct MonitorScan {
  MonitorList& monitors;
  const std::map<std::wstring, MonitorEdid>& edids;
};

Monitor DescribeMonitor(HMONITOR handle, const std::map<std::wstring, MonitorEdid>& edids) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  Monitor m;
  if (GetMonitorInfoW(handle, &info)) {
    m.bounds = FromRECT(info.rcMonitor);
    m.work_area = FromRECT(info.rcWork);
    m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    const auto edid = edids.find(info.szDevice);
    if (edid != edids.end()) DescribeByEdid(m, edid->second.bytes, WideToUtf8(edid->second.device_path));
  }
  m.pixels_per_inch = MonitorDpi(handle);
  return m;
}

BOOL CALLBACK CollectMonitor(HMONITOR handle, HDC, LPRECT, LPARAM data) {
  MonitorScan& scan = *reinterpret_cast<MonitorScan*>(data);
  scan.monitors.push_back(DescribeMonitor(handle, scan.edids));
  return TRUE;
}

}  // namespace

MonitorList Win32Platform::Monitors() const {
  // NOTE: the EDIDs come from the registry, read once and again only after
  // the displays changed: a paint asks for the monitors and must not wait.
  if (!monitor_edids_) monitor_edids_ = ReadMonitorEdids();
  MonitorList monitors;
  MonitorScan scan{monitors, *monitor_edids_};
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&scan));
  if (monitors.empty()) {
    // Never expected; the primary screen stands in for the desktop.
    const Rect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    Monitor m;
    m.bounds = m.work_area = primary;
    m.pixels_per_inch = MonitorDpi(nullptr);
    m.primary = true;
    monitors.push_back(m);
  }
  std::stable_partition(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
  return monitors;
}

void Win32Platform::DisplaysChanged() { monitor_edids_.reset(); }

Rect Win32Platform::VirtualScreen() const {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

int Win32Platform::PixelsPerInchAt(Point screen) {
  return MonitorDpi(MonitorFromPoint(POINT{screen.x, screen.y}, MONITOR_DEFAULTTONEAREST));
}

Size Win32Platform::TextExtent(const Font& font, std::string_view text) const {
  const std::wstring wide = Utf8ToWide(text);
  WindowDc screen(nullptr);
  SelectScope select(screen.Get(), fonts_.Get(font));
  SIZE size{};
  GetTextExtentPoint32W(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  if (wide.empty()) {
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.Get(), &tm);
    size.cy = tm.tmHeight;
  }
  return FromSIZE(size);
}

// --- pointer ---

Point Win32Platform::CursorPos() const {
  POINT pt{};
  GetCursorPos(&pt);
  return FromPOINT(pt);
}

void Win32Platform::SetCursorPos(Point p) { ::SetCursorPos(p.x, p.y); }

void Win32Platform::ShowMouseCursor(bool show) { ::ShowCursor(show ? TRUE : FALSE); }

void Win32Platform::Install(Cursor& slot, Cursor fresh) {
  if (!fresh) return;
  if (slot && GetCursor() == slot.Get()) ::SetCursor(fresh.Get());
  slot = std::move(fresh);
}

void Win32Platform::SetRulerCursor(Point from, Point to) {
  WindowDc screen(nullptr);
  MemoryDc memory(CreateCompatibleDC(screen.Get()));
  Bitmap picture(CreateCompatibleBitmap(screen.Get(), kCursorSize, kCursorSize));
  if (!memory || !picture) return;
  {
    SelectScope select(memory.Get(), picture.Get());
    const RECT all{0, 0, kCursorSize, kCursorSize};
    FillRect(memory.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    Pen pen(CreatePen(PS_SOLID, 1, kCursorGreen));
    SelectScope use_pen(memory.Get(), pen.Get());
    MoveToEx(memory.Get(), from.x, from.y, nullptr);
    LineTo(memory.Get(), to.x, to.y);
  }
  // The picture must not be selected into a DC while the image list takes it.
  // White becomes transparent through the list's mask.
  ImageList list(ImageList_Create(kCursorSize, kCursorSize, ILC_COLOR24 | ILC_MASK, 1, 0));
  if (!list || ImageList_AddMasked(list.Get(), picture.Get(), kWhite) < 0) return;
  Icon icon(ImageList_GetIcon(list.Get(), 0, ILD_NORMAL));
  if (!icon) return;
  Install(ruler_cursor_, CursorFromIcon(icon.Get(), kCursorSize / 2, kCursorSize / 2));
}

void Win32Platform::LoadRotateCursor() {
  Icon icon(static_cast<HICON>(
      LoadImageW(instance_, MAKEINTRESOURCEW(IDI_ROTATE), IMAGE_ICON, kCursorSize, kCursorSize, 0)));
  if (!icon) return;
  Install(rotate_cursor_, CursorFromIcon(icon.Get(), kCursorSize / 2, kCursorSize / 2));
}

HCURSOR Win32Platform::CursorFor(CursorShape shape) const {
  switch (shape) {
    case CursorShape::Default:
    case CursorShape::Arrow: return SystemCursor(IDC_ARROW);
    case CursorShape::Cross: return SystemCursor(IDC_CROSS);
    case CursorShape::SizeNS: return SystemCursor(IDC_SIZENS);
    case CursorShape::SizeWE: return SystemCursor(IDC_SIZEWE);
    case CursorShape::SizeNESW: return SystemCursor(IDC_SIZENESW);
    case CursorShape::SizeNWSE: return SystemCursor(IDC_SIZENWSE);
    case CursorShape::SizeAll: return SystemCursor(IDC_SIZEALL);
    case CursorShape::Ruler: return ruler_cursor_ ? ruler_cursor_.Get() : SystemCursor(IDC_ARROW);
    case CursorShape::Rotate: return rotate_cursor_ ? rotate_cursor_.Get() : SystemCursor(IDC_ARROW);
    case CursorShape::Hand: return SystemCursor(IDC_HAND);
  }
  return SystemCursor(IDC_ARROW);
}

// --- messages to the user ---

void Win32Platform::ShowInfo(const std::string& text, const std::string& caption) {
  const HWND previous = GetActiveWindow();
  // NOTE: MB_TASKMODAL without an owner disables every top-level window of
  // this thread while the box is open. A topmost ruler would hide a box that
  // is not topmost itself, so the box follows the ruler's stacking class.
  UINT flags = MB_OK | MB_ICONINFORMATION | MB_TASKMODAL | MB_SETFOREGROUND;
  if (MainHwnd() != nullptr && (GetWindowLongPtrW(MainHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST)) flags |= MB_TOPMOST;
  MessageBoxW(nullptr, Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), flags);
  if (previous != nullptr && IsWindow(previous)) SetActiveWindow(previous);
}

int Win32Platform::TrackPopupMenu(const Menu& menu, Point screen) {
  const HWND owner = MainHwnd();
  if (owner == nullptr) return 0;
  // The menu takes the density of the monitor it opens on.
  return main_->TrackMenu(menu, screen, PixelsPerInchAt(screen));
}

// --- system services ---

bool Win32Platform::RegisterHotKey(int id, unsigned modifiers, unsigned key) {
  return ::RegisterHotKey(MainHwnd(), id, modifiers, key) != FALSE;
}

void Win32Platform::UnregisterHotKey(int id) { ::UnregisterHotKey(MainHwnd(), id); }

bool Win32Platform::AddNotifyIcon(int id, unsigned callback_message, const std::string& tip) {
  // NOTE: the full structure of this SDK; its size tells the shell which
  // fields are present (the 32-bit layout's size would be refused on x64).
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = MainHwnd();
  data.uID = static_cast<UINT>(id);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callback_message;
  data.hIcon = tray_icon_.Get();
  const std::wstring wide = Utf8ToWide(tip);
  wcsncpy(data.szTip, wide.c_str(), std::size(data.szTip) - 1);
  const bool added = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  // Kept even when refused: the icon is added when the shell (re)starts.
  notify_icons_[id] = data;
  return added;
}

void Win32Platform::RemoveNotifyIcon(int id) {
  auto it = notify_icons_.find(id);
  if (it == notify_icons_.end()) return;
  Shell_NotifyIconW(NIM_DELETE, &it->second);
  notify_icons_.erase(it);
}

void Win32Platform::RestoreNotifyIcons() {
  for (auto& [id, data] : notify_icons_) Shell_NotifyIconW(NIM_ADD, &data);
}

bool Win32Platform::StartProgram(const std::string& program) {
  // NOTE: by its full path: a bare name given to WinExec or CreateProcessW is
  // looked for in the program's own folder and the current folder before the
  // system's, and a file of that name may lie there.
  const std::wstring path = SystemFolderPath(Utf8ToWide(program));
  if (path.empty()) return false;
  std::wstring command_line = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(path.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void Win32Platform::OpenDocument(const std::string& path) {
  ShellExecuteW(MainHwnd(), L"open", Utf8ToWide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Platform::ReleaseActivation() { SetActiveWindow(nullptr); }

void Win32Platform::Sleep(int milliseconds) { ::Sleep(static_cast<DWORD>(std::max(milliseconds, 0))); }

void Win32Platform::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Left for the main loop, which ends the program.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// --- files ---

std::string Win32Platform::ExeDir() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos) path.resize(slash);
  return WideToUtf8(path);
}

std::string Win32Platform::JoinPath(const std::string& dir, const std::string& name) const {
  return dir + "\\" + name;
}

std::optional<std::string> Win32Platform::ReadFile(const std::string& path) const {
  FileRead read = ReadSharedFile(path);
  if (read.result != FileResult::Done) return std::nullopt;
  return std::move(read.bytes);
}

// --- language packs ---

std::vector<std::string> Win32Platform::ListFiles(const std::string& dir) const {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data{};
  // NOTE: FindFirstFileW reports hidden, system and read-only files as well;
  // only folders are left out here.
  const HANDLE find = FindFirstFileW(Utf8ToWide(dir + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(WideToUtf8(data.cFileName));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

void Win32Platform::CreateFolder(const std::string& path) {
  CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr);
}

std::string Win32Platform::AnsiToUtf8(std::string_view text) const {
  if (text.empty()) return {};
  // ReadFile hands out at most kMaxReadBytes, so the count fits an int.
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), n);
  return WideToUtf8(wide);
}

// --- dialogs and resources ---

std::unique_ptr<DialogWindow> Win32Platform::CreateDialogWindow() {
  auto dialog = std::make_unique<PlatformDialogWindow>(instance_, *this);
  if (!dialog->Create(MainHwnd())) return nullptr;
  return dialog;
}

std::optional<std::string> Win32Platform::ResourceData(const std::string& name) const {
  HRSRC found = FindResourceW(instance_, Utf8ToWide(name).c_str(), RT_RCDATA);
  if (found == nullptr) return std::nullopt;
  HGLOBAL loaded = LoadResource(instance_, found);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return std::nullopt;
  // Resources stay mapped with the module; nothing to free.
  return std::string(static_cast<const char*>(data), SizeofResource(instance_, found));
}

}  // namespace mensor::win32
