// ToolBarWindow: the tool bar's class, its controls and its messages.
#include "ui/win32/tool_bar_window.h"

#include <algorithm>
#include <cstring>

#include "toolbar/tool_bar_form.h"
#include "toolbar/tool_bar_math.h"
#include "ui/win32/convert.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/input_state.h"
#include "ui/win32/resource.h"
#include "ui/win32/tool_tips.h"
#include "ui/win32/win32_platform.h"

namespace mensor::win32 {
namespace {

constexpr wchar_t kClassName[] = L"MensorToolBar";
constexpr UINT_PTR kMagnifierTimer = 1;
constexpr UINT_PTR kFactorBoxSubclass = 1;
constexpr UINT kMagnifierToolId = 1;
constexpr UINT kCalculatorToolId = 2;
constexpr UINT kCaptionToolId = 3;
// The glyphs' pixels of this colour are not drawn (magenta never occurs in
// them otherwise).
constexpr COLORREF kGlyphTransparent = RGB(0xFF, 0x00, 0xFF);
// Name of the message a test asks the running program's counts with:
// wparam 0 gives the handles alive in the GDI owners, 1 the process's
// kernel handles.
constexpr wchar_t kCountMessage[] = L"MensorResourceCount";

HBITMAP LoadGlyph(HINSTANCE instance, int id) {
  return static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace

ToolBarWindow::ToolBarWindow(HINSTANCE instance, Win32Platform& platform) : TopLevelWindow(instance, platform) {}

ToolBarWindow::~ToolBarWindow() {
  if (hwnd() != nullptr) KillTimer(hwnd(), kMagnifierTimer);
  if (factor_box_ != nullptr) RemoveWindowSubclass(factor_box_, &ToolBarWindow::FactorBoxProc, kFactorBoxSubclass);
}

bool ToolBarWindow::Create() {
  WNDCLASSEXW wc{};
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // No class brush: the paint covers every pixel.
  wc.hbrBackground = nullptr;
  wc.lpszClassName = kClassName;
  // WS_POPUP: no border and no caption bar; the band moves it.
  // WS_CLIPCHILDREN: the paint leaves the factor box alone.
  // WS_EX_TOPMOST: it floats above other windows.
  // WS_EX_TOOLWINDOW: no task-bar button.
  if (!CreateHidden(wc, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP | WS_CLIPCHILDREN, L"Mensor ToolBar",
                    TFormToolBar::kWidth, TFormToolBar::kBandHeight))
    return false;
  count_message_ = RegisterWindowMessageW(kCountMessage);
  magnifier_glyph_.Reset(LoadGlyph(instance_, IDB_MAGNIFIER));
  calculator_glyph_.Reset(LoadGlyph(instance_, IDB_CALCULATOR));

  const HFONT font = platform_.fonts().Get(Font{});
  const Rect box = TFormToolBar::kFactorBox;
  // ES_NUMBER: digits only; the limit of one character is set below.
  factor_box_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_NUMBER | ES_LEFT,
                                box.left, box.top, box.Width(), box.Height(), hwnd(), nullptr, instance_, nullptr);
  if (factor_box_ != nullptr) {
    SendMessageW(factor_box_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(factor_box_, EM_SETLIMITTEXT, 1, 0);
    SetWindowSubclass(factor_box_, &ToolBarWindow::FactorBoxProc, kFactorBoxSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    // The up-down control sits inside the box's right end and writes its
    // position into the box (UDS_SETBUDDYINT).
    factor_spin_ = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                   WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS,
                                   0, 0, 0, 0, hwnd(), nullptr, instance_, nullptr);
    if (factor_spin_ != nullptr) {
      SendMessageW(factor_spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(factor_box_), 0);
      SendMessageW(factor_spin_, UDM_SETRANGE32, kMinFactor, kMaxFactor);
    }
  }

  tooltip_ = CreateToolTips(instance_, hwnd());
  if (tooltip_ != nullptr) {
    AddToolTip(tooltip_, hwnd(), kMagnifierToolId, TFormToolBar::kMagnifierButton, L"");
    AddToolTip(tooltip_, hwnd(), kCalculatorToolId, TFormToolBar::kCalculatorButton, L"");
    // Over the factor box's caption when it is cut (an empty place till then).
    AddToolTip(tooltip_, hwnd(), kCaptionToolId, Rect{}, L"");
  }
  return true;
}

void ToolBarWindow::Show() { ShowWindow(hwnd(), SW_SHOWNA); }

// --- ToolBarControls ---

void ToolBarWindow::SetTimerEnabled(bool enabled) {
  if (enabled) {
    SetTimer(hwnd(), kMagnifierTimer, TFormToolBar::kTimerInterval, nullptr);
  } else {
    KillTimer(hwnd(), kMagnifierTimer);
  }
}

std::string ToolBarWindow::FactorText() const {
  if (factor_box_ == nullptr) return {};
  wchar_t text[16] = {};
  GetWindowTextW(factor_box_, text, static_cast<int>(std::size(text)));
  return WideToUtf8(text);
}

void ToolBarWindow::SetFactorText(const std::string& text) {
  if (factor_box_ != nullptr) SetWindowTextW(factor_box_, Utf8ToWide(text).c_str());
  // The arrows go on from the value the box shows.
  const FactorReading reading = FactorFromText(text);
  if (factor_spin_ != nullptr) SendMessageW(factor_spin_, UDM_SETPOS32, 0, reading.factor);
}

void ToolBarWindow::DrawPointer(Image& picture, Point at) {
  if (picture.Empty()) return;
  // NOTE: GetCursorInfo gives the pointer the user sees, whichever program
  // set it, and whether it is shown; no joining of this thread's input with
  // another program's is needed for that.
  CURSORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetCursorInfo(&info) || (info.flags & CURSOR_SHOWING) == 0 || info.hCursor == nullptr) return;
  ICONINFO icon{};
  if (!GetIconInfo(info.hCursor, &icon)) return;
  // GetIconInfo hands out copies of the pointer's two bitmaps.
  Bitmap mask(icon.hbmMask);
  Bitmap color(icon.hbmColor);
  WindowDc screen(nullptr);
  MemoryDc memory(CreateCompatibleDC(screen.Get()));
  const BITMAPINFO bi = TopDownDib24(picture.width, picture.height);
  void* bits = nullptr;
  Bitmap section(CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !section || bits == nullptr) return;
  // A 24-bit top-down DIB section has the picture's layout.
  std::memcpy(bits, picture.bytes.data(), picture.bytes.size());
  {
    SelectScope select(memory.Get(), section.Get());
    DrawIcon(memory.Get(), at.x - static_cast<int>(icon.xHotspot), at.y - static_cast<int>(icon.yHotspot),
             info.hCursor);
  }
  GdiFlush();
  std::memcpy(picture.bytes.data(), bits, picture.bytes.size());
}

void ToolBarWindow::SetHints(const std::string& magnifier, const std::string& calculator) {
  if (tooltip_ == nullptr) return;
  const std::pair<UINT, std::wstring> hints[] = {{kMagnifierToolId, Utf8ToWide(magnifier)},
                                                 {kCalculatorToolId, Utf8ToWide(calculator)}};
  for (const auto& [id, text] : hints) {
    TTTOOLINFOW info = ToolInfo(hwnd(), id);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void ToolBarWindow::PlaceFactorBox(const Rect& box, const Rect& caption, const std::string& caption_hint) {
  if (factor_box_ != nullptr) {
    MoveWindow(factor_box_, box.left, box.top, box.Width(), box.Height(), TRUE);
    // Setting the buddy again puts the arrows inside the box's new place.
    if (factor_spin_ != nullptr) SendMessageW(factor_spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(factor_box_), 0);
  }
  if (tooltip_ == nullptr) return;
  TTTOOLINFOW info = ToolInfo(hwnd(), kCaptionToolId);
  info.rect = ToRECT(caption_hint.empty() ? Rect{} : caption);
  SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
  std::wstring text = Utf8ToWide(caption_hint);
  info.lpszText = text.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

int ToolBarWindow::TrackPopupMenu(const Menu& menu, Point screen) {
  return TrackMenu(menu, screen, platform_.PixelsPerInch());
}

// --- messages ---

LRESULT ToolBarWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == count_message_ && count_message_ != 0) {
    if (wparam == 0) return LiveHandleCount();
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    return static_cast<LRESULT>(handles);
  }
  if (form_ == nullptr) return DefWindowProcW(hwnd(), message, wparam, lparam);
  // The class has no CS_DBLCLKS: a second click is a second press.
  const int x = GET_X_LPARAM(lparam);
  const int y = GET_Y_LPARAM(lparam);
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: form_->MouseDown(MouseButton::Left, MouseShift(wparam), x, y); return 0;
    case WM_RBUTTONDOWN: form_->MouseDown(MouseButton::Right, MouseShift(wparam), x, y); return 0;
    case WM_MBUTTONDOWN: form_->MouseDown(MouseButton::Middle, MouseShift(wparam), x, y); return 0;
    case WM_MOUSEMOVE:
      if (!tracking_leave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
        tracking_leave_ = TrackMouseEvent(&track) != FALSE;
      }
      form_->MouseMove(MouseShift(wparam), x, y);
      return 0;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      form_->MouseLeave();
      return 0;
    case WM_LBUTTONUP: form_->MouseUp(MouseButton::Left, MouseShift(wparam), x, y); return 0;
    case WM_MBUTTONUP: form_->MouseUp(MouseButton::Middle, MouseShift(wparam), x, y); return 0;
    // The default handling of the right button's release sends WM_CONTEXTMENU.
    case WM_RBUTTONUP: form_->MouseUp(MouseButton::Right, MouseShift(wparam), x, y); break;
    case WM_CONTEXTMENU: form_->ContextMenu(ContextMenuPoint(lparam)); return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wparam) == hwnd() && LOWORD(lparam) == HTCLIENT) {
        POINT pt{};
        GetCursorPos(&pt);
        ScreenToClient(hwnd(), &pt);
        ::SetCursor(platform_.CursorFor(form_->CursorAt(FromPOINT(pt))));
        return TRUE;
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (OnKey(wparam)) return 0;
      break;
    case WM_TIMER:
      if (wparam == kMagnifierTimer) form_->TimerMagnifierTimer();
      return 0;
    // Ctrl+Alt+F4 and other close requests hide the tool bar as its menu
    // does; the window itself lives as long as the program.
    case WM_CLOSE: form_->PMenuHideToolBarClick(); return 0;
    default: break;
  }
  return DefWindowProcW(hwnd(), message, wparam, lparam);
}

bool ToolBarWindow::OnKey(WPARAM key) {
  return form_ != nullptr && form_->KeyDown(static_cast<int>(key), KeyShift() | HeldMouseButtons());
}

LRESULT CALLBACK ToolBarWindow::FactorBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                              DWORD_PTR data) {
  auto* self = reinterpret_cast<ToolBarWindow*>(data);
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (self->OnKey(wparam)) return 0;
      break;
    case WM_CONTEXTMENU: return SendMessageW(self->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lparam);
    default: break;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

void ToolBarWindow::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  {
    GdiCanvas canvas(dc, platform_.fonts());
    form_->FormPaint(canvas);
  }
  DrawGlyph(dc, magnifier_glyph_.Get(), TFormToolBar::kMagnifierGlyph, TFormToolBar::kMagnifierButton,
            form_->SpeedButtonMagnifierDown);
  DrawGlyph(dc, calculator_glyph_.Get(), TFormToolBar::kCalculatorGlyph, TFormToolBar::kCalculatorButton, false);
  EndPaint(hwnd(), &ps);
}

void ToolBarWindow::DrawGlyph(HDC dc, HBITMAP glyph, Size size, const Rect& button, bool down) const {
  if (glyph == nullptr) return;
  MemoryDc memory(CreateCompatibleDC(dc));
  if (!memory) return;
  SelectScope select(memory.Get(), glyph);
  // Centred on the button; a button that is down shows it one pixel lower
  // and to the right, as pressed in.
  const int shift = down ? 1 : 0;
  const int x = button.left + (button.Width() - size.cx) / 2 + shift;
  const int y = button.top + (button.Height() - size.cy) / 2 + shift;
  GdiTransparentBlt(dc, x, y, size.cx, size.cy, memory.Get(), 0, 0, size.cx, size.cy, kGlyphTransparent);
}

}  // namespace mensor::win32
