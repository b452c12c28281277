// The window's document: bytes kept as loaded, truthful loads, results refused past
// 40,000,000 bytes, undo and redo of every change, and saving byte for byte.
#include <windows.h>
// After <windows.h>:
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/UiText.h"
#include "support/TempFolder.h"

namespace {

class DocumentWindowTest : public MainWindowTest {
 protected:
  // Ctrl + `key` pressed in `control`, as the message loop gets it.
  void CtrlKey(HWND control, WPARAM key) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG message{control, WM_KEYDOWN, key, 1, 0, {}};
    ProcessMessage(Window(), message);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  }
  // Whether the Edit menu, as it opens, offers the item `id`.
  bool Offered(int id) {
    SendMessageA(Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(State().editMenu),
                 ids::kEditMenuPosition);
    return !(GetMenuState(State().editMenu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED);
  }
  void Open(const std::string& path) {
    DialogAnswer dialog(ui::kOpenTitle, 0, TypePathAndOpen(path, nullptr));
    Press(ids::kOpenFile);
    dialog.Join();
    ASSERT_TRUE(dialog.found());
  }
  // Ctrl+S, answered with `path` and `overwrite`; whether the overwrite question came.
  bool Save(const std::string& path, int overwrite = IDYES) {
    bool asked = false;
    DialogAnswer dialog(ui::kSaveTitle, 0, TypePathAndSave(path, overwrite, &asked));
    CtrlKey(State().searchBox, 'S');
    dialog.Join();
    EXPECT_TRUE(dialog.found()) << "no dialog titled " << ui::kSaveTitle;
    return asked;
  }
};

std::string Sjis(const wchar_t* text) {
  char bytes[256] = {};
  WideCharToMultiByte(932, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
  return bytes;
}

// A file the pane could not give back: UTF-8 (invalid Shift_JIS), LF-only, EUC-JP. The
// document keeps its bytes, so the conversion sees them and not what the pane shows.
TEST_F(DocumentWindowTest, LoadedBytesAreKeptAndConvertedFromThem) {
  const std::string utf8 = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\n\xe6\x9d\xb1\xe4\xba\xac\nabc";
  const std::string path = WriteTempFile("linsift utf8.txt", utf8);
  Open(path);
  EXPECT_EQ(DocumentText(), utf8);
  EXPECT_EQ(Status(), Lines(3));
  EXPECT_EQ(Title(), "linsift utf8.txt - Linsift");
  Press(ids::kConvertSjis);
  const std::string sjis = Sjis(L"日本語\r\n東京\r\nabc\r\n");
  EXPECT_EQ(DocumentText(), sjis);
  EXPECT_EQ(Pane(), sjis);
  EXPECT_EQ(Status(), Lines(3));
  EXPECT_EQ(Title(), "*linsift utf8.txt - Linsift");  // came from that file, differs from it

  // EUC-JP, percent-encoded on one line and raw on the other, through the other item.
  const std::string euc =
      "%C6%FC%CB%DC%B8%EC%A4%CE%CA%B8%BE%CF\n\xc5\xec\xb5\xfe\xc5\xd4\xa4\xce\xbd\xbb\xbd\xea";
  Drop({WriteTempFile("linsift euc.txt", euc)});
  EXPECT_EQ(DocumentText(), euc);
  Press(ids::kConvertUrl);
  EXPECT_EQ(DocumentText(), Sjis(L"日本語の文章\r\n東京都の住所\r\n"));
  EXPECT_EQ(Status(), Lines(2));
}

// A failed load leaves document, pane, status and title; it says why, naming the file.
TEST_F(DocumentWindowTest, FailedLoadsChangeNothingAndSayWhy) {
  const std::string kept = "kept\nbytes\n";
  Drop({WriteTempFile("linsift kept.txt", kept)});
  const B2String1* before = &State().document.Text();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "linsift folder";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string huge = std::string(temp) + "linsift 4 GiB.txt";
  HANDLE file = CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size;
  size.QuadPart = (4LL << 30) + 10;  // sparse: no blocks written
  EXPECT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file));
  CloseHandle(file);

  const struct {
    std::string path;
    std::string status;
  } cases[] = {
      {folder, Said(ui::kLoadFolder, "linsift folder")},
      {huge, Said(ui::kLoadTooLarge, "linsift 4 GiB.txt")},
      {folder + "\\missing.txt", Said(ui::kLoadMissing, "missing.txt")},
  };
  for (const auto& c : cases) {
    Drop({c.path});
    EXPECT_EQ(Status(), c.status) << c.path;
    EXPECT_EQ(&State().document.Text(), before) << c.path;
    EXPECT_EQ(DocumentText(), kept);
    EXPECT_EQ(Pane(), kept);
    EXPECT_EQ(Title(), "linsift kept.txt - Linsift");
    EXPECT_FALSE(State().document.CanRedo());
  }
  DeleteFileA(huge.c_str());
  RemoveDirectoryA(folder.c_str());

