// The search options and the live count in the window: what the buttons do with an expression
// or ignore-case, what a bad or runaway expression leaves, and the count as the text is typed.
#include <gtest/gtest.h>
#include <windows.h>
// After <windows.h>:
#include <commctrl.h>

#include <chrono>
#include <string>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/UiText.h"
#include "app/WindowCommands.h"

namespace {

// 東京都港区, ＴＯＫＹＯ in Shift_JIS, then 東京都港区 and tokyo in UTF-8.
const std::string kMixed =
    "\x93\x8c\x8b\x9e\x93\x73\x8d\x60\x8b\xe6\r\n\x82\x73\x82\x6e\x82\x6a\x82\x78\x82\x6e\r\n"
    "\xe6\x9d\xb1\xe4\xba\xac\xe9\x83\xbd\xe6\xb8\xaf\xe5\x8c\xba\r\ntokyo\r\n";

filters::MatchOptions Options(bool regex, bool ignoreCase) {
  filters::MatchOptions options;
  options.regex = regex;
  options.ignoreCase = ignoreCase;
  return options;
}

// Status bar part 1 once a count has been shown there (or after ten seconds).
std::string ShownCount(HWND window, HWND statusBar) {
  char text[128] = {};
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < until) {
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    SendMessageA(statusBar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    if (text[0] != '\0') break;
    Sleep(5);
  }
  return text;
}

TEST_F(MainWindowTest, OptionsMakeTheButtonsMatchExpressionsAndIgnoreCaseInEachEncoding) {
  const struct {
    bool regex, ignoreCase;
    const char* search;
    int id;
    std::string paneAfter;
  } cases[] = {
      // 東京都, a character, 区 at the line's end: both encodings.
      {true, false, "\x93\x8c\x8b\x9e\x93\x73.\x8b\xe6$", ids::kExtract,
       "\x93\x8c\x8b\x9e\x93\x73\x8d\x60\x8b\xe6\r\n\xe6\x9d\xb1\xe4\xba\xac\xe9\x83\xbd\xe6\xb8"
       "\xaf\xe5\x8c\xba\r\n"},
      {false, true, "TOKYO", ids::kExtract, "tokyo\r\n"},
      {false, true, "\x82\x94\x82\x8f\x82\x8b\x82\x99\x82\x8f", ids::kDelete,  // ｔｏｋｙｏ
       "\x93\x8c\x8b\x9e\x93\x73\x8d\x60\x8b\xe6\r\n\xe6\x9d\xb1\xe4\xba\xac\xe9\x83\xbd\xe6\xb8"
       "\xaf\xe5\x8c\xba\r\ntokyo\r\n"},
      {true, true, "^T.K", ids::kDeleteUpTo, kMixed},
      {true, false, "\x8d\x60|\xe6\xb8\xaf", ids::kDeleteUpTo,  // 港: from 港 on, both lines
       "\x8d\x60\x8b\xe6\r\n\x82\x73\x82\x6e\x82\x6a\x82\x78\x82\x6e\r\n\xe6\xb8\xaf\xe5\x8c\xba"
       "\r\ntokyo\r\n"},
  };
  for (const auto& c : cases) {
    SetPane(kMixed);
    SetSearchOptions(State(), Options(c.regex, c.ignoreCase));
    SetSearch(c.search);
    Press(c.id);
    EXPECT_EQ(DocumentText(), c.paneAfter) << c.search;
  }
}

TEST_F(MainWindowTest, ABadOrRunawayExpressionChangesNothingAndSaysWhy) {
  SetSearchOptions(State(), Options(true, false));
  const std::string runaway = std::string(200000, 'a') + "!\r\nb\r\n";
  const struct {
    const char* search;
    std::string pane;
    std::string status;
  } cases[] = {
      {"a(b", "ab\r\n",
       "\x90\xb3\x8b\x4b\x95\x5c\x8c\xbb\x82\xcc\x8c\xeb\x82\xe8\x81\x69"
       "2\x95\xb6\x8e\x9a\x96\xda\x81\x6a\x81\x46"
       "end pattern with unmatched parenthesis"},
      {"^(a|aa)+$", runaway, ui::kSearchAbandoned},
  };
  for (const auto& c : cases) {
    for (const int id : {ids::kExtract, ids::kDelete, ids::kDeleteUpTo}) {
      SetPane(c.pane);
      SetSearch(c.search);
      Press(id);
      EXPECT_EQ(DocumentText(), c.pane) << id;
      EXPECT_FALSE(State().document.CanUndo() && DocumentText() != c.pane);
      EXPECT_EQ(Status(), c.status) << id;
    }
  }
}

TEST_F(MainWindowTest, LiveCountFollowsTheSearchTextAndTheOptions) {
  // The search text as typed: the search list tells the window its edit part changed.
  const auto type = [this](const std::string& text) {
    SetSearch(text);
    SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(ids::kSearchBox, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(State().searchList));
  };
  SetPane(kMixed);
  type("tokyo");
  EXPECT_EQ(ShownCount(Window(), State().statusBar), "\x88\xea\x92\x76 1\x8d\x73");  // 一致 1行
  SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(ids::kToggleIgnoreCase, 1), 0);      // Alt+I
  EXPECT_EQ(ShownCount(Window(), State().statusBar), "\x88\xea\x92\x76 1\x8d\x73")
      << "ＴＯＫＹＯ is full-width: not tokyo";
  type("\x93\x8c\x8b\x9e\x93\x73");  // 東京都: in both encodings
  EXPECT_EQ(ShownCount(Window(), State().statusBar), "\x88\xea\x92\x76 2\x8d\x73");
  SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(ids::kToggleRegex, 1), 0);  // Alt+R
  type("(");
  EXPECT_EQ(ShownCount(Window(), State().statusBar), ui::kLiveCountBadExpression);
  EXPECT_EQ(Status(), "") << "part 0 keeps its text";
}

}  // namespace
