// ConfigDialog: the preferences dialog's window, its controls and its modal
// message loop.
#include "ui/win32/config_dialog.h"

#include <commdlg.h>
// NOTE: commdlg.h makes ChooseColor a macro for ChooseColorW, which would
// rename the ConfigView member of that name in this file only.
#undef ChooseColor

#include <algorithm>
#include <cstring>

#include "prefs/config_form.h"
#include "ui/text_fit.h"
#include "ui/win32/convert.h"
#include "ui/win32/dpi.h"
#include "ui/win32/hot_key_field.h"
#include "ui/win32/resource.h"
#include "ui/win32/tool_tips.h"
#include "ui/win32/win32_platform.h"

namespace mensor::win32 {
namespace {

using C = ConfigControl;
using K = ConfigKind;

constexpr int kFirstControlId = 1000;
constexpr int kCount = static_cast<int>(ConfigControl::Count);

int IdOf(ConfigControl control) {
  if (control == C::BitBtnOK) return IDOK;
  if (control == C::BitBtnCancel) return IDCANCEL;
  return kFirstControlId + static_cast<int>(control);
}

std::optional<ConfigControl> ControlOfId(int id) {
  if (id == IDOK) return C::BitBtnOK;
  if (id == IDCANCEL) return C::BitBtnCancel;
  if (id < kFirstControlId || id >= kFirstControlId + kCount) return std::nullopt;
  return static_cast<ConfigControl>(id - kFirstControlId);
}

// The two items of each radio group.
struct RadioGroup {
  ConfigControl group;
  ConfigControl items[2];
};
constexpr RadioGroup kRadioGroups[] = {
    {C::RadioGroupStaffSize, {C::StaffSizeBig, C::StaffSizeSmall}},
    {C::RadioGroupStaffDir, {C::StaffDirRuler, C::StaffDirScreen}},
};

const RadioGroup* FindRadioGroup(ConfigControl group) {
  for (const RadioGroup& g : kRadioGroups)
    if (g.group == group) return &g;
  return nullptr;
}

// A choice item's list and its place in it: the items follow their choice
// in the layout table.
struct ChoiceSlot {
  ConfigControl choice;
  int index;
};
ChoiceSlot ChoiceSlotOf(ConfigControl item) {
  ChoiceSlot slot{item, -1};
  for (const ConfigLayoutEntry& e : ConfigLayout()) {
    if (e.kind == K::Choice) slot = {e.control, -1};
    if (e.kind == K::ChoiceItem) ++slot.index;
    if (e.control == item) break;
  }
  return slot;
}

constexpr UINT kPageIcons[] = {IDI_PAGE_SYSTEM, IDI_PAGE_APPEARANCE, IDI_PAGE_CUSTOM, IDI_PAGE_HOTKEY};
constexpr ConfigControl kPagePictures[] = {C::ImageSys, C::ImageBackground, C::ImageCustom, C::ImageHotKey};
constexpr ConfigControl kTabs[] = {C::TabSheetSys, C::TabSheetBackground, C::TabSheetCustom, C::TabSheetHotKey};

int TabIndex(ConfigControl tab) {
  return static_cast<int>(std::find(std::begin(kTabs), std::end(kTabs), tab) - std::begin(kTabs));
}

// An empty dialog template: the controls are created by code. The buffer
// holds the DLGTEMPLATE and the three empty strings (menu, class, title).
struct EmptyTemplate {
  alignas(4) WORD words[16]{};
  EmptyTemplate(DWORD style, DWORD ex_style) {
    DLGTEMPLATE t{};
    t.style = style;
    t.dwExtendedStyle = ex_style;
    static_assert(sizeof(DLGTEMPLATE) + 3 * sizeof(WORD) <= sizeof(words));
    std::memcpy(words, &t, sizeof(t));
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words); }
};

// Shortcut values and the hot-key control's (modifiers in the high byte:
// Shift 1, Ctrl 2, Alt 4).
Shortcut FromHotKeyWord(WORD word) {
  const BYTE flags = HIBYTE(word);
  Shortcut value = LOBYTE(word);
  if (flags & HOTKEYF_SHIFT) value |= kShortcutShift;
  if (flags & HOTKEYF_CONTROL) value |= kShortcutCtrl;
  if (flags & HOTKEYF_ALT) value |= kShortcutAlt;
  return value;
}

WORD ToHotKeyWord(Shortcut value) {
  BYTE flags = 0;
  if (value & kShortcutShift) flags |= HOTKEYF_SHIFT;
  if (value & kShortcutCtrl) flags |= HOTKEYF_CONTROL;
  if (value & kShortcutAlt) flags |= HOTKEYF_ALT;
  return MAKEWORD(value & 0xFF, flags);
}

Bitmap BitmapOf(const Image& image) {
  if (image.Empty()) return Bitmap();
  WindowDc screen(nullptr);
  const BITMAPINFO bi = TopDownDib24(image.width, image.height);
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return Bitmap();
  std::memcpy(bits, image.bytes.data(), image.bytes.size());
  return bitmap;
}

// The colours of the chooser's custom-colour boxes, kept for the session.
COLORREF g_custom_colors[16] = {
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
};

}  // namespace

