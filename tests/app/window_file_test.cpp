// Files reach the pane three ways: the open dialog, the command line and drops.
#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/UiText.h"

namespace {

TEST_F(MainWindowTest, OpenFileLoadsTheChosenFileAndCountsItsLines) {
  const std::string first = WriteTempFile("linsift open a.txt", "a\nb\n");
  const std::string second = WriteTempFile("linsift open b.txt", "x\r\ny");
  {
    DialogAnswer dialog(ui::kOpenTitle, 0, TypePathAndOpen(first, nullptr));
    Press(ids::kOpenFile);
    dialog.Join();
    ASSERT_TRUE(dialog.found()) << "no dialog titled \"" << ui::kOpenTitle << "\"";
  }
  EXPECT_EQ(Pane(), "a\nb\n");
  EXPECT_EQ(Status(), Lines(3));  // LF bytes plus one

  // Cancelling changes nothing; the dialog starts with the last path.
  std::string shown;
  {
    DialogAnswer dialog(ui::kOpenTitle, 0, Cancel(&shown));
    Press(ids::kOpenFile);
    dialog.Join();
    ASSERT_TRUE(dialog.found());
  }
  EXPECT_NE(first.find(shown), std::string::npos) << "dialog started with \"" << shown << "\"";
  EXPECT_NE(shown.find("linsift open a.txt"), std::string::npos) << shown;
  EXPECT_EQ(Pane(), "a\nb\n");
  EXPECT_EQ(Status(), Lines(3));

  {
    DialogAnswer dialog(ui::kOpenTitle, 0, TypePathAndOpen(second, nullptr));
    Press(ids::kOpenFile);
  }
  EXPECT_EQ(Pane(), "x\r\ny");
  EXPECT_EQ(Status(), Lines(2));  // CR LF counts by its LF
}

class CommandLineTest : public MainWindowTest {
 protected:
  void SetUp() override {}
};

TEST_F(CommandLineTest, NamedFileIsLoadedWithItsLineCountAndName) {
  // One path, blanks and all.
  const std::string path = WriteTempFile("linsift start up.txt", "\x93\xfa\x96\x7b\nline 2\n");
  Start(path.c_str());
  EXPECT_EQ(DocumentText(), "\x93\xfa\x96\x7b\nline 2\n");
  EXPECT_EQ(Pane(), "\x93\xfa\x96\x7b\nline 2\n");
  EXPECT_EQ(Status(), Lines(3));
  EXPECT_EQ(PaneText::ReadText(Window()), "linsift start up.txt - Linsift");
}

TEST_F(CommandLineTest, QuotedOrMissingPathLoadsNothingAndSaysWhy) {
  const std::string path = WriteTempFile("linsift quoted.txt", "text\r\n");
  for (const std::string& line : {"\"" + path + "\"", path + ".missing"}) {
    Start(line.c_str());
    EXPECT_EQ(Pane(), "") << line;
    const std::string name = line.substr(line.find("linsift quoted"));
    EXPECT_EQ(Status(), Said(ui::kLoadMissing, name)) << line;
    EXPECT_EQ(PaneText::ReadText(Window()), "Linsift");
    TearDown();
  }
}

TEST_F(MainWindowTest, DroppedFileIsLoadedAndCounted) {
  const std::string first = WriteTempFile("linsift drop 1.txt", "1\n2\n3");
  const std::string second = WriteTempFile("linsift drop 2.txt", "other\n");
  Drop({first, second});
  EXPECT_EQ(Pane(), "1\n2\n3");
  EXPECT_EQ(Status(), Lines(3));

  // A path with a 0x5C trail byte comes through byte for byte.
  const std::string japanese = WriteTempFile("linsift \x95\x5c.txt", "a\r\nb\r\n");
  Drop({japanese});
  EXPECT_EQ(Pane(), "a\r\nb\r\n");
  EXPECT_EQ(Status(), Lines(3));

  // A drop without any file changes nothing (and does not load the last path again).
  SetStatus("kept");
  Drop({});
  EXPECT_EQ(Pane(), "a\r\nb\r\n");
  EXPECT_EQ(Status(), "kept");

  // The open dialog starts with the dropped path.
  Drop({second});
  std::string shown;
  {
    DialogAnswer dialog(ui::kOpenTitle, 0, Cancel(&shown));
    Press(ids::kOpenFile);
  }
  EXPECT_NE(shown.find("linsift drop 2.txt"), std::string::npos) << shown;
  EXPECT_EQ(Pane(), "other\n");
  EXPECT_EQ(Status(), Lines(2));
}

}  // namespace
