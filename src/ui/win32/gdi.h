// Small owners for GDI and USER handles: pens, brushes, fonts, bitmaps,
// regions, device contexts, objects selected into a DC, icons, cursors and
// image lists. Each frees its handle exactly once, cannot be copied and can be
// moved. A handle that leaks is a bug: the paint and the magnifier run often
// enough to exhaust the process's GDI quota.
//
// Every owner keeps a process-wide count of the handles alive in owners, so
// a long run can show that the count stays flat (GetGuiResources cannot be
// used for that under Wine, where it answers 0).
#pragma once

#include "ui/win32/win32.h"

#include <atomic>
#include <utility>

namespace mensor::win32 {

// Handles held by the owners below right now.
inline std::atomic<long> g_live_handles{0};
inline long LiveHandleCount() { return g_live_handles.load(std::memory_order_relaxed); }

// An owned handle; Traits::Free releases it, Traits::Null() is "no handle".
template <typename Traits>
class Unique {
 public:
  using Handle = typename Traits::Handle;

  Unique() = default;
  explicit Unique(Handle h) : h_(h) {
    if (h_ != Handle{}) ++g_live_handles;
  }
  ~Unique() { Reset(); }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& other) noexcept : h_(std::exchange(other.h_, Handle{})) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) {
      Reset();
      h_ = std::exchange(other.h_, Handle{});
    }
    return *this;
  }

  Handle Get() const { return h_; }
  explicit operator bool() const { return h_ != Handle{}; }
  // Gives the handle up without freeing it.
  Handle Release() {
    if (h_ != Handle{}) --g_live_handles;
    return std::exchange(h_, Handle{});
  }
  void Reset(Handle h = Handle{}) {
    if (h_ != Handle{}) {
      Traits::Free(h_);
      --g_live_handles;
    }
    h_ = h;
    if (h_ != Handle{}) ++g_live_handles;
  }

 private:
  Handle h_{};
};

template <typename H>
struct GdiObjectTraits {
  using Handle = H;
  static void Free(H h) { DeleteObject(h); }
};

using Pen = Unique<GdiObjectTraits<HPEN>>;
using Brush = Unique<GdiObjectTraits<HBRUSH>>;
using FontHandle = Unique<GdiObjectTraits<HFONT>>;
using Bitmap = Unique<GdiObjectTraits<HBITMAP>>;
using Region = Unique<GdiObjectTraits<HRGN>>;

struct MemoryDcTraits {
  using Handle = HDC;
  static void Free(HDC h) { DeleteDC(h); }
};
// A DC from CreateCompatibleDC.
using MemoryDc = Unique<MemoryDcTraits>;

struct IconTraits {
  using Handle = HICON;
  static void Free(HICON h) { DestroyIcon(h); }
};
using Icon = Unique<IconTraits>;

struct CursorTraits {
  using Handle = HCURSOR;
  static void Free(HCURSOR h) { DestroyCursor(h); }
};
// A cursor made at run time (never a shared one from LoadCursor).
using Cursor = Unique<CursorTraits>;

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static void Free(HIMAGELIST h) { ImageList_Destroy(h); }
};
using ImageList = Unique<ImageListTraits>;

// A DC from GetDC, given back with ReleaseDC. A null window gives the DC of
// the whole screen.
class WindowDc {
 public:
  WindowDc() = default;
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {
    if (dc_ != nullptr) ++g_live_handles;
  }
  ~WindowDc() { Reset(); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  WindowDc(WindowDc&& other) noexcept
      : hwnd_(std::exchange(other.hwnd_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&& other) noexcept {
    if (this != &other) {
      Reset();
      hwnd_ = std::exchange(other.hwnd_, nullptr);
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  void Reset() {
    if (dc_ != nullptr) {
      ReleaseDC(hwnd_, dc_);
      --g_live_handles;
    }
    hwnd_ = nullptr;
    dc_ = nullptr;
  }
  HWND hwnd_ = nullptr;
  HDC dc_ = nullptr;
};

// Selects an object into a DC for the lifetime of the scope and puts the
// previous one back at its end, so the object can be deleted afterwards.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectScope() {
    if (dc_ != nullptr && old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;
  SelectScope(SelectScope&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)), old_(std::exchange(other.old_, nullptr)) {}
  SelectScope& operator=(SelectScope&&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Saves the whole state of a DC (selected objects, modes, colours, clipping)
// and restores it at the end of the scope.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  ~SavedDcState() {
    if (dc_ != nullptr && id_ != 0) RestoreDC(dc_, id_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  SavedDcState(SavedDcState&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)), id_(std::exchange(other.id_, 0)) {}
  SavedDcState& operator=(SavedDcState&&) = delete;

 private:
  HDC dc_;
  int id_;
};

}  // namespace mensor::win32
