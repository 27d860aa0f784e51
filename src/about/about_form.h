// TAboutForm: the about box. A modal window of 470 x 343 client pixels at 96
// pixels per inch (scaled with the density of its monitor), created anew for
// every opening: the banner (a JPEG picture decoded at run time) on its panel,
// a picture and the small envelope drawn transparent by their bottom-left
// colours, the contact group with the web and mail links, and "E&xit". Its
// texts come from the current language each time it is shown; the group and
// the window widen for texts wider than their places (within the work area
// of the monitor), so that no text runs under another element.
//
// The form paints and hit-tests its elements itself; the platform's dialog
// window only hosts the one native button and the tool tips of the links.
#pragma once

#include <string>
#include <string_view>

#include "lang/language_pack.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/image.h"
#include "ui/platform.h"
#include "ui/types.h"

namespace mensor {

// Names of the about box's pictures among the program's data resources.
inline constexpr const char* kBannerResource = "ABOUT_BANNER";
inline constexpr const char* kPictureResource = "ABOUT_PICTURE";
inline constexpr const char* kContactPictureResource = "ABOUT_CONTACT";

class TAboutForm : public DialogHandler {
 public:
  static constexpr int kClientWidth = 470;
  static constexpr int kClientHeight = 343;
  static constexpr int kBitBtnCloseId = 1;
  // Colour of the banner's panel (red 117, green 186, blue 255).
  static constexpr Color kPanelColor = 16759413;

  TAboutForm(Platform& platform, DialogWindow& window);

  // Lays the elements out, loads the pictures and adds the button and the
  // links' hints to the window.
  void FormCreate();

  // --- DialogHandler ---
  void FormShow() override;
  void FormPaint(Canvas& canvas) override;
  void MouseMove(int x, int y) override;
  void Click(int x, int y) override;
  void ButtonClick(int id) override;
  void KeyDown(int key) override;
  void DensityChanged(int ppi) override;

  void SetLanguage(int index);
  void SetDefaultLanguage();

  void Label6Click();
  void Label8Click();
  void BitBtnCloseClick();

  // --- elements (client coordinates; public for the tests) ---
  struct Picture {
    Rect bounds;
    Image image;  // empty when the picture could not be loaded
    // Pixels of this colour are not drawn (the bottom-left pixel's colour).
    bool transparent = false;
    Color transparent_color = 0;
  };
  struct GroupBox {
    Rect bounds;
    std::string caption;
    Font font;
  };

  Rect Panel1;
  Picture Image1;  // the banner
  Picture Image2;
  Picture Image3;
  GroupBox GroupBox1;
  Label Label5, Label6, Label7, Label8;
  Rect BitBtnClose;
  std::string BitBtnCloseCaption;
  // Why the banner is missing (empty when it was decoded).
  std::string BannerError;
  // The pixels per inch the elements are laid out for.
  int PixelsPerInch = 96;

  Platform& platform;
  DialogWindow& window;

 private:
  void SetLabelCaption(Label& label, const std::string& caption);
  // The font of the native button at the current density.
  Font ButtonFont() const;
  // Puts a text on one of the translatable elements, by its name in the
  // about box's text table.
  void SetText(std::string_view target, const std::string& text);
  void ApplyTexts(const WindowTexts& texts);
  void LoadBitmap(const char* resource, Image& image);
  // Places, fonts and pictures for ppi pixels per inch, and the window's
  // client size, all for the texts as measured in their fonts.
  void Layout(int ppi);
  // Positions the group's elements, the button and the window for the
  // labels' widths; returns the client width that takes.
  int Arrange(int label5_width, int label7_width);
  // The links' hints and, for a label whose text is cut, its whole text.
  void UpdateHints();

  // The whole texts of the two labels (their captions may be cut).
  std::string label5_text_;
  std::string label7_text_;
  bool hints_added_ = false;
  // The pictures as decoded, before scaling.
  Image banner_source_;
  Image picture_source_;
  Image contact_source_;
};

// The about box of the ruler menu's "&About...": created, shown modally and
// destroyed. Nothing happens when the system gives no window.
void ShowAboutBox(Platform& platform);

}  // namespace mensor
