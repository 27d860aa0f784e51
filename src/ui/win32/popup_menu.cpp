// PopupMenu: building the HMENU from the menu model and drawing its items.
#include "ui/win32/popup_menu.h"

#include <algorithm>

#include "ui/win32/convert.h"

namespace mensor::win32 {
namespace {

// Measures at 96 pixels per inch.
constexpr int kBandWidth = 26;
constexpr int kGutterWidth = 24;
constexpr int kTextGap = 6;        // gutter to caption, caption to shortcut
constexpr int kShortcutGap = 24;   // least room between caption and shortcut
constexpr int kArrowWidth = 16;    // the system draws submenu arrows here
constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 7;
constexpr int kCaptionMargin = 6;  // band caption from the band's bottom

// CharUpperW converts a single character when it is passed in place of the
// string pointer (the high word zero).
wchar_t UpperChar(wchar_t ch) {
  return static_cast<wchar_t>(
      reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(ch)))));
}

// The accelerator of a caption: the character after the first single '&'.
wchar_t AcceleratorKey(const std::wstring& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] == L'&') {
      ++i;
      continue;
    }
    return UpperChar(text[i + 1]);
  }
  return 0;
}

// True when a visible caption holds a character that Windows-1252 cannot
// represent. "MS Sans Serif" is a bitmap font in one 8-bit code page: text
// in another script (a language pack's) would come out as question marks.
bool NeedsUnicodeFont(const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    if (!item.visible) continue;
    const std::wstring text = Utf8ToWide(item.caption);
    BOOL lost = FALSE;
    if (!text.empty())
      WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                          nullptr, &lost);
    if (lost || NeedsUnicodeFont(item.items)) return true;
  }
  return false;
}

// The face of the system's menu font (a TrueType font that the system links
// to fonts of other scripts), "Tahoma" when the system does not say.
std::string SystemMenuFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) &&
      metrics.lfMenuFont.lfFaceName[0] != L'\0')
    return WideToUtf8(metrics.lfMenuFont.lfFaceName);
  return "Tahoma";
}

COLORREF Blend(COLORREF a, COLORREF b, int b_percent) {
  auto mix = [&](int ca, int cb) { return (ca * (100 - b_percent) + cb * b_percent) / 100; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  Brush brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.Get());
}

}  // namespace

PopupMenu::PopupMenu(const Menu& model, FontCache& fonts, int dpi)
    : fonts_(fonts), dpi_(dpi > 0 ? dpi : 96), band_caption_(Utf8ToWide(model.band_caption)),
      band_color_(model.band_color) {
  item_font_.face = NeedsUnicodeFont(model.items) ? SystemMenuFace() : "MS Sans Serif";
  item_font_.height = -Scale(11);
  band_font_.face = "Tahoma";
  band_font_.height = -Scale(19);
  band_font_.bold = true;
  band_font_.italic = true;
  root_ = Build(model.items, !band_caption_.empty());
  for (Entry* entry : levels_.front().entries) {
    entry->band_offset = band_height_;
    band_height_ += entry->height;
  }
}

PopupMenu::~PopupMenu() {
  // Destroying the top menu destroys its submenus too.
  if (root_ != nullptr) DestroyMenu(root_);
}

HMENU PopupMenu::Build(const std::vector<MenuItem>& items, bool band) {
  HMENU menu = CreatePopupMenu();
  const std::size_t level_index = levels_.size();
  levels_.push_back(Level{menu, {}});
  for (const MenuItem& item : items) {
    if (!item.visible) continue;
    auto entry = std::make_unique<Entry>();
    entry->text = Utf8ToWide(item.caption);
    entry->shortcut = Utf8ToWide(item.shortcut_text);
    entry->accelerator = AcceleratorKey(entry->text);
    entry->kind = item.kind;
    entry->checked = item.checked;
    entry->enabled = item.enabled;
    entry->in_band_menu = band;
    entry->height = Scale(item.kind == MenuKind::Separator ? kSeparatorHeight : kItemHeight);

    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID | MIIM_STATE;
    info.fType = MFT_OWNERDRAW;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(entry.get());
    info.wID = static_cast<UINT>(item.id);
    if (item.kind == MenuKind::Separator) info.fType |= MFT_SEPARATOR;
    if (item.kind == MenuKind::Radio) info.fType |= MFT_RADIOCHECK;
    info.fState = (item.checked ? MFS_CHECKED : 0u) | (item.enabled ? 0u : MFS_GRAYED);
    if (item.kind == MenuKind::Submenu) {
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = Build(item.items, false);
    }
    const UINT position = static_cast<UINT>(levels_[level_index].entries.size());
    InsertMenuItemW(menu, position, TRUE, &info);
    levels_[level_index].entries.push_back(entry.get());
    entries_.push_back(std::move(entry));
  }
  return menu;
}