  // A NUL ends the document; the status says what was loaded and what was not.
  Drop({WriteTempFile("linsift nul.txt", std::string("ab\ncd\0ef\n", 9))});
  EXPECT_EQ(DocumentText(), "ab\ncd");
  EXPECT_EQ(Status(), Lines(2) + Said(ui::kLoadEndedAtNul, "5", "4"));
}

// 15,000,000 LF-only lines: the pane shows all 30,000,000 bytes as they are; 抽出 and the
// conversion would write 45,000,000 bytes and change nothing.
TEST_F(DocumentWindowTest, ResultPastTheLimitChangesNothing) {
  std::string lines;
  lines.reserve(30000000);
  for (int i = 0; i < 15000000; ++i) lines += "a\n";
  const std::string path = WriteTempFile("linsift 30 MB.txt", lines);
  Drop({path});
  DeleteFileA(path.c_str());
  ASSERT_EQ(State().document.Text().Length(), 30000000);
  EXPECT_EQ(Status(), Lines(15000001));
  EXPECT_EQ(Pane().size(), 30000000u);
  const B2String1* before = &State().document.Text();
  HWND pane = PaneHandle();
  SetSearch("a");
  for (int id : {ids::kExtract, ids::kConvertSjis}) {
    Press(id);
    EXPECT_EQ(Status(), ui::kResultTooLarge) << id;
    EXPECT_EQ(&State().document.Text(), before) << id;
    EXPECT_EQ(PaneHandle(), pane) << id << ": the pane was written";
  }
  EXPECT_EQ(State().document.History().UndoCount(), 0u);  // the load started the history
}

// 25 changes of every kind after a load, taken back and replayed by menu item and by key
// wherever the focus is: document, status and title come back byte for byte. The load
// started the history: undo stops at it.
TEST_F(DocumentWindowTest, TwentyFiveStepsUndoAndRedoByteForByte) {
  struct Seen {
    std::string text, status, title;
  };
  std::vector<Seen> seen;
  auto keep = [&] { seen.push_back({DocumentText(), Status(), Title()}); };
  Drop({WriteTempFile("linsift steps.txt", "x\nan 0\n%41\n")});
  EXPECT_FALSE(Offered(ids::kUndo));
  keep();
  for (int i = 0; seen.size() < 26; ++i) {
    const std::string n = std::to_string(i);
    switch (i % 6) {
      case 0:
        SetPane("x" + n + "\nan " + n + "\n%41\n");
        break;
      case 1:
        ASSERT_TRUE(PutOnClipboard(("pasted " + n + "\nan\n").c_str()));
        Press(ids::kClearAndPaste);
        break;
      case 2:
        SetSearch("an");
        Press(ids::kExtract);
        break;
      case 3: {
        // The typing becomes a step of its own when the next command runs.
        Type("typed " + n);
        const std::string typed = Pane();
        seen.push_back({typed,
                        Lines(static_cast<int>(std::count(typed.begin(), typed.end(), '\n')) + 1),
                        Title()});
        SetSearch("zz");
        Press(ids::kDelete);
        break;
      }
      case 4:
        Press(ids::kConvertUrl);
        break;
      case 5: {
        DialogAnswer question(ui::kQuestionCaption, IDOK);
        Press(ids::kClearPane);
        break;
      }
    }
    keep();
  }
  const size_t steps = seen.size() - 1;
  ASSERT_EQ(State().document.History().UndoCount(), steps);
  EXPECT_TRUE(Offered(ids::kUndo));
  EXPECT_FALSE(Offered(ids::kRedo));
  for (size_t at = steps; at > 0; --at) {
    if (at % 2 == 0) {
      Press(ids::kUndo);
    } else {
      CtrlKey(at % 3 == 0 ? GetDlgItem(Window(), ids::kDelete) : PaneHandle(), 'Z');
    }
    EXPECT_EQ(DocumentText(), seen[at - 1].text) << at;
    EXPECT_EQ(Status(), seen[at - 1].status) << at;
    EXPECT_EQ(Title(), seen[at - 1].title) << at;
  }
  EXPECT_FALSE(Offered(ids::kUndo));
  EXPECT_TRUE(Offered(ids::kRedo));
  CtrlKey(PaneHandle(), 'Z');  // nothing left: nothing changes
  EXPECT_EQ(Title(), "linsift steps.txt - Linsift");
  for (size_t at = 1; at <= steps; ++at) {
    CtrlKey(at % 2 == 0 ? State().searchBox : PaneHandle(), 'Y');
    EXPECT_EQ(DocumentText(), seen[at].text) << at;
    EXPECT_EQ(Status(), seen[at].status) << at;
    EXPECT_EQ(Title(), seen[at].title) << at;
  }
  EXPECT_FALSE(Offered(ids::kRedo));
}

