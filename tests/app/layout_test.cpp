// WindowLayout: the row of controls at every scale a screen offers.
#include <gtest/gtest.h>

#include "app/WindowLayout.h"

namespace {

TEST(WindowLayout, At96DpiTheRowStandsWhereItAlwaysHas) {
  const WindowLayout layout(0);  // an unknown DPI counts as 96
  EXPECT_EQ(layout.Dpi(), 96);
  EXPECT_EQ(layout.SearchBox().x, 4);
  EXPECT_EQ(layout.SearchBox().width, 192);
  for (int i = 0; i < WindowLayout::kButtons; ++i) {
    EXPECT_EQ(layout.Button(i).x, 200 + 108 * i);
    EXPECT_EQ(layout.Button(i).width, 96);
    EXPECT_EQ(layout.Button(i).height, 24);
  }
  EXPECT_EQ(layout.PaneTop(), kPaneTop);
  EXPECT_EQ(layout.WindowWidth(), kWindowWidth);
}

// From 100 % to 300 % in the steps Windows offers and between them: everything grows with the
// scale, nothing overlaps, the row fits the smallest client area and stays above the pane.
TEST(WindowLayout, EveryScaleKeepsTheRowWholeAndInOrder) {
  for (int dpi = 96; dpi <= 288; dpi += 6) {
    SCOPED_TRACE(dpi);
    const WindowLayout layout(dpi);
    const double scale = dpi / 96.0;
    EXPECT_NEAR(layout.Button(0).width, 96 * scale, 0.5);
    EXPECT_NEAR(layout.MinClientWidth(), kMinClientWidth * scale, 0.5);
    int right = layout.SearchBox().x + layout.SearchBox().width;
    for (int i = 0; i < WindowLayout::kButtons; ++i) {
      const WindowLayout::Box b = layout.Button(i);
      EXPECT_GT(b.x, right) << "a gap before button " << i;
      right = b.x + b.width;
      EXPECT_LT(b.y + b.height, layout.PaneTop());
    }
    EXPECT_LE(right, layout.MinClientWidth());
    // The search options: below the buttons, above the pane, side by side.
    const WindowLayout::Box regex = layout.Option(0), ignoreCase = layout.Option(1);
    EXPECT_GT(regex.y, layout.Button(0).y + layout.Button(0).height - 1);
    EXPECT_LE(regex.y + regex.height, layout.PaneTop());
    EXPECT_GT(ignoreCase.x, regex.x + regex.width);
    EXPECT_LE(ignoreCase.x + ignoreCase.width, layout.MinClientWidth());
  }
  EXPECT_EQ(WindowLayout(144).WindowWidth(), 960);
  EXPECT_EQ(WindowLayout(144).PaneTop(), 78);
}

}  // namespace
