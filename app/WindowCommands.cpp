// The window commands: each reads the controls, calls a core and writes the results.
#include "app/WindowCommands.h"

#include <commdlg.h>
#include <richedit.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/PaneText.h"
#include "app/UiText.h"
#include "filters/ConvertLines.h"
#include "filters/FilterResult.h"
#include "filters/LineFilters.h"
#include "filters/ShownTexts.h"
#include "strings/B2String1.h"
#include "text/Limits.h"

namespace {

// The path shared by the open dialog and drops: never cleared, so the dialog starts
// with the last path chosen or dropped.
char g_pathBuffer[256];
char g_fileTitleBuffer[256];
char g_statusBuffer[256];
OPENFILENAMEA g_openDialog;

// Search box capacities: three filters see the first 255 bytes; CountMatches reads one
// byte more so that it can refuse a longer text.
constexpr int kSearchCapacity = limits::kSearchCapacity;
constexpr int kCountSearchCapacity = limits::kCountSearchCapacity;

using LineFilter = FilterResult (*)(const char* searchText, const char* pane, size_t paneSize);

// Writes what a core produced: the pane, then the status, then the message box, so
// the status is already shown while the box waits.
void ShowResult(HWND window, const FilterResult& result) {
  if (result.pane) SetPaneText(result.pane->CStr());
  if (result.status) SetWindowTextA(g_statusBar, result.status->c_str());
  if (result.message) MessageBoxA(window, result.message->c_str(), result.caption.c_str(), MB_OK);
}

void RunLineFilter(HWND window, LineFilter filter, int searchCapacity) {
  const std::string search = ReadSearchText(g_searchBox, searchCapacity);
  // Every filter refuses an empty search text; spare reading a large pane for nothing.
  if (search.empty()) return;
  const std::string pane = ReadControlText(g_textPane);
  ShowResult(window, filter(search.c_str(), pane.data(), pane.size()));
}

void ConvertPane(HWND window) {
  // An empty pane stays as it is.
  if (SendMessageA(g_textPane, WM_GETTEXTLENGTH, 0, 0) < 1) return;
  const std::string pane = ReadControlText(g_textPane);
  ShowResult(window, ConvertLines(g_converter, pane.data(), pane.size()));
}

void ShowLineCount(int lines) {
  wsprintfA(g_statusBuffer, ShownTexts::kLinesFormat, lines);
  SetWindowTextA(g_statusBar, g_statusBuffer);
}

void OpenFile() {
  g_openDialog.lpstrTitle = ui::kOpenTitle;
  g_openDialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&g_openDialog)) return;  // cancelled: nothing changes
  ShowLineCount(LoadFileIntoPane(g_pathBuffer));
}

void SelectAll() {
  CHARRANGE all{0, -1};
  SendMessageA(g_textPane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
}

// Puts the pane text on the clipboard. The block goes to the clipboard only when it
// takes it; otherwise it is freed here.
void CopyAll(HWND window) {
  const std::string text = ReadControlText(g_textPane);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
  if (block == nullptr) return;
  void* bytes = GlobalLock(block);
  if (bytes == nullptr) {
    GlobalFree(block);
    return;
  }
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  if (!OpenClipboard(window)) {
    GlobalFree(block);
    return;
  }
  EmptyClipboard();
  if (SetClipboardData(CF_TEXT, block) == nullptr) GlobalFree(block);
  CloseClipboard();
}

// Replaces the pane text with the clipboard text. The text is read no further than its
// block reaches, in case another program left it without a NUL.
void ClearAndPaste(HWND window) {
  if (!OpenClipboard(window)) return;
  HANDLE block = GetClipboardData(CF_TEXT);
  if (block != nullptr) {
    const char* bytes = static_cast<const char*>(GlobalLock(block));
    if (bytes != nullptr) {
      const size_t size = GlobalSize(block);
      const void* nul = std::memchr(bytes, '\0', size);
      if (nul != nullptr) {
        SetPaneText(bytes);
      } else {
        SetPaneText(std::string(bytes, size).c_str());
      }
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
}

void ClearPane(HWND window) {
  if (MessageBoxA(window, ui::kClearQuestion, ui::kClearCaption, MB_OKCANCEL) == IDOK) {
    SetPaneText(nullptr);
  }
}

void About(HWND window) { MessageBoxA(window, ui::kAboutText, ui::kAboutCaption, MB_OK); }

}  // namespace

void PrepareOpenDialog(HWND window, HINSTANCE instance) {
  g_openDialog = OPENFILENAMEA{};
  g_openDialog.lStructSize = sizeof(g_openDialog);
  g_openDialog.hwndOwner = window;
  g_openDialog.hInstance = instance;
  g_openDialog.lpstrFilter = ui::kOpenFilter;
  g_openDialog.nFilterIndex = 1;
  g_openDialog.lpstrFile = g_pathBuffer;
  g_openDialog.nMaxFile = sizeof(g_pathBuffer) - 1;
  g_openDialog.lpstrFileTitle = g_fileTitleBuffer;
  g_openDialog.nMaxFileTitle = sizeof(g_fileTitleBuffer) - 1;
}

int LoadFileIntoPane(const char* path) {
  B2String1 text;
  text.LoadFile(path);  // a failed load leaves it empty, which empties the pane
  SetPaneText(text.CStr());
  // Lines as the filters count them: LF bytes plus one, a NUL byte not ending the count.
  return text.CountOf("\n") + 1;
}

void OnCommand(HWND window, int id) {
  switch (id) {
    case ids::kExtract:
      return RunLineFilter(window, Extract, kSearchCapacity);
    case ids::kDelete:
      return RunLineFilter(window, Delete, kSearchCapacity);
    case ids::kDeleteUpTo:
      return RunLineFilter(window, DeleteUpTo, kSearchCapacity);
    case ids::kCountMatches:
      return RunLineFilter(window, CountMatches, kCountSearchCapacity);
    case ids::kOpenFile:
      return OpenFile();
    case ids::kExit:
      DestroyWindow(window);
      return;
    case ids::kSelectAll:
      return SelectAll();
    case ids::kCopyAll:
      return CopyAll(window);
    case ids::kClearAndPaste:
      return ClearAndPaste(window);
    case ids::kClearPane:
      return ClearPane(window);
    case ids::kConvertSjis:
    case ids::kConvertUrl:
      return ConvertPane(window);
    case ids::kAbout:
      return About(window);
    default:
      return;  // 0 and 1 (search box, status bar, pane) and anything else
  }
}

void OnInitMenuPopup(HMENU popup, LPARAM position) {
  // The whole lParam is compared: the window menu sets its high word.
  if (position != ids::kEditMenuPosition) return;
  const UINT state = IsClipboardFormatAvailable(CF_TEXT) ? MF_ENABLED : MF_GRAYED;
  EnableMenuItem(popup, ids::kClearAndPaste, MF_BYCOMMAND | state);
}

LRESULT OnDropFiles(HWND window, WPARAM wParam, LPARAM lParam) {
  HDROP drop = reinterpret_cast<HDROP>(wParam);
  // Only the first file is taken. A drop without any file would otherwise load the
  // path left over from before; it changes nothing.
  if (DragQueryFileA(drop, 0, g_pathBuffer, sizeof(g_pathBuffer)) > 0) {
    ShowLineCount(LoadFileIntoPane(g_pathBuffer));
  }
  DragFinish(drop);
  return DefWindowProcA(window, WM_DROPFILES, wParam, lParam);
}