ConfigDialog::ConfigDialog(HINSTANCE instance, Win32Platform& platform, TConfigForm& form, HWND owner)
    : instance_(instance), platform_(platform), form_(form), owner_(owner) {}

ConfigDialog::~ConfigDialog() {
  if (dialog_ != nullptr) DestroyWindow(dialog_);
}

// ---- the modal run ----

void ConfigDialog::ShowModal() {
  // WS_EX_CONTROLPARENT: the dialog manager walks into the pages.
  const EmptyTemplate dialog_template(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN,
                                      WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
  dialog_ = CreateDialogIndirectParamW(instance_, dialog_template.Get(), owner_, &ConfigDialog::DialogProc,
                                       reinterpret_cast<LPARAM>(this));
  if (dialog_ == nullptr) return;

  // Modal for the whole program, like the information box: every other
  // window of this thread is disabled while the dialog is open.
  struct Collect {
    HWND dialog;
    std::vector<HWND> disabled;
  } collect{dialog_, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM p) -> BOOL {
        auto* c = reinterpret_cast<Collect*>(p);
        if (w != c->dialog && IsWindowEnabled(w)) c->disabled.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&collect));
  for (HWND w : collect.disabled) EnableWindow(w, FALSE);

  // On the ruler's monitor, laid out for its density and its work area
  // (moving there may have done that already), and centred on it
  const Point anchor = DialogAnchor(owner_);
  // (the work area may differ from the one it was laid out in).
  Layout(MoveToDialogMonitor(platform_, dialog_, anchor));
  PlaceDialog(platform_, dialog_, anchor);
  ShowWindow(dialog_, SW_SHOW);
  SetForegroundWindow(dialog_);
  if (HWND first = GetNextDlgTabItem(dialog_, nullptr, FALSE))
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);

  MSG msg{};
  while (!done_ && IsWindow(dialog_)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the quit message is left for the main loop.
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (SwitchPageKey(msg) || IsDialogMessageW(dialog_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  done_ = true;
  // What OK changed on the ruler is painted before the dialog goes (a
  // paint may ask for another one, and taking a captioned window off the
  // screen can block for two seconds under Wine without a window manager).
  // NOTE: the wait of no time hands the painted pictures to the screen
  // (Wine does that when the thread waits).
  for (int round = 0; round < 8 && PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++round)
    DispatchMessageW(&msg);
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
  // The other windows first, so that activation goes back to the ruler.
  for (HWND win : collect.disabled)
    if (IsWindow(win)) EnableWindow(win, TRUE);
  if (IsWindow(dialog_)) DestroyWindow(dialog_);
  dialog_ = nullptr;
}

void ConfigDialog::Close() {
  done_ = true;
  // The loop may be waiting for a message.
  PostMessageW(dialog_, WM_NULL, 0, 0);
}

bool ConfigDialog::SwitchPageKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return false;
  if (msg.hwnd != dialog_ && !IsChild(dialog_, msg.hwnd)) return false;
  const bool back = GetKeyState(VK_SHIFT) < 0;
  int step = 0;
  if (msg.wParam == VK_TAB) step = back ? -1 : 1;
  if (msg.wParam == VK_NEXT) step = 1;
  if (msg.wParam == VK_PRIOR) step = -1;
  if (step == 0) return false;
  const int page = (page_ + step + 4) % 4;
  const bool focus_in_page = IsChild(pages_[page_], GetFocus());
  SetActivePage(page);
  if (focus_in_page) {
    if (HWND first = GetNextDlgTabItem(dialog_, nullptr, FALSE))
      SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  }
  return true;
}

// ---- messages ----

INT_PTR CALLBACK ConfigDialog::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    auto* self = reinterpret_cast<ConfigDialog*>(lparam);
    self->dialog_ = hwnd;
    self->OnInitDialog();
    return FALSE;  // the focus is set once the dialog is shown
  }
  auto* self = reinterpret_cast<ConfigDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    return FALSE;
  }
  return self->HandleMessage(message, wparam, lparam);
}