PopupMenu::Entry* PopupMenu::Find(ULONG_PTR data) const {
  for (const auto& entry : entries_)
    if (reinterpret_cast<ULONG_PTR>(entry.get()) == data) return entry.get();
  return nullptr;
}

bool PopupMenu::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      if (mis->CtlType != ODT_MENU || Find(mis->itemData) == nullptr) return false;
      Measure(*mis);
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (dis->CtlType != ODT_MENU || Find(dis->itemData) == nullptr) return false;
      Draw(*dis);
      result = TRUE;
      return true;
    }
    case WM_MENUCHAR: {
      const HMENU menu = reinterpret_cast<HMENU>(lparam);
      if (std::none_of(levels_.begin(), levels_.end(), [&](const Level& l) { return l.menu == menu; }))
        return false;
      result = MenuChar(static_cast<wchar_t>(LOWORD(wparam)), menu);
      return true;
    }
    default:
      return false;
  }
}

void PopupMenu::Measure(MEASUREITEMSTRUCT& mis) {
  const Entry& entry = *Find(mis.itemData);
  mis.itemHeight = static_cast<UINT>(entry.height);
  int width = (entry.in_band_menu ? Scale(kBandWidth) : 0) + Scale(kGutterWidth) + Scale(kArrowWidth);
  if (entry.kind != MenuKind::Separator) {
    WindowDc screen(nullptr);
    SelectScope font(screen.Get(), fonts_.Get(item_font_));
    RECT text{0, 0, 0, 0};
    DrawTextW(screen.Get(), entry.text.c_str(), static_cast<int>(entry.text.size()), &text,
              DT_SINGLELINE | DT_CALCRECT);
    width += Scale(kTextGap) + (text.right - text.left);
    if (!entry.shortcut.empty()) {
      SIZE size{};
      GetTextExtentPoint32W(screen.Get(), entry.shortcut.c_str(), static_cast<int>(entry.shortcut.size()),
                            &size);
      width += Scale(kShortcutGap) + size.cx;
    }
  }
  mis.itemWidth = static_cast<UINT>(width);
}