// What the user types becomes the document before a command, and is undone first.
TEST_F(DocumentWindowTest, TypingIsTakenByTheNextCommandAndUndoneFirst) {
  SetPane("apple\nbanana\n");
  Type("cherry an");
  EXPECT_TRUE(Offered(ids::kUndo));
  SetSearch("an");
  Press(ids::kExtract);
  EXPECT_EQ(DocumentText(), "banana\r\ncherry an\r\n");
  EXPECT_EQ(Status(), Lines(2));
  Press(ids::kUndo);
  EXPECT_EQ(DocumentText(), "apple\nbanana\ncherry an");  // as the pane held it
  EXPECT_EQ(Status(), Lines(3));
  Press(ids::kUndo);
  EXPECT_EQ(DocumentText(), "apple\nbanana\n");

  // Ctrl+Z in the pane takes back the typing, not a character; redo brings it back.
  Type("more");
  EXPECT_FALSE(Offered(ids::kRedo));
  CtrlKey(PaneHandle(), 'Z');
  EXPECT_EQ(DocumentText(), "apple\nbanana\n");
  EXPECT_EQ(Pane(), "apple\nbanana\n");
  CtrlKey(PaneHandle(), 'Y');
  EXPECT_EQ(DocumentText(), "apple\nbanana\nmore");

  // One character typed at the start of an LF-only text with an EUC-JP line and an invalid
  // lead byte: the saved bytes are the loaded ones with that character, nothing else.
  const std::string loaded = "LF only\nEUC \xc5\xec\xb5\xfe\n\x95\nend\n";
  {
    DialogAnswer question(ui::kQuestionCaption, IDNO);  // the typing above goes unsaved
    Drop({WriteTempFile("linsift typed into.txt", loaded)});
  }
  SendMessageA(PaneHandle(), EM_SETSEL, 0, 0);
  SendMessageA(PaneHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
  Press(ids::kCopyAll);
  EXPECT_EQ(DocumentText(), "x" + loaded);

  // すべてコピー copies the document's bytes.
  SetPane("lf\nonly\n");
  Press(ids::kCopyAll);
  EXPECT_EQ(ClipboardText(), "lf\nonly\n");
}

// Ctrl+S writes the document's bytes exactly, asks before overwriting, names the file in
// the title; a failed write changes nothing and says so.
TEST_F(DocumentWindowTest, SaveWritesTheBytesAndAsksBeforeOverwriting) {
  const std::string bytes = "LF only\n\xe6\x97\xa5\xe6\x9c\xac\nEUC \xc5\xec\xb5\xfe\r\nend";
  Drop({WriteTempFile("linsift source.txt", bytes)});
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string target = std::string(temp) + "linsift saved.txt";
  DeleteFileA(target.c_str());
  EXPECT_FALSE(Save(target));
  const auto read = TempFolder::Read;
  EXPECT_EQ(read(target), bytes);
  EXPECT_EQ(Status(), Said(ui::kSaved, "linsift saved.txt"));
  EXPECT_EQ(Title(), "linsift saved.txt - Linsift");

  // Re-opened, the same bytes.
  SetPane("other");
  Open(target);
  EXPECT_EQ(DocumentText(), bytes);
  EXPECT_EQ(Status(), Lines(4));

  // Overwriting: No keeps the file, Yes replaces it.
  SetPane("new text\n");
  EXPECT_TRUE(Save(target, IDNO));
  EXPECT_EQ(read(target), bytes);
  EXPECT_EQ(Status(), "");
  EXPECT_TRUE(Save(target, IDYES));
  EXPECT_EQ(read(target), "new text\n");

  // What lies beside it under the old temporary name stays; a read-only file is refused and
  // stays as it was.
  const std::string beside = WriteTempFile("linsift saved.txt.linsift-save", "precious");
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
  SetPane("not written\n");
  SetStatus("before");
  EXPECT_TRUE(Save(target, IDYES));
  EXPECT_EQ(read(target), "new text\n");
  EXPECT_EQ(read(beside), "precious");
  EXPECT_EQ(Status(), Said(ui::kSaveReadOnly, "linsift saved.txt"));
  EXPECT_EQ(Title(), "*linsift saved.txt - Linsift");
  EXPECT_EQ(DocumentText(), "not written\n");
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(beside.c_str());
  DeleteFileA(target.c_str());
}

}  // namespace