INT_PTR CALLBACK ConfigDialog::PageProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: return FALSE;
    // The page and its labels, boxes and groups in the face colour.
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    // The controls' notifications belong to the dialog.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_DRAWITEM:
      SendMessageW(GetParent(hwnd), message, wparam, lparam);
      return TRUE;
    default: return FALSE;
  }
}

LRESULT CALLBACK ConfigDialog::PercentFieldProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                                DWORD_PTR data) {
  auto* self = reinterpret_cast<ConfigDialog*>(data);
  switch (message) {
    case WM_GETDLGCODE: {
      // NOTE: Enter is the field's own key (it applies the percentage); the
      // dialog manager would otherwise turn it into OK.
      LRESULT code = DefSubclassProc(hwnd, message, wparam, lparam);
      const MSG* msg = reinterpret_cast<const MSG*>(lparam);
      if (msg != nullptr && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN)
        code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_CHAR:
      if (wparam > 0xFF || self->done_ || !self->form_.EditTranValueKeyPress(static_cast<char>(wparam))) return 0;
      break;
    case WM_NCDESTROY: RemoveWindowSubclass(hwnd, &ConfigDialog::PercentFieldProc, id); break;
    default: break;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

std::wstring ConfigDialog::HotKeyFieldText(HWND field) const {
  Shortcut value = FromHotKeyWord(static_cast<WORD>(SendMessageW(field, HKM_GETHOTKEY, 0, 0)));
  // NOTE: the control holds no value while only modifiers are down; it shows
  // them as they are pressed, and so does this.
  if (value == 0 && GetFocus() == field) {
    if (GetKeyState(VK_CONTROL) < 0) value |= kShortcutCtrl;
    if (GetKeyState(VK_SHIFT) < 0) value |= kShortcutShift;
    if (GetKeyState(VK_MENU) < 0) value |= kShortcutAlt;
  }
  return Utf8ToWide(mensor::HotKeyFieldText(value, shortcut_words_));
}

LRESULT CALLBACK ConfigDialog::HotKeyFieldProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                               DWORD_PTR data) {
  const auto* self = reinterpret_cast<const ConfigDialog*>(data);
  switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintHotKeyField(hwnd, message == WM_PRINTCLIENT ? reinterpret_cast<HDC>(wparam) : nullptr,
                       self->HotKeyFieldText(hwnd));
      return 0;
    case WM_SETFOCUS: {
      const LRESULT result = DefSubclassProc(hwnd, message, wparam, lparam);
      PlaceHotKeyCaret(hwnd, self->HotKeyFieldText(hwnd));
      return result;
    }
    case WM_NCDESTROY: RemoveWindowSubclass(hwnd, &ConfigDialog::HotKeyFieldProc, id); break;
    default: break;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

INT_PTR ConfigDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wparam), HIWORD(wparam)); return TRUE;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lparam);
      if (hdr->hwndFrom == Handle(C::PageControlHotKey) && hdr->code == TCN_SELCHANGE)
        ShowPage(static_cast<int>(SendMessageW(hdr->hwndFrom, TCM_GETCURSEL, 0, 0)));
      return TRUE;
    }
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lparam) == Handle(C::TrackBarTran) && !updating_ && !done_) form_.TrackBarTranChange();
      return TRUE;
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_CLOSE: form_.BitBtnCancelClick(); return TRUE;
    // The window's background is the menu colour.
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_MENU));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_MENU));
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_MENU));
    case WM_DPICHANGED: {
      // Already laid out for it (before it was moved there): the size stays.
      if (LOWORD(wparam) == ppi_) return TRUE;
      Layout(LOWORD(wparam));
      const RECT* r = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(dialog_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    }
    default: return FALSE;
  }
}

void ConfigDialog::OnInitDialog() {
  KeepDpiChangesToUs(dialog_);
  ppi_ = DpiOf(dialog_);
  CreateControls();
  Layout(ppi_);
  form_.FormShow();
  shown_ = true;
  // The texts of a language pack may need more room.
  Layout(ppi_);
}

HWND ConfigDialog::ParentFor(int page) const { return page == kWindowPage ? dialog_ : pages_[page]; }