void PopupMenu::Draw(const DRAWITEMSTRUCT& dis) {
  const Entry& entry = *Find(dis.itemData);
  const HDC dc = dis.hDC;
  SavedDcState saved(dc);
  RECT rc = dis.rcItem;
  if (entry.in_band_menu) {
    DrawBandSlice(dc, rc, entry);
    rc.left += Scale(kBandWidth);
  }
  const COLORREF menu_color = GetSysColor(COLOR_MENU);
  const COLORREF gutter_color = Blend(menu_color, GetSysColor(COLOR_BTNSHADOW), 15);
  RECT gutter{rc.left, rc.top, rc.left + Scale(kGutterWidth), rc.bottom};
  RECT body{gutter.right, rc.top, rc.right, rc.bottom};
  FillSolid(dc, gutter, gutter_color);
  FillSolid(dc, body, menu_color);

  if (entry.kind == MenuKind::Separator) {
    // A flat one-pixel line across the text part.
    const int y = (rc.top + rc.bottom) / 2;
    RECT line{body.left + Scale(kTextGap), y, body.right, y + 1};
    FillSolid(dc, line, GetSysColor(COLOR_BTNSHADOW));
    return;
  }

  const bool selected = (dis.itemState & ODS_SELECTED) != 0;
  const bool disabled = !entry.enabled || (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  COLORREF text_color = disabled ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_MENUTEXT);
  if (selected) {
    if (disabled) {
      Brush frame(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
      FrameRect(dc, &rc, frame.Get());
    } else {
      FillSolid(dc, rc, GetSysColor(COLOR_HIGHLIGHT));
      text_color = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
  }
  if (entry.checked) DrawMark(dc, gutter, entry, text_color);

  SelectObject(dc, fonts_.Get(item_font_));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text_color);
  RECT text{body.left + Scale(kTextGap), rc.top, rc.right - Scale(kArrowWidth), rc.bottom};
  // NOTE: ODS_NOACCEL is set when the menu was opened with the mouse and the
  // user's settings hide keyboard cues until a key is used.
  const UINT prefix = (dis.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
  DrawTextW(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | prefix);
  if (!entry.shortcut.empty()) {
    DrawTextW(dc, entry.shortcut.c_str(), static_cast<int>(entry.shortcut.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
  }
}

void PopupMenu::DrawBandSlice(HDC dc, const RECT& item, const Entry& entry) {
  // The band spans the whole top level; each item paints the part beside it.
  const int band_top = item.top - entry.band_offset;
  const RECT band{item.left, band_top, item.left + Scale(kBandWidth), band_top + band_height_};
  SavedDcState saved(dc);
  IntersectClipRect(dc, band.left, item.top, band.right, item.bottom);

  TRIVERTEX vertices[2] = {};
  vertices[0].x = band.left;
  vertices[0].y = band.top;
  vertices[0].Red = 0xFF00;
  vertices[0].Green = 0xFF00;
  vertices[0].Blue = 0xFF00;
  vertices[1].x = band.right;
  vertices[1].y = band.bottom;
  vertices[1].Red = static_cast<COLOR16>(RedOf(band_color_) << 8);
  vertices[1].Green = static_cast<COLOR16>(GreenOf(band_color_) << 8);
  vertices[1].Blue = static_cast<COLOR16>(BlueOf(band_color_) << 8);
  GRADIENT_RECT rect{0, 1};
  GdiGradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V);
  FrameRect(dc, &band, GetSysColorBrush(COLOR_BTNHIGHLIGHT));

  // The caption runs from the bottom upwards (escapement 90 degrees). The
  // reference point is the top-left of the turned text cell: the text grows
  // upwards from it and the cell lies to its right.
  Font font = band_font_;
  const HFONT turned = fonts_.Get(font, 900);
  SelectObject(dc, turned);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  const int x = band.left + (Scale(kBandWidth) - tm.tmHeight) / 2;
  const int y = band.bottom - Scale(kCaptionMargin);
  TextOutW(dc, x, y, band_caption_.c_str(), static_cast<int>(band_caption_.size()));
}

void PopupMenu::DrawMark(HDC dc, const RECT& gutter, const Entry& entry, COLORREF color) {
  const int cx = (gutter.left + gutter.right) / 2;
  const int cy = (gutter.top + gutter.bottom) / 2;
  Pen pen(CreatePen(PS_SOLID, 1, color));
  Brush brush(CreateSolidBrush(color));
  SelectScope use_pen(dc, pen.Get());
  SelectScope use_brush(dc, brush.Get());
  if (entry.kind == MenuKind::Radio) {
    const int r = Scale(3);
    Ellipse(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
    return;
  }
  // A tick two pixels thick: down to the right, then up to the right.
  for (int t = 0; t < 2; ++t) {
    MoveToEx(dc, cx - Scale(4), cy - Scale(1) + t, nullptr);
    LineTo(dc, cx - Scale(1), cy + Scale(2) + t);
    LineTo(dc, cx + Scale(5), cy - Scale(4) + t);
  }
}

LRESULT PopupMenu::MenuChar(wchar_t ch, HMENU menu) {
  const wchar_t key = UpperChar(ch);
  const auto level = std::find_if(levels_.begin(), levels_.end(), [&](const Level& l) { return l.menu == menu; });
  std::vector<int> matches;
  int highlighted = -1;
  for (std::size_t i = 0; i < level->entries.size(); ++i) {
    const Entry& entry = *level->entries[i];
    if (entry.kind == MenuKind::Separator) continue;
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) highlighted = static_cast<int>(i);
    if (entry.accelerator == key && entry.enabled) matches.push_back(static_cast<int>(i));
  }
  if (matches.empty()) return MAKELRESULT(0, MNC_IGNORE);
  if (matches.size() == 1) return MAKELRESULT(matches.front(), MNC_EXECUTE);
  // Several items share the letter: each press selects the next of them, as
  // plain menus do.
  for (int index : matches)
    if (index > highlighted) return MAKELRESULT(index, MNC_SELECT);
  return MAKELRESULT(matches.front(), MNC_SELECT);
}

}  // namespace mensor::win32
