// Where the main window's controls stand, at any DPI: plain arithmetic, no <windows.h>.
#pragma once

/// Sizes at 96 DPI (100 %). Outer size of the main window when it is created, frame included.
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 512;
/// The pane's top edge: below the search box and the buttons.
constexpr int kPaneTop = 32;
/// The smallest client area the window can be given: the search box and all four
/// buttons in full, and some lines of the pane above the status bar.
constexpr int kMinClientWidth = 624;
constexpr int kMinPaneHeight = 64;

/// The row of controls above the pane and the window's bounds at one DPI: each size above and
/// each place below, given at 96 DPI, scaled and rounded to the nearest pixel, so at 150 %
/// (144 DPI) everything is one and a half times as large and nothing overlaps or is cut.
class WindowLayout {
 public:
  struct Box {
    int x;
    int y;
    int width;
    int height;
  };
  static constexpr int kBaseDpi = 96;
  static constexpr int kButtons = 4;

  /// A layout for `dpi`; 0 (a DPI the system could not tell) counts as kBaseDpi.
  explicit WindowLayout(int dpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

  int Dpi() const { return dpi_; }
  /// `pixels` at 96 DPI, at this DPI.
  int Scale(int pixels) const {
    const long long scaled = static_cast<long long>(pixels) * dpi_;
    return static_cast<int>((scaled + (scaled >= 0 ? kBaseDpi / 2 : -kBaseDpi / 2)) / kBaseDpi);
  }

  /// The search box: its closed drop-down list, left of the buttons.
  Box SearchBox() const { return {Scale(4), Scale(4), Scale(192), Scale(24)}; }
  /// The button `index` (0 抽出, 1 削除, 2 まで削除, 3 計数), left to right.
  Box Button(int index) const { return {Scale(200 + 108 * index), Scale(4), Scale(96), Scale(24)}; }
  int PaneTop() const { return Scale(kPaneTop); }
  int MinClientWidth() const { return Scale(kMinClientWidth); }
  int MinPaneHeight() const { return Scale(kMinPaneHeight); }
  int WindowWidth() const { return Scale(kWindowWidth); }
  int WindowHeight() const { return Scale(kWindowHeight); }

 private:
  int dpi_;
};
