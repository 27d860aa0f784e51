// PlatformDialogWindow: creation, the child controls, the modal loop, the
// modeless showing and the messages.
#include "ui/win32/dialog_window.h"

#include <algorithm>

#include "ui/platform.h"
#include "ui/win32/convert.h"
#include "ui/win32/dpi.h"
#include "ui/win32/tool_tips.h"
#include "ui/win32/win32_platform.h"

namespace mensor::win32 {
namespace {

constexpr wchar_t kClassName[] = L"MensorDialog";
// Control ids of the buttons: the form's ids moved clear of IDOK and
// IDCANCEL, which the dialog keys send.
constexpr int kButtonIdBase = 100;

struct DisabledWindows {
  HWND dialog;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableOther(HWND hwnd, LPARAM param) {
  auto* state = reinterpret_cast<DisabledWindows*>(param);
  if (hwnd != state->dialog && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    state->windows.push_back(hwnd);
  }
  return TRUE;
}

// The modeless dialogs shown now (the program has one thread).
std::vector<HWND>& ShownModeless() {
  static std::vector<HWND> shown;
  return shown;
}

void Unlist(HWND hwnd) {
  std::vector<HWND>& shown = ShownModeless();
  shown.erase(std::remove(shown.begin(), shown.end(), hwnd), shown.end());
}

}  // namespace

bool ModelessDialogMessage(MSG& msg) {
  for (HWND dialog : ShownModeless())
    if (IsDialogMessageW(dialog, &msg)) return true;
  return false;
}

PlatformDialogWindow::PlatformDialogWindow(HINSTANCE instance, Win32Platform& platform)
    : TopLevelWindow(instance, platform) {}

PlatformDialogWindow::~PlatformDialogWindow() { Unlist(hwnd()); }

bool PlatformDialogWindow::Create(HWND owner) {
  WNDCLASSEXW wc{};
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // No class brush: WM_ERASEBKGND fills with the dialog colour.
  wc.hbrBackground = nullptr;
  wc.lpszClassName = kClassName;
  // WS_CAPTION: a caption and a fixed single border. No WS_SYSMENU: no
  // title-bar buttons. WS_CLIPCHILDREN: paints leave the buttons alone.
  style_ = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  // WS_EX_CONTROLPARENT: Tab moves between the children.
  ex_style_ = WS_EX_CONTROLPARENT;
  // NOTE: an always-on-top ruler would cover a dialog that is not on top as well.
  if (owner != nullptr && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST)) ex_style_ |= WS_EX_TOPMOST;
  if (!CreateHidden(wc, ex_style_, style_, L"", 100, 100, owner)) return false;
  anchor_ = DialogAnchor(owner);
  ppi_ = MoveToDialogMonitor(platform_, hwnd(), anchor_);
  return true;
}

void PlatformDialogWindow::SetCaption(const std::string& caption) {
  SetWindowTextW(hwnd(), Utf8ToWide(caption).c_str());
}

void PlatformDialogWindow::SetClientSize(int width, int height) {
  SetClientSizeAt(hwnd(), {width, height}, ppi_);
}

void PlatformDialogWindow::AddButton(int id, const Rect& bounds, const std::string& caption, const Font& font) {
  // The first button is the default one: Enter presses it wherever the focus is.
  const DWORD kind = first_button_ == nullptr ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  HWND button = CreateWindowExW(0, L"BUTTON", Utf8ToWide(caption).c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | kind, bounds.left, bounds.top,
                                bounds.Width(), bounds.Height(), hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonIdBase + id)), instance_,
                                nullptr);
  if (button == nullptr) return;
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(platform_.fonts().Get(font)), FALSE);
  if (first_button_ == nullptr) first_button_ = button;
}

void PlatformDialogWindow::MoveButton(int id, const Rect& bounds, const Font& font) {
  HWND button = GetDlgItem(hwnd(), kButtonIdBase + id);
  if (button == nullptr) return;
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(platform_.fonts().Get(font)), FALSE);
  SetWindowPos(button, nullptr, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(button, nullptr, TRUE);
}

void PlatformDialogWindow::AddEdit(int id, const Rect& bounds, const std::string& text, const Font& font) {
  // ES_AUTOHSCROLL: the text may be longer than the field.
  HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Utf8ToWide(text).c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, bounds.left, bounds.top,
                              bounds.Width(), bounds.Height(), hwnd(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonIdBase + id)), instance_, nullptr);
  if (edit == nullptr) return;
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(platform_.fonts().Get(font)), FALSE);
  if (first_edit_ == nullptr) first_edit_ = edit;
}

std::string PlatformDialogWindow::EditText(int id) const {
  HWND edit = GetDlgItem(hwnd(), kButtonIdBase + id);
  return edit != nullptr ? WideToUtf8(WindowText(edit)) : std::string();
}

void PlatformDialogWindow::SetEditText(int id, const std::string& text) {
  if (HWND edit = GetDlgItem(hwnd(), kButtonIdBase + id)) SetWindowTextW(edit, Utf8ToWide(text).c_str());
}

void PlatformDialogWindow::SetButtonCaption(int id, const std::string& caption) {
  if (HWND button = GetDlgItem(hwnd(), kButtonIdBase + id)) SetWindowTextW(button, Utf8ToWide(caption).c_str());
}

void PlatformDialogWindow::AddHint(const Rect& bounds, const std::string& text) {
  // Owned by the dialog, so it goes with it.
  if (tooltip_ == nullptr) tooltip_ = CreateToolTips(instance_, hwnd());
  if (tooltip_ == nullptr) return;
  AddToolTip(tooltip_, hwnd(), static_cast<UINT_PTR>(++hints_), bounds, Utf8ToWide(text).c_str());
}

