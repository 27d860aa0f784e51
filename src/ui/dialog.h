// A dialog window as the core sees it: a fixed-size window with a title,
// modal and centred on the monitor of the ruler's zero corner, or modeless
// beside the ruler, whose client area the
// core paints and hit-tests itself, with native push buttons and tool tips
// over client rectangles. The form behind it receives its events through
// DialogHandler.
#pragma once

#include <string>

#include "ui/canvas.h"
#include "ui/monitors.h"
#include "ui/types.h"

namespace mensor {

enum class CursorShape;  // ui/platform.h

// What a dialog window calls on its form. Coordinates are client pixels.
class DialogHandler {
 public:
  virtual ~DialogHandler() = default;
  // Once, before the window first shows.
  virtual void FormShow() = 0;
  virtual void FormPaint(Canvas& canvas) = 0;
  virtual void MouseMove(int x, int y) = 0;
  // The left button was pressed and released over the client area.
  virtual void Click(int x, int y) = 0;
  virtual void ButtonClick(int id) = 0;
  // A key the dialog did not use itself; Esc arrives here (27).
  virtual void KeyDown(int key) = 0;
  // The window was moved to a monitor of another pixel density: the form
  // lays itself out again for ppi pixels per inch.
  virtual void DensityChanged(int ppi) = 0;
};

class DialogWindow {
 public:
  virtual ~DialogWindow() = default;

  virtual void SetCaption(const std::string& caption) = 0;
  // The size of the client area; the frame is added around it.
  virtual void SetClientSize(int width, int height) = 0;
  // The pixels per inch of the monitor the window opens on (then of the one
  // it was last moved to); the form lays itself out for it.
  virtual int PixelsPerInch() const = 0;
  // The largest client area the work area of that monitor leaves inside the
  // frame; 0 by 0 when the platform cannot tell.
  virtual Size MaxClientSize() const = 0;
  // A native push button; its clicks (mouse, Enter while focused, its
  // accelerator letter) come back as DialogHandler::ButtonClick(id). The first
  // button added takes the focus.
  virtual void AddButton(int id, const Rect& bounds, const std::string& caption, const Font& font) = 0;
  virtual void SetButtonCaption(int id, const std::string& caption) = 0;
  // Moves a button or a text field.
  virtual void MoveButton(int id, const Rect& bounds, const Font& font) = 0;
  // A native one-line text field (ids shared with the buttons). When the
  // window shows, the first one added has the focus with its text selected;
  // Enter in it presses the first button.
  virtual void AddEdit(int id, const Rect& bounds, const std::string& text, const Font& font) = 0;
  virtual std::string EditText(int id) const = 0;
  virtual void SetEditText(int id, const std::string& text) = 0;
  // A tool tip shown while the pointer rests over a client rectangle; hints
  // are numbered from 0 in the order they were added.
  virtual void AddHint(const Rect& bounds, const std::string& text) = 0;
  // A hint's new rectangle and text (an empty rectangle shows it nowhere).
  virtual void SetHint(int index, const Rect& bounds, const std::string& text) = 0;
  virtual void SetCursor(CursorShape shape) = 0;
  virtual void Invalidate() = 0;
  // Calls handler.FormShow(), shows the window centred on its monitor and
  // modal (the program's other windows take no input meanwhile), and returns
  // when it has been closed.
  virtual void ShowModal(DialogHandler& handler) = 0;
  // Calls handler.FormShow() and shows the window, modeless, on the monitor
  // of the ruler's zero corner beside the ruler's box `ruler` (clear of it
  // where that monitor leaves room), and returns at once: the program's other
  // windows stay usable, and the handler gets the window's events until Close.
  virtual void ShowModeless(DialogHandler& handler, const Box& ruler) = 0;
  // Brings the shown window to the front and gives it the focus.
  virtual void Activate() = 0;
  // Ends the modal showing, or hides the modeless window (its handler gets no
  // more events). Closing it from the system (Alt+F4) arrives at the handler
  // as Esc.
  virtual void Close() = 0;
  // Opens a document or address with the shell's "open" verb, this window as
  // the owner of whatever the shell shows. The result is not reported.
  virtual void OpenWithShell(const std::string& target) = 0;
};

}  // namespace mensor
