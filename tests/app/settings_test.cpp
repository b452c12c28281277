// Settings: the lists against a reference model, the INI text both ways, and files that are
// missing, too large, garbage or cannot be written.
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "text/Limits.h"

namespace {

// Random sequences of Remember and Forget against the obvious model: the newest first, no two
// equal, the oldest gone beyond the limit, lines a settings file cannot hold refused.
TEST(Settings, ListsKeepTheNewestDistinctItemsWithinTheirLimit) {
  std::mt19937 random(7);
  const std::vector<std::string> items = {"a", "b", "\x95\x5c", "c=d", "e", "f", "", "g\r\nh"};
  for (int run = 0; run < 200; ++run) {
    const size_t limit = 1 + random() % 5;
    std::vector<std::string> list, model;
    for (int step = 0; step < 30; ++step) {
      const std::string& item = items[random() % items.size()];
      if (random() % 4 == 0) {
        const bool was = std::find(model.begin(), model.end(), item) != model.end();
        model.erase(std::remove(model.begin(), model.end(), item), model.end());
        EXPECT_EQ(Settings::Forget(list, item), was);
      } else {
        const bool fits = !item.empty() && item.find_first_of("\r\n") == std::string::npos;
        if (fits) {
          model.erase(std::remove(model.begin(), model.end(), item), model.end());
          model.insert(model.begin(), item);
          if (model.size() > limit) model.resize(limit);
        }
        EXPECT_EQ(Settings::Remember(list, item, limit), fits);
      }
      ASSERT_EQ(list, model) << "run " << run << " step " << step;
    }
  }
}

// 21 searches keep the newest 20, also through the file.
TEST(Settings, TwentyOneSearchesKeepTheNewestTwenty) {
  Settings settings;
  for (int i = 1; i <= 21; ++i) {
    Settings::Remember(settings.searches, "s" + std::to_string(i), limits::kSearchHistoryItems);
  }
  ASSERT_EQ(settings.searches.size(), 20u);
  EXPECT_EQ(settings.searches.front(), "s21");
  EXPECT_EQ(settings.searches.back(), "s2");
  EXPECT_EQ(Settings::Parse(settings.Format()).searches, settings.searches);
}

TEST(Settings, FormatAndParseGiveBackEverything) {
  Settings settings;
  settings.hasPlace = true;
  settings.place = {-8, 20, 700, 480, true};
  settings.searches = {"\x95\x5c\x8e\xa6", "a=b", "[Files]", " spaced "};
  settings.regex = true;
  settings.ignoreCase = true;
  settings.lastFolder = "C:\\\x95\x5c\\";
  settings.recentFiles = {"C:\\\x95\x5c\\a.txt", "D:\\b&c.txt"};
  const Settings back = Settings::Parse(settings.Format());
  EXPECT_TRUE(back.hasPlace);
  EXPECT_EQ(back.place.left, -8);
  EXPECT_EQ(back.place.top, 20);
  EXPECT_EQ(back.place.width, 700);
  EXPECT_EQ(back.place.height, 480);
  EXPECT_TRUE(back.place.maximized);
  EXPECT_EQ(back.searches, settings.searches);
  EXPECT_TRUE(back.regex);
  EXPECT_TRUE(back.ignoreCase);
  EXPECT_EQ(back.lastFolder, settings.lastFolder);
  EXPECT_EQ(back.recentFiles, settings.recentFiles);
  EXPECT_EQ(back.Format(), settings.Format());
}

// What is not the program's own is skipped line by line; a place needs all four values in
// bounds; the lists come out folded and bounded whatever the file says.
TEST(Settings, GarbageGivesTheDefaultsOrWhatIsValid) {
  struct Case {
    const char* text;
    bool hasPlace;
    std::vector<std::string> searches;
  } cases[] = {
      {"", false, {}},
      {"\xff\xfe\x00garbage\n[[[\n=\n", false, {}},
      {"[Window]\nLeft=1\nTop=2\nWidth=300\n", false, {}},                    // no height
      {"[Window]\nLeft=1\nTop=2\nWidth=300\nHeight=99\n", false, {}},         // too small
      {"[Window]\nLeft=1\nTop=2\nWidth=3e2\nHeight=300\n", false, {}},        // not a number
      {"[Window]\nLeft=-200000\nTop=2\nWidth=300\nHeight=300\n", false, {}},  // off any screen
      {"[Window]\r\nLeft=1\r\nTop=2\r\nWidth=300\r\nHeight=300\r\n", true, {}},
      {"[Search]\nText1=x\nText2=y\nText3=x\nText=z\n", false, {"x", "y", "z"}},
      {"[Files]\nText1=x\n[Search]\nnoequals\nText9=\n", false, {}},
  };
  for (const Case& c : cases) {
    const Settings s = Settings::Parse(c.text);
    EXPECT_EQ(s.hasPlace, c.hasPlace) << c.text;
    EXPECT_EQ(s.searches, c.searches) << c.text;
    EXPECT_FALSE(s.regex);
  }
  std::string many = "[Files]\n";
  for (int i = 0; i < 50; ++i)
    many += "Recent" + std::to_string(i) + "=f" + std::to_string(i) + "\n";
  EXPECT_EQ(Settings::Parse(many).recentFiles.size(), static_cast<size_t>(limits::kRecentFiles));
  EXPECT_EQ(Settings::Parse(many).recentFiles.front(), "f0");
  // Random bytes never give an item a settings line could not hold back.
  std::mt19937 random(3);
  for (int run = 0; run < 300; ++run) {
    std::string text = "[Search]\nText1=";
    for (int i = 0; i < 200; ++i) text += "\n=[]T1x\r\x95"[random() % 10];
    for (const std::string& item : Settings::Parse(text).searches) {
      EXPECT_FALSE(item.empty());
      EXPECT_EQ(item.find_first_of("\r\n"), std::string::npos);
    }
  }
}

TEST(Settings, FilesThatCannotBeReadGiveTheDefaultsAndSavingMakesTheFolder) {
  TempFolder folder("settings");
  Settings settings;
  settings.searches = {"kept"};
  const std::string path = folder.PathOf("made/Linsift/linsift.ini");
  ASSERT_TRUE(settings.Save(path)) << "the missing folders are made";
  EXPECT_EQ(Settings::Load(path).searches, settings.searches);

  EXPECT_TRUE(Settings::Load(folder.PathOf("missing.ini")).searches.empty());
  EXPECT_TRUE(Settings::Load(folder.PathOf("made")).searches.empty()) << "a folder";
  const std::string large = "[Search]\nText1=x\n" + std::string(limits::kSettingsFileBytes, ';');
  EXPECT_TRUE(Settings::Load(folder.Write("large.ini", large)).searches.empty());

  // A file in the way of the folder: nothing written, nothing left behind.
  const std::string blocked = folder.Write("file", "bytes") + "/linsift.ini";
  EXPECT_FALSE(settings.Save(blocked));
  EXPECT_EQ(TempFolder::Read(folder.PathOf("file")), "bytes");
}

}  // namespace