void ConfigDialog::CreateControls() {
  // NOTE: no WS_CLIPCHILDREN: group boxes do not paint their inside, the
  // page does.
  const EmptyTemplate page_template(WS_CHILD | DS_CONTROL, WS_EX_CONTROLPARENT);
  K previous = K::Tabs;
  for (const ConfigLayoutEntry& e : ConfigLayout()) {
    const wchar_t* cls = WC_STATICW;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD ex_style = 0;
    // A radio item right after another continues its group; every other
    // control starts a group of its own (arrow keys stay inside a group).
    if (!(e.kind == K::Radio && previous == K::Radio)) style |= WS_GROUP;
    switch (e.kind) {
      case K::Tab: previous = e.kind; continue;
      case K::ChoiceItem: {
        // An item of the choice box created before it.
        texts_[static_cast<int>(e.control)] = e.text;
        if (const HWND list = Handle(ChoiceSlotOf(e.control).choice))
          SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(e.text).c_str()));
        previous = e.kind;
        continue;
      }
      case K::Choice: cls = WC_COMBOBOXW; style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST; break;
      case K::Tabs: cls = WC_TABCONTROLW; style |= WS_TABSTOP | WS_CLIPSIBLINGS; break;
      case K::Group: cls = WC_BUTTONW; style |= BS_GROUPBOX | WS_CLIPSIBLINGS; break;
      // SS_NOTIFY: the label takes the mouse, so that the tool tip of a cut
      // text shows over it.
      case K::Label: style |= SS_LEFT | SS_NOTIFY; break;
      case K::SlashLabel: style |= SS_LEFT | SS_NOPREFIX; break;
      case K::ProductLabel: style |= SS_LEFT | SS_NOPREFIX | WS_DISABLED; break;
      case K::SpinEdit:
        cls = WC_EDITW;
        style |= WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL;
        ex_style = WS_EX_CLIENTEDGE;
        break;
      case K::Edit:
        cls = WC_EDITW;
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        ex_style = WS_EX_CLIENTEDGE;
        break;
      case K::Radio:
        cls = WC_BUTTONW;
        // BS_MULTILINE: a text broken onto two lines shows both.
        style |= BS_AUTORADIOBUTTON | BS_MULTILINE | (previous == K::Radio ? 0 : WS_TABSTOP);
        break;
      case K::Check: cls = WC_BUTTONW; style |= BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP; break;
      case K::Slider: cls = TRACKBAR_CLASSW; style |= WS_TABSTOP | TBS_HORZ | TBS_BOTTOM; break;
      case K::HotKey: cls = HOTKEY_CLASSW; style |= WS_TABSTOP; ex_style = WS_EX_CLIENTEDGE; break;
      case K::ColorButton: cls = WC_BUTTONW; style |= WS_TABSTOP | BS_OWNERDRAW; break;
      case K::Button: cls = WC_BUTTONW; style |= WS_TABSTOP | BS_PUSHBUTTON; break;
      case K::DefaultButton: cls = WC_BUTTONW; style |= WS_TABSTOP | BS_DEFPUSHBUTTON; break;
      case K::CancelButton: cls = WC_BUTTONW; style |= WS_TABSTOP | BS_PUSHBUTTON; break;
      case K::Picture: style |= SS_ICON | SS_CENTERIMAGE; break;
      case K::Panel: style |= SS_SUNKEN | WS_CLIPSIBLINGS; break;
      case K::Preview: style |= SS_OWNERDRAW; break;
    }
    previous = e.kind;
    const HWND parent = ParentFor(e.page);
    const HWND hwnd = CreateWindowExW(ex_style, cls, Utf8ToWide(e.text).c_str(), style, 0, 0, 10, 10, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(e.control))), instance_,
                                      nullptr);
    handles_[static_cast<int>(e.control)] = hwnd;
    texts_[static_cast<int>(e.control)] = e.text;
    if (hwnd == nullptr) continue;

    switch (e.kind) {
      case K::Tabs: {
        for (ConfigControl tab : kTabs) {
          std::wstring text = Utf8ToWide(LayoutOf(tab).text);
          TCITEMW item{};
          item.mask = TCIF_TEXT;
          item.pszText = text.data();
          SendMessageW(hwnd, TCM_INSERTITEMW, SendMessageW(hwnd, TCM_GETITEMCOUNT, 0, 0),
                       reinterpret_cast<LPARAM>(&item));
        }
        // The pages: child dialogs above the tab control (they take the
        // clicks there), so they come first in the Tab order.
        for (int p = 0; p < 4; ++p) {
          pages_[p] = CreateDialogIndirectParamW(instance_, page_template.Get(), dialog_, &ConfigDialog::PageProc, 0);
          KeepDpiChangesToUs(pages_[p]);
          SetWindowPos(pages_[p], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        break;
      }
      case K::SpinEdit: {
        if (e.max_length > 0) SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(e.max_length), 0);
        const HWND updown = CreateWindowExW(
            0, UPDOWN_CLASSW, L"",
            WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_HOTTRACK,
            0, 0, 0, 0, parent, nullptr, instance_, nullptr);
        SendMessageW(updown, UDM_SETRANGE32, static_cast<WPARAM>(e.min), static_cast<LPARAM>(e.max));
        updowns_[static_cast<int>(e.control)] = updown;
        break;
      }
      case K::Edit:
        if (e.max_length > 0) SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(e.max_length), 0);
        SetWindowSubclass(hwnd, &ConfigDialog::PercentFieldProc, 1, reinterpret_cast<DWORD_PTR>(this));
        break;
      case K::Slider:
        SendMessageW(hwnd, TBM_SETRANGEMIN, FALSE, e.min);
        SendMessageW(hwnd, TBM_SETRANGEMAX, TRUE, e.max);
        SendMessageW(hwnd, TBM_SETPAGESIZE, 0, 10);
        break;
      case K::HotKey:
        // Any key with or without modifiers is taken as typed.
        SendMessageW(hwnd, HKM_SETRULES, 0, 0);
        SetWindowSubclass(hwnd, &ConfigDialog::HotKeyFieldProc, 1, reinterpret_cast<DWORD_PTR>(this));
        break;
      default: break;
    }
  }
  // Group boxes and the preview's frame go to the bottom of the stacking
  // order, under the controls they surround (they are no Tab stops, so the
  // Tab order stays).
  for (const ConfigLayoutEntry& e : ConfigLayout())
    if (e.kind == K::Group || e.kind == K::Panel)
      SetWindowPos(Handle(e.control), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Size ConfigDialog::MeasureText(ConfigKind kind, std::string_view text, int ppi) const {
  Font font;
  font.height = -MulDiv(kind == K::ProductLabel ? 18 : 8, ppi, 72);
  font.bold = font.italic = kind == K::ProductLabel;
  const std::wstring wide = Utf8ToWide(std::string(text));
  WindowDc screen(nullptr);
  SelectScope select(screen.Get(), platform_.fonts().Get(font));
  SIZE size{};
  GetTextExtentPoint32W(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  return {size.cx, size.cy};
}

void ConfigDialog::Layout(int ppi) {
  // The largest client area the work area of the dialog's monitor leaves.
  const Rect work = WorkAreaOf(dialog_);
  const Size frame = FrameSizeAt(dialog_, ppi);
  const Size max_client{work.Width() - frame.cx, work.Height() - frame.cy};
  const ConfigPlan plan = PlanConfigLayout(
      ppi, max_client, texts_, [this](ConfigKind kind, std::string_view text, int at) { return MeasureText(kind, text, at); });
  if (laid_out_ && ppi == ppi_ && plan == plan_) return;
  laid_out_ = true;
  ppi_ = ppi;
  plan_ = plan;
  // NOTE: the fonts follow the plan's density, which is lower than the
  // monitor's only where the monitor is too small for the dialog; the frame
  // is the monitor's.
  const int lp = plan.ppi;
  Font font;
  font.height = -MulDiv(8, lp, 72);
  const HFONT dialog_font = platform_.fonts().Get(font);
  Font product = font;
  product.height = -MulDiv(18, lp, 72);
  product.bold = true;
  product.italic = true;
  Font slash = font;
  slash.height = -ScaleToPpi(19, lp);
  SetClientSizeAt(dialog_, plan.client, ppi);

  // The pages fill the tab control's display area.
  const HWND tabs = Handle(C::PageControlHotKey);
  const Rect tabs_rect = plan.Of(C::PageControlHotKey).rect;
  SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(dialog_font), FALSE);
  MoveWindow(tabs, tabs_rect.left, tabs_rect.top, tabs_rect.Width(), tabs_rect.Height(), TRUE);
  RECT display{0, 0, tabs_rect.Width(), tabs_rect.Height()};
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (HWND page : pages_)
    MoveWindow(page, tabs_rect.left + display.left, tabs_rect.top + display.top, display.right - display.left,
               display.bottom - display.top, TRUE);

  for (const ConfigLayoutEntry& e : ConfigLayout()) {
    const HWND hwnd = Handle(e.control);
    if (e.kind == K::Tab || e.kind == K::Tabs || hwnd == nullptr) continue;
    const ConfigPlace& place = plan.Of(e.control);
    Rect r = place.rect;
    if (e.kind == K::Preview) {
      // The preview fills its frame's width but keeps its height in pixels
      // (the ruler it shows is drawn in pixels too), centred in the frame.
      const Rect panel = plan.Of(C::PanelPreview).rect;
      // Inside the frame's two-pixel rim: 333 pixels at 96 per inch.
      const int width = std::max(kPreviewSize.cx, panel.Width() - 4);
      const int top = panel.top + (panel.Height() - kPreviewSize.cy) / 2;
      const int left = panel.left + (panel.Width() - width) / 2;
      r = {left, top, left + width, top + kPreviewSize.cy};
      ResizePreview({width, kPreviewSize.cy});
    }
    HFONT use = dialog_font;
    if (e.kind == K::ProductLabel) use = platform_.fonts().Get(product);
    if (e.kind == K::SlashLabel) use = platform_.fonts().Get(slash);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(use), FALSE);
    if (HasFittedText(e.kind)) {
      const std::wstring shown = Utf8ToWide(place.text);
      if (WindowText(hwnd) != shown) SetWindowTextW(hwnd, shown.c_str());
      SetCutTip(e.control, place.cut);
    }
    // A drop-down list's height is that of its field with the list open.
    if (e.kind == K::Choice) r.bottom += ScaleToPpi(80, lp);
    MoveWindow(hwnd, r.left, r.top, r.Width(), r.Height(), TRUE);
    if (HWND updown = updowns_[static_cast<int>(e.control)]) {
      // Setting the buddy again puts the arrows inside the field's place.
      SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd), 0);
    }
  }

  // The page pictures at the size that matches the pixels per inch.
  std::vector<Icon> icons;
  const int size = ScaleToPpi(32, lp);
  for (int p = 0; p < 4; ++p) {
    Icon icon(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kPageIcons[p]), IMAGE_ICON, size, size, 0)));
    if (HWND picture = Handle(kPagePictures[p])) {
      SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon.Get()), 0);
      const Rect r = plan.Of(kPagePictures[p]).rect;
      MoveWindow(picture, r.left, r.top, size, size, TRUE);
    }
    icons.push_back(std::move(icon));
  }
  page_icons_ = std::move(icons);  // the pictures shown before go now
}

