// The four filters and the conversion, pressed in the window: what they write to the
// pane, the status bar and the count box.
#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/UiText.h"

namespace {

struct FilterCase {
  int id;
  const char* search;
  std::string pane;
  std::string paneAfter;
  std::string status;
};

TEST_F(MainWindowTest, ButtonsFilterThePaneAndShowTheLineCount) {
  // LF-only text turns into CR LF inside the pane already, so both read the same there.
  const std::string crlf = "apple\r\nbanana\r\n";
  const std::string lf = "apple\nbanana\n";
  const std::string open = "apple\r\nbanana";
  const std::string japanese =
      "\x95\x5c\x8e\xa6\r\n\x83\x5c\x81\x5b\x83\x58\r\n\x93\x8c\x8b\x9e\r\n";  // 表示 ソース 東京
  const FilterCase cases[] = {
      {ids::kExtract, "an", crlf, "banana\r\n", Lines(1)},
      {ids::kExtract, "an", lf, "banana\r\n", Lines(1)},
      {ids::kExtract, "an", open, "banana\r\n", Lines(1)},
      {ids::kExtract, "zz", crlf, "", Lines(0)},
      {ids::kDelete, "an", crlf, "apple\r\n", Lines(1)},
      {ids::kDelete, "an", lf, "apple\r\n", Lines(1)},
      {ids::kDelete, "an", open, "apple\r\n", Lines(1)},
      {ids::kDelete, "zz", open, "apple\r\nbanana\r\n", Lines(2)},
      {ids::kDeleteUpTo, "an", crlf, "apple\r\nanana\r\n", Lines(2)},
      {ids::kDeleteUpTo, "an", lf, "apple\r\nanana\r\n", Lines(2)},
      {ids::kDeleteUpTo, "an", open, "apple\r\nanana\r\n", Lines(2)},
      // Characters, not bytes: 0x5C is only the trail byte of 表 and ソ there.
      {ids::kExtract, "\\", japanese, "", Lines(0)},
      {ids::kExtract, "\\", japanese + "C:\\\r\n", "C:\\\r\n", Lines(1)},
      {ids::kDeleteUpTo, "\x83\x5c", "\x95\x5c\x8e\xa6\x83\x5c\x81\x5b\x83\x58\r\n",
       "\x83\x5c\x81\x5b\x83\x58\r\n", Lines(1)},
  };
  for (const FilterCase& c : cases) {
    SetPane(c.pane);
    SetSearch(c.search);
    SetStatus("before");
    Press(c.id);
    EXPECT_EQ(Pane(), c.paneAfter) << c.id << " on " << c.pane;
    EXPECT_EQ(Status(), c.status) << c.id << " on " << c.pane;
  }
}

TEST_F(MainWindowTest, FiltersWithAnEmptySearchBoxChangeNothing) {
  for (int id : {ids::kExtract, ids::kDelete, ids::kDeleteUpTo, ids::kCountMatches}) {
    SetPane("apple\r\n");
    SetSearch("");
    SetStatus("before");
    Press(id);  // CountMatches would block on its box if it showed one
    EXPECT_EQ(Pane(), "apple\r\n") << id;
    EXPECT_EQ(Status(), "before") << id;
  }
}

// 255 bytes are the most a search text holds; a longer one is refused, never cut.
TEST_F(MainWindowTest, FiltersRefuseASearchTextOver255Bytes) {
  const std::string a255(255, 'a');
  const std::string pane = a255 + "\r\n" + a255 + "b\r\n";
  for (int id : {ids::kExtract, ids::kDelete, ids::kDeleteUpTo, ids::kCountMatches}) {
    for (const std::string& search : {a255 + "b", std::string(300, 'a')}) {
      SetPane(pane);
      SetSearch(search.c_str());
      SetStatus("before");
      Press(id);  // CountMatches would block on its box if it showed one
      EXPECT_EQ(Pane(), pane) << id;
      EXPECT_EQ(Status(), ui::kSearchTooLong) << id;
    }
  }
  SetSearch(a255.c_str());
  Press(ids::kDelete);
  EXPECT_EQ(Status(), Lines(0));
}

TEST_F(MainWindowTest, FiltersOnAnEmptyPaneEmptyTheStatus) {
  for (int id : {ids::kExtract, ids::kDelete, ids::kDeleteUpTo}) {
    SetPane("");
    SetSearch("a");
    SetStatus("before");
    Press(id);
    EXPECT_EQ(Pane(), "") << id;
    EXPECT_EQ(Status(), "") << id;
  }
}

TEST_F(MainWindowTest, CountMatchesShowsLinesInStatusAndMatchesInABoxNamedBySearch) {
  struct Case {
    std::string pane;
    std::string status;
    std::string box;
  };
  const Case cases[] = {
      {"apple\r\nbanana\r\n", Lines(3), "\x91\x53\x31\x8c\x8f"},  // 全1件
      {"apple\nbanana\n", Lines(3), "\x91\x53\x31\x8c\x8f"},
      {"apple\r\nbanana", Lines(2), "\x91\x53\x31\x8c\x8f"},
      {"", Lines(1), "\x91\x53\x30\x8c\x8f"},                          // 全0件
      {"an\r\nbanana an\r\nx\r\n", Lines(4), "\x91\x53\x32\x8c\x8f"},  // 全2件
  };
  for (const Case& c : cases) {
    SetPane(c.pane);
    SetSearch("an");
    SetStatus("before");
    DialogAnswer box("an", IDOK);
    Press(ids::kCountMatches);
    box.Join();
    EXPECT_TRUE(box.found()) << "no count box with the caption \"an\" for " << c.pane;
    EXPECT_EQ(box.text(), c.box) << c.pane;
    EXPECT_EQ(Status(), c.status) << c.pane;
    EXPECT_EQ(Pane(), c.pane);
  }
}

// Some controls report their length in characters; the pane is read whole either way.
TEST_F(MainWindowTest, PaneIsReadWholeWhateverItsCharacterCount) {
  const std::string text = "\x93\xfa\x96\x7b\x8c\xea\r\n\x95\x5c\r\n";  // 日本語 表
  SetPane(text);
  EXPECT_EQ(State().pane.Text(), text);
  SetSearch("\x95\x5c");
  Press(ids::kExtract);
  EXPECT_EQ(Pane(), "\x95\x5c\r\n");
  EXPECT_EQ(Status(), Lines(1));
}

// Menu items 31 and 32 through the real nkf32.dll.
TEST_F(MainWindowTest, BothConversionItemsGiveTheSameTextThroughNkf32) {
  ASSERT_NE(State().convert, nullptr) << "nkf32.dll was not found beside the test program";
  // %41%42 -> AB; + stays; %20 -> blank; an ISO-2022-JP line (ESC $ B "F|K\" ESC ( B, 日本)
  // percent-encoded becomes Shift_JIS 日本.
  const std::string input = "%41%42\r\na+b%20c\r\n%1B%24BF%7CK%5C%1B%28B\r\n";
  const std::string expected = "AB\r\na+b c\r\n\x93\xfa\x96\x7b\r\n";
  for (int id : {ids::kConvertSjis, ids::kConvertUrl}) {
    SetPane(input);
    SetStatus("before");
    Press(id);
    EXPECT_EQ(Pane(), expected) << id;
    EXPECT_EQ(Status(), Lines(3)) << id;  // the lines it wrote
  }
  SetPane("");
  Press(ids::kConvertUrl);
  EXPECT_EQ(Pane(), "");
}

}  // namespace
