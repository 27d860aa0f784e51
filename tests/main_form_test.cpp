// Start-up, menu and close of the ruler window through the fake platform.
#include "app/main_form.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace mensor {
namespace {

using testing::FakePlatform;
using testing::FakeWindow;

TEST(MainFormMenu, TopLevelEntriesInOrder) {
  FakePlatform platform;
  FakeWindow window;
  TMainForm form(platform, window);
  std::vector<std::string> captions;
  for (const MenuItem& item : form.PopupMenuMain.items)
    captions.push_back(item.kind == MenuKind::Separator ? "-" : item.caption);
  const std::vector<std::string> expected = {
      "&About...", "&Help", "-", "H&ide", "Always On &Top", "Tra&nsparent", "&Units", "-",
      "&Rotate", "Hori&zontal", "&Vertical", "&Fit Screen As Horizontal", "Fit &Screen As Vertical",
      "&DrawLine", "-", "Show Scale &Line", "Show T&oolBar", "-", "&Calculator", "-",
      "&Preferences...", "&Language", "-", "E&xit"};
  EXPECT_EQ(captions, expected);
}

}  // namespace
}  // namespace mensor