void PlatformDialogWindow::SetHint(int index, const Rect& bounds, const std::string& text) {
  if (tooltip_ == nullptr || index < 0 || index >= hints_) return;
  TTTOOLINFOW tool = ToolInfo(hwnd(), static_cast<UINT_PTR>(index + 1));
  tool.rect = ToRECT(bounds);
  SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  std::wstring wide = Utf8ToWide(text);
  tool.lpszText = wide.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

Size PlatformDialogWindow::MaxClientSize() const {
  const Rect work = WorkAreaOf(hwnd());
  const Size frame = FrameSizeAt(hwnd(), ppi_);
  return {work.Width() - frame.cx, work.Height() - frame.cy};
}

void PlatformDialogWindow::ShowModal(DialogHandler& handler) {
  handler_ = &handler;
  handler.FormShow();

  PlaceDialog(platform_, hwnd(), anchor_);

  // Modal as the toolkit does it: every other shown window of the program is
  // disabled while the dialog is up.
  DisabledWindows disabled{hwnd(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&disabled));

  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  FocusFirstControl();
  RunModalLoop();

  // NOTE: the others are enabled before the dialog hides, so that the system
  // gives the activation back to the ruler rather than to another program.
  for (HWND other : disabled.windows)
    if (IsWindow(other)) EnableWindow(other, TRUE);
  ShowWindow(hwnd(), SW_HIDE);
  handler_ = nullptr;
}

void PlatformDialogWindow::ShowModeless(DialogHandler& handler, const Box& ruler) {
  handler_ = &handler;
  modeless_ = true;
  handler.FormShow();
  RECT rc{};
  GetWindowRect(hwnd(), &rc);
  const Rect place =
      DialogPlacementBeside(platform_.Monitors(), anchor_, {rc.right - rc.left, rc.bottom - rc.top}, ruler);
  SetWindowPos(hwnd(), nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShownModeless().push_back(hwnd());
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  FocusFirstControl();
}

void PlatformDialogWindow::Activate() {
  if (!IsWindowVisible(hwnd())) return;
  SetForegroundWindow(hwnd());
  FocusFirstControl();
}

void PlatformDialogWindow::FocusFirstControl() {
  if (first_edit_ != nullptr) {
    SetFocus(first_edit_);
    SendMessageW(first_edit_, EM_SETSEL, 0, -1);
  } else if (first_button_ != nullptr) {
    SetFocus(first_button_);
  }
}

void PlatformDialogWindow::Close() {
  if (!modeless_) {
    TopLevelWindow::Close();
    return;
  }
  // The form closes it from one of its handlers: the window only hides (it
  // goes with its object) and its handler hears no more.
  handler_ = nullptr;
  Unlist(hwnd());
  // NOTE: the ruler is activated before the dialog hides, so that the
  // system does not give the activation to another program.
  if (HWND owner = GetWindow(hwnd(), GW_OWNER)) SetForegroundWindow(owner);
  ShowWindow(hwnd(), SW_HIDE);
}

void PlatformDialogWindow::RunModalLoop() {
  done_ = false;
  MSG msg{};
  while (!done_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: leave the quit message for the main loop.
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (IsDialogMessageW(hwnd(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void PlatformDialogWindow::OpenWithShell(const std::string& target) {
  ShellExecuteW(hwnd(), L"open", Utf8ToWide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT PlatformDialogWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // NOTE: the system destroys an owned window with its owner (the ruler).
  if (message == WM_DESTROY) Unlist(hwnd());
  if (message == WM_CLOSE) {
    if (modeless_) {
      // From the system (Alt+F4): the form ends the dialog as with Esc.
      if (handler_ != nullptr) handler_->KeyDown(VK_ESCAPE);
      return 0;
    }
    // Closing only ends the modal loop; the window goes with its object.
    done_ = true;
    return 0;
  }
  if (handler_ == nullptr) return DefWindowProcW(hwnd(), message, wparam, lparam);
  switch (message) {
    case WM_PAINT: PaintWith([this](Canvas& canvas) { handler_->FormPaint(canvas); }); return 0;
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(hwnd(), &rc);
      FillRect(reinterpret_cast<HDC>(wparam), &rc, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_DPICHANGED: {
      // Moved to a monitor of another density: the form lays itself out
      // again (its client size follows) at the place the system suggests.
      if (LOWORD(wparam) == ppi_) return 0;
      ppi_ = LOWORD(wparam);
      handler_->DensityChanged(ppi_);
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_MOUSEMOVE: handler_->MouseMove(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)); return 0;
    case WM_LBUTTONDOWN: pressed_ = true; return 0;
    case WM_LBUTTONUP:
      // A click is a press and a release on the client area.
      if (pressed_) handler_->Click(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      pressed_ = false;
      return 0;
    case WM_SETCURSOR:
      if (ApplyCursorOnSetCursor(wparam, lparam)) return TRUE;
      break;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      // IDCANCEL: Esc, turned into a command by IsDialogMessage.
      if (id == IDCANCEL) {
        handler_->KeyDown(VK_ESCAPE);
      } else if (id >= kButtonIdBase && HIWORD(wparam) == BN_CLICKED) {
        handler_->ButtonClick(id - kButtonIdBase);
      }
      return 0;
    }
    // IsDialogMessage asks which button Enter presses.
    case DM_GETDEFID:
      if (first_button_ != nullptr) return MAKELRESULT(GetDlgCtrlID(first_button_), DC_HASDEFID);
      break;
    default: break;
  }
  return DefWindowProcW(hwnd(), message, wparam, lparam);
}

}  // namespace mensor::win32
