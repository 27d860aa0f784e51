// The ruler's popup menu as a Win32 menu, built afresh from the core's Menu
// each time it opens. Every item is owner-drawn: the top level carries a side
// band along its left edge (a vertical gradient from white to the band colour,
// framed in the button-highlight colour, with the band caption written bottom
// to top), items have a gutter for check and radio marks, the caption with
// its accelerator and the shortcut text on the right. Hidden items are left
// out. The owner window passes WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR here
// while the menu is open. Captions are drawn as Unicode; a menu with captions
// outside Windows-1252 (a language pack in another script) takes the system's
// menu font instead of "MS Sans Serif", and its accelerator letters in any
// script work through WM_MENUCHAR.
#pragma once

#include "ui/win32/win32.h"

#include <memory>
#include <string>
#include <vector>

#include "ui/menu.h"
#include "ui/win32/gdi_canvas.h"

namespace mensor::win32 {

class PopupMenu {
 public:
  // dpi scales the measures and fonts (96 keeps them as designed).
  PopupMenu(const Menu& model, FontCache& fonts, int dpi);
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  HMENU handle() const { return root_; }

  // Answers the owner-draw and menu-character messages that concern this
  // menu; false (result untouched) for anything else.
  bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

 private:
  struct Entry {
    std::wstring text;
    std::wstring shortcut;
    wchar_t accelerator = 0;  // upper case, 0 when the caption has none
    MenuKind kind = MenuKind::Command;
    bool checked = false;
    bool enabled = true;
    bool in_band_menu = false;  // an entry of the top level, beside the band
    int band_offset = 0;        // distance of the entry's top from the band's top
    int height = 0;
  };
  struct Level {
    HMENU menu = nullptr;
    std::vector<Entry*> entries;  // in menu positions, separators included
  };

  HMENU Build(const std::vector<MenuItem>& items, bool band);
  Entry* Find(ULONG_PTR data) const;
  void Measure(MEASUREITEMSTRUCT& mis);
  void Draw(const DRAWITEMSTRUCT& dis);
  void DrawBandSlice(HDC dc, const RECT& item, const Entry& entry);
  void DrawMark(HDC dc, const RECT& gutter, const Entry& entry, COLORREF color);
  LRESULT MenuChar(wchar_t ch, HMENU menu);
  int Scale(int value) const { return MulDiv(value, dpi_, 96); }

  FontCache& fonts_;
  int dpi_;
  std::wstring band_caption_;
  Color band_color_;
  Font item_font_;
  Font band_font_;
  HMENU root_ = nullptr;
  int band_height_ = 0;
  std::vector<std::unique_ptr<Entry>> entries_;
  std::vector<Level> levels_;
};

}  // namespace mensor::win32