void ConfigDialog::SetCutTip(ConfigControl control, bool cut) {
  const int i = static_cast<int>(control);
  const HWND hwnd = Handle(control);
  if (!cut && !tipped_[i]) return;
  if (tips_ == nullptr) tips_ = CreateToolTips(instance_, dialog_);
  if (tips_ == nullptr || hwnd == nullptr) return;
  TTTOOLINFOW info = ToolInfo(GetParent(hwnd), reinterpret_cast<UINT_PTR>(hwnd));
  if (!cut) {
    SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    tipped_[i] = false;
    return;
  }
  // The whole text as the control would show it: the "&" of an underlined
  // letter is dropped.
  std::wstring whole = Utf8ToWide(LayoutOf(control).kind == K::ProductLabel ? texts_[i] : ShownText(texts_[i]));
  info.lpszText = whole.data();
  if (tipped_[i]) {
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    return;
  }
  // TTF_IDISHWND: the tool is the control itself, wherever it is moved.
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tipped_[i] = SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void ConfigDialog::ResizePreview(Size size) {
  if (preview_canvas_ && size == preview_size_) return;
  preview_canvas_.reset();
  preview_select_.reset();
  {
    WindowDc screen(nullptr);
    if (!preview_dc_) preview_dc_.Reset(CreateCompatibleDC(screen.Get()));
    preview_bitmap_.Reset(CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
  }
  preview_size_ = size;
  preview_select_ = std::make_unique<SelectScope>(preview_dc_.Get(), preview_bitmap_.Get());
  preview_canvas_ = std::make_unique<GdiCanvas>(preview_dc_.Get(), platform_.fonts());
  // White until the form draws on it; a picture of a new size is drawn again.
  preview_canvas_->FillRect({0, 0, size.cx, size.cy}, 0xFFFFFF);
  if (shown_) form_.PreviewRuler();
}

void ConfigDialog::OnCommand(int id, int code) {
  if (done_) return;
  const std::optional<ConfigControl> control = ControlOfId(id);
  if (!control) return;
  const ConfigLayoutEntry& e = LayoutOf(*control);
  switch (e.kind) {
    case K::DefaultButton:
      if (code == BN_CLICKED) form_.BitBtnOKClick();
      return;
    case K::CancelButton:
      if (code == BN_CLICKED) form_.BitBtnCancelClick();
      return;
    case K::ColorButton:
      if (code == BN_CLICKED) form_.BitBtnKeDuColorClick(*control);
      return;
    case K::Button:
      if (code == BN_CLICKED && *control == C::BitBtnDefault) form_.BitBtnDefaultClick();
      return;
    case K::Check:
      if (code == BN_CLICKED && *control == C::CheckBoxShowDisplayForm) form_.CheckBoxShowDisplayFormClick();
      return;
    case K::SpinEdit:
      if (code == EN_KILLFOCUS) form_.SpinEditExit(*control);
      if (code == EN_CHANGE && !updating_ &&
          (*control == C::SpinEditPixelPerUnit || *control == C::SpinEditTicksPerUnit ||
           *control == C::SpinEditDisplayValueUnit))
        form_.SpinEditPixelPerUnitChange(*control);
      return;
    case K::Edit:
      if (code == EN_KILLFOCUS) form_.EditTranValueExit();
      return;
    default: return;
  }
}

void ConfigDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const std::optional<ConfigControl> control = ControlOfId(static_cast<int>(item.CtlID));
  if (!control) return;
  if (*control == C::ImagePreview) {
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, preview_size_.cx, preview_size_.cy, preview_dc_.Get(), 0, 0,
           SRCCOPY);
    return;
  }
  if (LayoutOf(*control).kind == K::ColorButton) DrawColorButton(item);
}

