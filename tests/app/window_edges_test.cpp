// The window at its edges: long dropped paths, cut loads, unsaved work on closing, a history
// per file, typing past the limit, read-only saves and a missing converter.
#include <windows.h>
// After <windows.h>:
#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/UiText.h"
#include "app/WindowCommands.h"
#include "binding/BindConverter.h"
#include "support/TempFolder.h"

namespace {

class EdgesTest : public MainWindowTest {
 protected:
  // Presses 終了 with the close question answered by `button` (none expected: 0).
  bool AskedOnExit(int button) {
    if (button == 0) {
      Press(ids::kExit);
      return false;
    }
    DialogAnswer question(ui::kQuestionCaption, button);
    Press(ids::kExit);
    question.Join();
    return question.found() && question.text() == ui::kUnsavedQuestion;
  }
};

// The long form of an ANSI path, for the wide calls that take more than 260 characters.
std::wstring Long(const std::string& path) {
  std::wstring wide(path.size() + 1, L'\0');
  wide.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size())) -
      1));
  return L"\\\\?\\" + wide;
}

// A file in folders of its own whose path is exactly `length` bytes long.
std::string FileOfLength(const TempFolder& folder, size_t length, const std::string& bytes) {
  std::string path = folder.Path().string();
  // The last folder's name needs at least one byte: "\\" + name + "\\name.txt" takes 11 or more.
  while (path.size() + 1 + 100 + 11 < length) {
    path += "\\" + std::string(100, 'p');
    CreateDirectoryW(Long(path).c_str(), nullptr);
  }
  path += "\\" + std::string(length - path.size() - 1 - 9, 'q');
  CreateDirectoryW(Long(path).c_str(), nullptr);
  path += "\\name.txt";
  EXPECT_EQ(path.size(), length);
  HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

TEST_F(EdgesTest, LongPathsLoadWholeFromDropDialogAndCommandLine) {
  const TempFolder folder("edges_paths");
  for (const size_t length : {255u, 256u, 300u}) {
    const std::string path = FileOfLength(folder, length, "len\n" + std::to_string(length));
    SetPane("before");
    Drop({path});
    EXPECT_EQ(DocumentText(), "len\n" + std::to_string(length)) << length << " " << Status();
    EXPECT_EQ(Title(), "name.txt - Linsift") << length;
  }
  // The dialog's buffer takes any path; Wine's dialog itself fails past 259 characters.
  const std::string dialogPath = FileOfLength(folder, 259, "dialog");
  {
    DialogAnswer dialog(ui::kOpenTitle, 0, TypePathAndOpen(dialogPath, nullptr));
    SetPane("before");
    Press(ids::kOpenFile);
  }
  EXPECT_EQ(DocumentText(), "dialog");
  const std::string longest = FileOfLength(folder, 300, "command line");
  TearDown();
  Start(longest.c_str());
  EXPECT_EQ(DocumentText(), "command line");
}

// 40,000,010 bytes of 100-byte lines: the whole lines within the limit load, and the title
// keeps saying so through later commands, until the next load.
TEST_F(EdgesTest, ACutLoadKeepsWholeLinesAndSaysSoInTheTitle) {
  std::string lines;
  lines.reserve(40000010);
  for (int i = 0; i < 400000; ++i) {
    lines += (i % 100000 == 7 ? "needle " : "hay    ") + std::string(92, 'a') + "\n";
  }
  lines += "0123456789";
  const std::string path = WriteTempFile("linsift cut.txt", lines);
  Drop({path});
  DeleteFileA(path.c_str());
  EXPECT_EQ(State().document.Text().Length(), 40000000);
  EXPECT_EQ(Status(), Lines(400001) + Said(ui::kLoadCut, "40,000,010", "40,000,000"));
  const std::string cut = "linsift cut.txt" + Said(ui::kTitleCut, "40,000,000");
  EXPECT_EQ(Title(), cut + " - Linsift");
  SetSearch("needle");
  Press(ids::kExtract);
  SetSearch("a");
  Press(ids::kDeleteUpTo);
  SetSearch("zz");
  Press(ids::kDelete);
  std::string kept;
  for (int i = 0; i < 4; ++i) kept += std::string(92, 'a') + "\r\n";
  EXPECT_EQ(DocumentText(), kept);
  EXPECT_EQ(Title(), "*" + cut + " - Linsift");
  Drop({WriteTempFile("linsift small.txt", "small")});
  EXPECT_EQ(Title(), "linsift small.txt - Linsift");
}

// Typed text asks on closing, each answer doing what it says; command results do not ask.
TEST_F(EdgesTest, ClosingAsksOnlyForTypedOrPastedText) {
  SetPane("typed into ");
  Type("the pane");
  EXPECT_EQ(Title(), "*Linsift");
  EXPECT_TRUE(AskedOnExit(IDCANCEL));
  ASSERT_TRUE(IsWindow(Window()));
  EXPECT_EQ(DocumentText(), "typed into the pane");

  // 保存 saves first and then closes.
  const TempFolder folder("edges_close");
  const std::string target = folder.PathOf("kept.txt");
  {
    DialogAnswer save(ui::kSaveTitle, 0, TypePathAndSave(target, IDYES, nullptr));
    EXPECT_TRUE(AskedOnExit(IDYES));
  }
  EXPECT_FALSE(IsWindow(Window()));
  EXPECT_EQ(TempFolder::Read(target), "typed into the pane");
  TearDown();

  Start();
  ASSERT_TRUE(PutOnClipboard("pasted"));
  Press(ids::kClearAndPaste);
  EXPECT_TRUE(AskedOnExit(IDNO));
  EXPECT_FALSE(IsWindow(Window()));
  TearDown();

  // A loaded file and a command's result exist elsewhere: no question.
  Start();
  Drop({WriteTempFile("linsift close.txt", "an\nb\n")});
  SetSearch("an");
  Press(ids::kExtract);
  EXPECT_EQ(Title(), "*linsift close.txt - Linsift");
  EXPECT_FALSE(AskedOnExit(0));
  EXPECT_FALSE(IsWindow(Window()));
}

// Each load starts that file's history: undo never reaches the previous file or the empty
// pane. Dropping over unsaved work asks first.
TEST_F(EdgesTest, ALoadStartsTheFilesHistory) {
  Drop({WriteTempFile("linsift first.txt", "first\nan\n")});
  SetSearch("an");
  Press(ids::kExtract);
  Drop({WriteTempFile("linsift second.txt", "second\n")});
  for (int i = 0; i < 3; ++i) Press(ids::kUndo);
  EXPECT_EQ(DocumentText(), "second\n");
  EXPECT_EQ(Title(), "linsift second.txt - Linsift");

  Type("typed");
  {
    DialogAnswer question(ui::kQuestionCaption, IDCANCEL);
    Drop({WriteTempFile("linsift third.txt", "third")});
  }
  EXPECT_EQ(DocumentText(), "second\ntyped");
  EXPECT_EQ(Title(), "*linsift second.txt - Linsift");
}

// Saving an empty text asks; クリア＆貼り付け's text is no longer the file's.
TEST_F(EdgesTest, EmptySaveAsksAndPasteDropsTheFileName) {
  Drop({WriteTempFile("linsift named.txt", "named")});
  ASSERT_TRUE(PutOnClipboard(""));
  Press(ids::kClearAndPaste);
  EXPECT_EQ(Title(), "Linsift");
  {
    DialogAnswer question(ui::kQuestionCaption, IDCANCEL);
    Press(ids::kSaveAs);
    question.Join();
    EXPECT_TRUE(question.found());
    EXPECT_EQ(question.text(), ui::kEmptySaveQuestion);
  }
}

// Typing past 40,000,000 bytes: commands refuse, undo drops it after asking, and 名前を付けて
// 保存 saves what the pane holds.
TEST_F(EdgesTest, TypingPastTheLimitCanBeSavedOrUndone) {
  SetPane("document\n");
  std::string big;
  big.reserve(40000001);
  while (big.size() + 1000 <= 40000001) big += std::string(998, 'x') + "\r\n";
  big += std::string(40000001 - big.size(), 'y');
  SendMessageA(PaneHandle(), EM_SETLIMITTEXT, 50000000, 0);
  SetWindowTextA(PaneHandle(), big.c_str());
  SendMessageA(PaneHandle(), EM_SETMODIFY, TRUE, 0);
  SetSearch("x");
  Press(ids::kExtract);
  EXPECT_EQ(Status(), ui::kResultTooLarge);
  EXPECT_EQ(DocumentText(), "document\n");

  const TempFolder folder("edges_big");
  const std::string target = folder.PathOf("typed.txt");
  {
    DialogAnswer save(ui::kSaveTitle, 0, TypePathAndSave(target, IDYES, nullptr));
    Press(ids::kSaveAs);
  }
  EXPECT_EQ(TempFolder::Read(target).size(), 40000001u);
  EXPECT_EQ(Status(), Said(ui::kSaved, "typed.txt"));
  {
    DialogAnswer question(ui::kQuestionCaption, IDOK);
    Press(ids::kUndo);
    question.Join();
    EXPECT_EQ(question.text(), ui::kDropTypingQuestion);
  }
  EXPECT_EQ(Pane(), "document\n");
  EXPECT_EQ(DocumentText(), "document\n");
}

// Without a working nkf32 both conversions percent-decode and the status names the file and
// tells a missing one from one that is no converter.
TEST_F(EdgesTest, ConversionWithoutAConverterSaysWhy) {
  const TempFolder folder("edges_converter");
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  const struct {
    std::string path;
    const char* note;
  } cases[] = {
      {folder.PathOf("nkf32.dll"), ui::kConverterMissing},
      {folder.PathOf("nkf32.dll"), ui::kConverterInvalid},  // an empty file by then
      {std::string(system) + "\\version.dll", ui::kConverterInvalid},
  };
  for (const auto& c : cases) {
    if (c.note == ui::kConverterInvalid) folder.Write("nkf32.dll", "");
    UseConverter(State(), BindConverterAt(c.path.c_str()));
    SetPane("a%41\nb%42");
    Press(ids::kConvertUrl);
    EXPECT_EQ(DocumentText(), "aA\r\nbB\r\n") << c.path;
    EXPECT_EQ(Status(), Lines(2) + Said(c.note, c.path)) << c.path;
  }
}

}  // namespace
