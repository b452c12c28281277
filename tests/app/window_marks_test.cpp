// The marks: every match of the search text in the lines on screen, found by the matcher
// the filters use, following scrolls and the search text; F3 and Shift+F3 move to them.
#include <windows.h>
// After <windows.h>:
#include <Scintilla.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/WindowCommands.h"
#include "filters/Matcher.h"

namespace {

using Ranges = std::vector<std::pair<size_t, size_t>>;

LRESULT Sci(HWND pane, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(pane, message, wParam, lParam);
}

// The ranges [begin, end) the pane's mark indicator covers.
Ranges MarkedRanges(HWND pane) {
  Ranges ranges;
  const LRESULT length = Sci(pane, SCI_GETLENGTH);
  const LRESULT indicator = 8;
  for (LRESULT at = 0; at < length;) {
    const LRESULT end = Sci(pane, SCI_INDICATOREND, indicator, at);
    if (end <= at) break;
    if (Sci(pane, SCI_INDICATORVALUEAT, indicator, at) != 0) ranges.emplace_back(at, end);
    at = end;
  }
  return ranges;
}

// The model: the matcher's matches in each line's content, as the filters read lines (a line
// ends at LF and holds neither it nor the CR of a CR LF; a lone CR is inside it), in the
// lines [first, last); touching matches are one run.
Ranges Matches(const std::string& text, const std::string& search, size_t first = 0,
               size_t last = SIZE_MAX) {
  const auto matcher = filters::Matcher::Make(search.data(), search.size(), {});
  Ranges ranges;
  size_t line = 0;
  for (size_t begin = 0; begin <= text.size() && line < last; ++line) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    const size_t next = end + 1;
    if (end > begin && end < text.size() && text[end - 1] == '\r') --end;
    if (line >= first) {
      const char* base = text.data();
      for (const char* from = base + begin; from <= base + end;) {
        const filters::LineMatch m = matcher->Find(base + begin, base + end, from);
        if (!m) break;
        // Touching matches make one marked run.
        const auto at = static_cast<size_t>(m.begin - base);
        const auto to = static_cast<size_t>(m.end - base);
        if (!ranges.empty() && ranges.back().second == at) {
          ranges.back().second = to;
        } else {
          ranges.emplace_back(at, to);
        }
        from = m.end > m.begin ? m.end : m.end + 1;
      }
    }
    if (next > text.size()) break;
    begin = next;
  }
  return ranges;
}

// Random short texts of Shift_JIS and UTF-8 lines, searched for texts that hide inside
// characters (¥ 5C in 表 95 5C, o 6F in 出 8F 6F): the marks are the matcher's matches.
TEST_F(MainWindowTest, MarksAreTheMatchersMatchesInTheLinesOnScreen) {
  const std::string pieces[] = {"\x95\x5c", "\\",   "\x8f\x6f", "o",  "\xe8\xa1\xa8",
                                "a",        "\r\n", "\n",       "\r", " "};
  const std::string searches[] = {"\\", "o", "\x95\x5c", "\xe8\xa1\xa8", "o\\", "a a"};
  std::mt19937 random(5);
  for (int round = 0; round < 60; ++round) {
    std::string text;
    const size_t count = random() % 30;
    for (size_t i = 0; i < count; ++i) text += pieces[random() % std::size(pieces)];
    if (round % 3 == 0) text += "\n\xe8\xa1\xa8o\\ UTF-8 line";  // a UTF-8 line among them
    const std::string& search = searches[random() % std::size(searches)];
    SetSearch(search);
    SetPane(text);
    EXPECT_EQ(MarkedRanges(PaneHandle()), Matches(text, search)) << "round " << round;
  }
  // The traps, pinned: ¥ is not marked in 表, o not in 出.
  SetSearch("\\");
  SetPane("\x95\x5c\\");
  EXPECT_EQ(MarkedRanges(PaneHandle()), (Ranges{{2, 3}}));
  SetSearch("o");
  SetPane("\x8f\x6fo");
  EXPECT_EQ(MarkedRanges(PaneHandle()), (Ranges{{2, 3}}));
  // An empty search box marks nothing.
  SetSearch("");
  SetPane("o o");
  EXPECT_TRUE(MarkedRanges(PaneHandle()).empty());
}