void ConfigDialog::DrawColorButton(const DRAWITEMSTRUCT& item) {
  RECT rc = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  DrawFrameControl(item.hDC, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  const int slot = static_cast<int>(*ControlOfId(static_cast<int>(item.CtlID)));
  const Bitmap& picture = pictures_[slot];
  if (picture) {
    BITMAP bm{};
    GetObjectW(picture.Get(), sizeof(bm), &bm);
    const int x = rc.left + (rc.right - rc.left - bm.bmWidth) / 2 + (pushed ? 1 : 0);
    const int y = rc.top + (rc.bottom - rc.top - bm.bmHeight) / 2 + (pushed ? 1 : 0);
    if (item.itemState & ODS_DISABLED) {
      DrawStateW(item.hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(picture.Get()), 0, x, y, bm.bmWidth,
                 bm.bmHeight, DST_BITMAP | DSS_DISABLED);
    } else {
      MemoryDc memory(CreateCompatibleDC(item.hDC));
      SelectScope select(memory.Get(), picture.Get());
      // The swatch's corner colour is its transparent colour.
      GdiTransparentBlt(item.hDC, x, y, bm.bmWidth, bm.bmHeight, memory.Get(), 0, 0, bm.bmWidth, bm.bmHeight,
                        ToCOLORREF(picture_keys_[slot]));
    }
  }
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&rc, -3, -3);
    DrawFocusRect(item.hDC, &rc);
  }
}

