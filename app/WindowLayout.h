// Where the main window's controls stand, at any DPI: plain arithmetic, no <windows.h>.
#pragma once

/// Sizes at 96 DPI (100 %). Outer size of the main window when it is created, frame included.
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 512;
/// The search options' row, below the search box and the buttons, and the pane's top edge
/// below it.
constexpr int kOptionsTop = 30;
constexpr int kPaneTop = 52;
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
  /// The search option `index` (0 正規表現, 1 大文字小文字を区別しない), on the row below.
  Box Option(int index) const {
    return index == 0 ? Box{Scale(4), Scale(kOptionsTop), Scale(120), Scale(20)}
                      : Box{Scale(128), Scale(kOptionsTop), Scale(240), Scale(20)};
  }
  /// The width of the status bar's second part, which shows the live count.
  int LiveCountWidth() const { return Scale(180); }
  int PaneTop() const { return Scale(kPaneTop); }
  int MinClientWidth() const { return Scale(kMinClientWidth); }
  int MinPaneHeight() const { return Scale(kMinPaneHeight); }
  int WindowWidth() const { return Scale(kWindowWidth); }
  int WindowHeight() const { return Scale(kWindowHeight); }

 private:
  int dpi_;
};
