// The Edit and Version menus (clipboard, selection, clearing) and notifications the
// window ignores.
#include <windows.h>
// After <windows.h>:
#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/UiText.h"

namespace {

TEST_F(MainWindowTest, CopyAllAndClearAndPasteGoThroughTheClipboard) {
  const std::string text = "\x93\xfa\x96\x7b\r\nsecond\r\n";
  SetPane(text);
  SetStatus("kept");
  ASSERT_TRUE(PutOnClipboard("old")) << "the clipboard cannot be opened";
  Press(ids::kCopyAll);
  EXPECT_EQ(ClipboardText(), text);

  SetPane("");
  Press(ids::kCopyAll);
  EXPECT_EQ(ClipboardText(), "");

  ASSERT_TRUE(PutOnClipboard("\x95\x5c pasted\r\n"));
  SetPane("replaced whole");
  Press(ids::kClearAndPaste);
  EXPECT_EQ(Pane(), "\x95\x5c pasted\r\n");
  EXPECT_EQ(Status(), Lines(2));
  EXPECT_EQ(ClipboardText(), "\x95\x5c pasted\r\n");  // the clipboard keeps its text

  ASSERT_TRUE(PutOnClipboard(nullptr));
  SetStatus("kept");
  Press(ids::kClearAndPaste);
  EXPECT_EQ(Pane(), "\x95\x5c pasted\r\n");
  EXPECT_EQ(Status(), "kept");
}

TEST_F(MainWindowTest, PasteItemFollowsTheClipboardWhenTheEditMenuOpens) {
  auto grayed = [this] {
    return (GetMenuState(State().editMenu, ids::kClearAndPaste, MF_BYCOMMAND) & MF_GRAYED) != 0;
  };
  ASSERT_TRUE(PutOnClipboard(nullptr)) << "the clipboard cannot be opened";
  SendMessageA(Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(State().editMenu), 1);
  EXPECT_TRUE(grayed());
  // The window menu (high word set) and other positions leave the item alone.
  ASSERT_TRUE(PutOnClipboard("text"));
  SendMessageA(Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(State().editMenu),
               MAKELPARAM(1, TRUE));
  SendMessageA(Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(State().editMenu), 0);
  EXPECT_TRUE(grayed());
  SendMessageA(Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(State().editMenu), 1);
  EXPECT_FALSE(grayed());
  for (int id : {ids::kSelectAll, ids::kCopyAll, ids::kClearPane}) {
    EXPECT_FALSE(GetMenuState(State().editMenu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED)
        << id;
  }
}

TEST_F(MainWindowTest, SelectAllSelectsTheWholeText) {
  SetPane("abc\r\ndef");
  SetStatus("kept");
  Press(ids::kSelectAll);
  EXPECT_EQ(Selection(PaneHandle()), std::make_pair(DWORD{0}, DWORD{8}));
  EXPECT_EQ(Status(), "kept");
}

TEST_F(MainWindowTest, ClearPaneAsksFirst) {
  SetPane("keep me\r\n");
  SetStatus("kept");
  {
    DialogAnswer question(ui::kQuestionCaption, IDCANCEL);
    Press(ids::kClearPane);
    question.Join();
    ASSERT_TRUE(question.found()) << "no question captioned " << ui::kQuestionCaption;
    EXPECT_EQ(question.text(), ui::kClearQuestion);
  }
  EXPECT_EQ(Pane(), "keep me\r\n");
  {
    DialogAnswer question(ui::kQuestionCaption, IDOK);
    Press(ids::kClearPane);
    question.Join();
    ASSERT_TRUE(question.found());
  }
  EXPECT_EQ(Pane(), "");
  EXPECT_EQ(DocumentText(), "");
  EXPECT_EQ(Status(), Lines(1));
}

TEST_F(MainWindowTest, AboutShowsTheVersionBox) {
  SetStatus("kept");
  DialogAnswer box(ui::kAboutCaption, IDOK);
  Press(ids::kAbout);
  box.Join();
  ASSERT_TRUE(box.found()) << "no box captioned " << ui::kAboutCaption;
  EXPECT_EQ(box.text(), "Linsift 09");
  EXPECT_EQ(Status(), "kept");
}

TEST_F(MainWindowTest, NotificationsFromSearchBoxAndPaneDoNothing) {
  SetPane("text\r\n");
  SetSearch("t");
  SetStatus("kept");
  SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(ids::kSearchBox, EN_CHANGE),
               reinterpret_cast<LPARAM>(State().searchBox));
  SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(ids::kTextPane, EN_CHANGE),
               reinterpret_cast<LPARAM>(PaneHandle()));
  SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(99, 0), 0);
  EXPECT_TRUE(IsWindow(Window()));
  EXPECT_EQ(Pane(), "text\r\n");
  EXPECT_EQ(Status(), "kept");
}

}  // namespace