void ConfigDialog::ShowPage(int page) {
  if (page < 0 || page >= 4) return;
  const HWND focus = GetFocus();
  page_ = page;
  for (int p = 0; p < 4; ++p) ShowWindow(pages_[p], p == page ? SW_SHOW : SW_HIDE);
  // The focus never stays on a control that is no longer shown.
  for (int p = 0; p < 4; ++p)
    if (p != page && focus != nullptr && IsChild(pages_[p], focus))
      SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Handle(C::PageControlHotKey)), TRUE);
}

// ---- ConfigView ----

void ConfigDialog::SetTitle(const std::string& title) { SetWindowTextW(dialog_, Utf8ToWide(title).c_str()); }

std::string ConfigDialog::Text(ConfigControl control) const {
  const ConfigLayoutEntry& e = LayoutOf(control);
  if (e.kind == K::Tab) {
    wchar_t buffer[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    const int index = TabIndex(control);
    SendMessageW(Handle(C::PageControlHotKey), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return WideToUtf8(buffer);
  }
  if (HasFittedText(e.kind) || e.kind == K::ChoiceItem) return texts_[static_cast<int>(control)];
  const HWND hwnd = Handle(control);
  if (hwnd == nullptr) return {};
  return WideToUtf8(WindowText(hwnd));
}

void ConfigDialog::SetText(ConfigControl control, const std::string& text) {
  std::wstring wide = Utf8ToWide(text);
  const ConfigLayoutEntry& e = LayoutOf(control);
  if (e.kind == K::Tab) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = wide.data();
    const int index = TabIndex(control);
    SendMessageW(Handle(C::PageControlHotKey), TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return;
  }
  if (e.kind == K::ChoiceItem) {
    // The item is replaced in its place; the choice stays.
    texts_[static_cast<int>(control)] = text;
    const ChoiceSlot slot = ChoiceSlotOf(control);
    const HWND list = Handle(slot.choice);
    if (list == nullptr) return;
    const LRESULT chosen = SendMessageW(list, CB_GETCURSEL, 0, 0);
    SendMessageW(list, CB_DELETESTRING, static_cast<WPARAM>(slot.index), 0);
    SendMessageW(list, CB_INSERTSTRING, static_cast<WPARAM>(slot.index), reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    return;
  }
  const HWND hwnd = Handle(control);
  if (hwnd == nullptr) return;
  if (HasFittedText(e.kind)) {
    // Shown as the plan fits it; while the form fills the dialog, the
    // layout after it does that for all texts at once.
    texts_[static_cast<int>(control)] = text;
    if (shown_) {
      Layout(ppi_);
      return;
    }
  }
  updating_ = true;
  SetWindowTextW(hwnd, wide.c_str());
  updating_ = false;
}

bool ConfigDialog::Checked(ConfigControl control) const {
  return SendMessageW(Handle(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ConfigDialog::SetChecked(ConfigControl control, bool checked) {
  SendMessageW(Handle(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int ConfigDialog::ItemIndex(ConfigControl group) const {
  if (LayoutOf(group).kind == K::Choice)
    return static_cast<int>(SendMessageW(Handle(group), CB_GETCURSEL, 0, 0));  // CB_ERR is -1
  if (const RadioGroup* g = FindRadioGroup(group))
    for (int i = 0; i < 2; ++i)
      if (Checked(g->items[i])) return i;
  return -1;
}

void ConfigDialog::SetItemIndex(ConfigControl group, int index) {
  if (LayoutOf(group).kind == K::Choice) {
    SendMessageW(Handle(group), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    return;
  }
  if (const RadioGroup* g = FindRadioGroup(group))
    for (int i = 0; i < 2; ++i) SetChecked(g->items[i], i == index);
}

int ConfigDialog::Position(ConfigControl slider) const {
  return static_cast<int>(SendMessageW(Handle(slider), TBM_GETPOS, 0, 0));
}

void ConfigDialog::SetPosition(ConfigControl slider, int position) {
  SendMessageW(Handle(slider), TBM_SETPOS, TRUE, position);
}

Shortcut ConfigDialog::HotKey(ConfigControl field) const {
  return FromHotKeyWord(static_cast<WORD>(SendMessageW(Handle(field), HKM_GETHOTKEY, 0, 0)));
}

void ConfigDialog::SetHotKey(ConfigControl field, Shortcut value) {
  SendMessageW(Handle(field), HKM_SETHOTKEY, ToHotKeyWord(value), 0);
}

void ConfigDialog::SetShortcutWords(const ShortcutWords& words) {
  shortcut_words_ = words;
  for (const ConfigLayoutEntry& e : ConfigLayout())
    if (e.kind == K::HotKey && Handle(e.control) != nullptr) InvalidateRect(Handle(e.control), nullptr, TRUE);
}

bool ConfigDialog::Enabled(ConfigControl control) const {
  const HWND hwnd = Handle(control);
  return hwnd != nullptr && IsWindowEnabled(hwnd);
}

void ConfigDialog::SetEnabled(ConfigControl control, bool enabled) {
  if (HWND hwnd = Handle(control)) EnableWindow(hwnd, enabled ? TRUE : FALSE);
  if (HWND updown = updowns_[static_cast<int>(control)]) EnableWindow(updown, enabled ? TRUE : FALSE);
}

Size ConfigDialog::ControlSize(ConfigControl control) const {
  const Rect& r = plan_.Of(control).rect;
  return {r.Width(), r.Height()};
}

void ConfigDialog::SetButtonPicture(ConfigControl button, const ColorSwatch& swatch) {
  const int slot = static_cast<int>(button);
  pictures_[slot] = BitmapOf(swatch.picture);
  picture_keys_[slot] = swatch.transparent;
  if (HWND hwnd = Handle(button)) InvalidateRect(hwnd, nullptr, FALSE);
}

int ConfigDialog::ActivePage() const { return page_; }

void ConfigDialog::SetActivePage(int page) {
  SendMessageW(Handle(C::PageControlHotKey), TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
  ShowPage(page);
}

bool ConfigDialog::Focus(ConfigControl control) {
  const HWND hwnd = Handle(control);
  if (hwnd == nullptr || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return false;
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd), TRUE);
  return true;
}

std::optional<Color> ConfigDialog::ChooseColor(Color initial) {
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = dialog_;
  cc.rgbResult = ToCOLORREF(initial);
  cc.lpCustColors = g_custom_colors;
  // Opened in full with the button that opens the custom part disabled;
  // solid colours only, any colour allowed.
  cc.Flags = CC_FULLOPEN | CC_PREVENTFULLOPEN | CC_RGBINIT | CC_SOLIDCOLOR | CC_ANYCOLOR;
  if (!ChooseColorW(&cc)) return std::nullopt;
  return FromCOLORREF(cc.rgbResult);
}

Size ConfigDialog::PreviewSize() const { return preview_size_; }

Canvas& ConfigDialog::PreviewCanvas() { return *preview_canvas_; }

void ConfigDialog::PreviewChanged() {
  if (HWND hwnd = Handle(C::ImagePreview)) InvalidateRect(hwnd, nullptr, FALSE);
}

}  // namespace mensor::win32