// Only the lines on screen are searched; a scroll marks the lines that come into view and
// the search text's changes are followed a moment later.
TEST_F(MainWindowTest, MarksFollowScrollsAndTheSearchText) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "line " + std::to_string(i) + " an\n";
  SetSearch("an");
  SetPane(text);
  HWND pane = PaneHandle();
  const auto onScreen = [&] {
    const auto first = static_cast<size_t>(Sci(pane, SCI_GETFIRSTVISIBLELINE));
    return Matches(text, "an", first, first + static_cast<size_t>(Sci(pane, SCI_LINESONSCREEN)));
  };
  Ranges marked = MarkedRanges(pane);
  EXPECT_FALSE(marked.empty());
  EXPECT_LT(marked.size(), 200u) << "only the lines on screen";
  const Ranges top = onScreen();
  EXPECT_TRUE(std::includes(marked.begin(), marked.end(), top.begin(), top.end()));

  SendMessageW(pane, WM_VSCROLL, SB_BOTTOM, 0);
  UpdateWindow(pane);
  marked = MarkedRanges(pane);
  const Ranges bottom = onScreen();
  EXPECT_TRUE(std::includes(marked.begin(), marked.end(), bottom.begin(), bottom.end()));
  EXPECT_FALSE(std::includes(marked.begin(), marked.end(), top.begin(), top.end()));

  // A new search text is marked once the typing pauses.
  SetWindowTextA(State().searchBox, "line 49");
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < 1000) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  marked = MarkedRanges(pane);
  ASSERT_FALSE(marked.empty());
  EXPECT_EQ(Pane().substr(marked.front().first, 7), "line 49");
}

// F3 and Shift+F3 select the next and previous match from the caret, wrapping around, and
// bring it into view.
TEST_F(MainWindowTest, F3AndShiftF3MoveToTheNextAndPreviousMatch) {
  std::string text = "an\n\x95\x5c an\n";
  for (int i = 0; i < 3000; ++i) text += "filler\n";
  text += "last an";
  SetPane(text);
  SetSearch("an");
  HWND pane = PaneHandle();
  const auto selection = [&] {
    return std::make_pair(Sci(pane, SCI_GETSELECTIONSTART), Sci(pane, SCI_GETSELECTIONEND));
  };
  const LRESULT last = static_cast<LRESULT>(text.size() - 2);
  Press(ids::kFindNext);
  EXPECT_EQ(selection(), std::make_pair(LRESULT{0}, LRESULT{2}));
  Press(ids::kFindNext);
  EXPECT_EQ(selection(), std::make_pair(LRESULT{6}, LRESULT{8}));
  Press(ids::kFindNext);
  EXPECT_EQ(selection(), std::make_pair(last, last + 2));
  EXPECT_GT(Sci(pane, SCI_GETFIRSTVISIBLELINE), 2000) << "brought into view";
  Press(ids::kFindNext);  // wraps to the start
  EXPECT_EQ(selection(), std::make_pair(LRESULT{0}, LRESULT{2}));
  Press(ids::kFindPrevious);  // and back to the end
  EXPECT_EQ(selection(), std::make_pair(last, last + 2));
  Press(ids::kFindPrevious);
  EXPECT_EQ(selection(), std::make_pair(LRESULT{6}, LRESULT{8}));
  SetSearch("zz");
  Press(ids::kFindNext);
  EXPECT_EQ(selection(), std::make_pair(LRESULT{6}, LRESULT{8})) << "no match: nothing moves";
}

}  // namespace
