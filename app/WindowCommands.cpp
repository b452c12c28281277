// The window commands: each reads the controls, calls a core and writes the results.
#include "app/WindowCommands.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "app/CommandIds.h"
#include "app/UiText.h"
#include "filters/ConvertLines.h"
#include "filters/FilterResult.h"
#include "filters/LineFilters.h"
#include "filters/ShownTexts.h"
#include "strings/B2String1.h"
#include "text/Limits.h"

namespace {

// Search box capacities: three filters see the first 255 bytes; CountMatches reads one
// byte more so that it can refuse a longer text.
constexpr int kSearchCapacity = limits::kSearchCapacity;
constexpr int kCountSearchCapacity = limits::kCountSearchCapacity;

// The first `capacity` - 1 bytes at most of the one-line text of `control`.
std::string ReadSearchText(HWND control, int capacity) {
  std::string text(static_cast<size_t>(capacity), '\0');
  GetWindowTextA(control, text.data(), capacity);
  text.resize(std::char_traits<char>::length(text.c_str()));
  return text;
}

// The window at work on one long command, from construction to End (or destruction):
// the wait cursor, ui::kBusyStatus in the status bar, painted at once with the rest of
// the window, and state.busy, under which OnCommand and OnDropFiles ignore what arrives.
// End drops the keys, clicks and drops that were queued meanwhile, so none of them runs
// afterwards, restores the cursor and, when the command wrote no status of its own, the
// status from before.
class Busy {
 public:
  explicit Busy(WindowState& state) : state_(state), status_(PaneText::ReadText(state.statusBar)) {
    state_.busy = true;
    cursor_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    SetWindowTextA(state_.statusBar, ui::kBusyStatus);
    // Paints the status and whatever a closed menu or dialog left uncovered, now.
    RedrawWindow(state_.window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;
  ~Busy() { End(); }

  void End() {
    if (!state_.busy) return;
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&message, nullptr, WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK, PM_REMOVE)) {
    }
    while (PeekMessageA(&message, nullptr, WM_DROPFILES, WM_DROPFILES, PM_REMOVE)) {
      DragFinish(reinterpret_cast<HDROP>(message.wParam));
    }
    SetCursor(cursor_);
    if (PaneText::ReadText(state_.statusBar) == ui::kBusyStatus) {
      SetWindowTextA(state_.statusBar, status_.c_str());
    }
    state_.busy = false;
  }

 private:
  WindowState& state_;
  std::string status_;
  HCURSOR cursor_ = nullptr;
};

using LineFilter = FilterResult (*)(const char* searchText, const char* pane, size_t paneSize);

// Writes what a core produced: the pane, then the status; then ends `busy` and shows the
// message box, so the status is already shown while the box waits.
void ShowResult(WindowState& state, const FilterResult& result, Busy& busy) {
  if (result.pane) {
    state.pane.SetText(result.pane->Data(), static_cast<size_t>(result.pane->Size()));
  }
  if (result.status) SetWindowTextA(state.statusBar, result.status->c_str());
  busy.End();
  if (result.message) {
    MessageBoxA(state.window, result.message->c_str(), result.caption.c_str(), MB_OK);
  }
}

void RunLineFilter(WindowState& state, LineFilter filter, int searchCapacity) {
  const std::string search = ReadSearchText(state.searchBox, searchCapacity);
  // Every filter refuses an empty search text; spare reading a large pane for nothing.
  if (search.empty()) return;
  Busy busy(state);
  const std::string pane = state.pane.Text();
  ShowResult(state, filter(search.c_str(), pane.data(), pane.size()), busy);
}

void ConvertPane(WindowState& state) {
  // An empty pane stays as it is.
  if (SendMessageA(state.pane.Handle(), WM_GETTEXTLENGTH, 0, 0) < 1) return;
  Busy busy(state);
  const std::string pane = state.pane.Text();
  ShowResult(state, ConvertLines(state.convert, pane.data(), pane.size()), busy);
}

void ShowLineCount(const WindowState& state, int lines) {
  char status[256];
  wsprintfA(status, ShownTexts::kLinesFormat, lines);
  SetWindowTextA(state.statusBar, status);
}

void OpenFile(WindowState& state) {
  state.openDialog.lpstrTitle = ui::kOpenTitle;
  state.openDialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&state.openDialog)) return;  // cancelled: nothing changes
  Busy busy(state);
  ShowLineCount(state, LoadFileIntoPane(state, state.path));
}

void SelectAll(const WindowState& state) { SendMessageA(state.pane.Handle(), EM_SETSEL, 0, -1); }

// Puts the pane text on the clipboard. The block goes to the clipboard only when it
// takes it; otherwise it is freed here.
void CopyAll(const WindowState& state) {
  const std::string text = state.pane.Text();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
  if (block == nullptr) return;
  void* bytes = GlobalLock(block);
  if (bytes == nullptr) {
    GlobalFree(block);
    return;
  }
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  if (!OpenClipboard(state.window)) {
    GlobalFree(block);
    return;
  }
  EmptyClipboard();
  if (SetClipboardData(CF_TEXT, block) == nullptr) GlobalFree(block);
  CloseClipboard();
}

// Replaces the pane text with the clipboard text. The text is read no further than its
// block reaches, in case another program left it without a NUL.
void ClearAndPaste(WindowState& state) {
  if (!OpenClipboard(state.window)) return;
  HANDLE block = GetClipboardData(CF_TEXT);
  if (block != nullptr) {
    const char* bytes = static_cast<const char*>(GlobalLock(block));
    if (bytes != nullptr) {
      Busy busy(state);
      const size_t size = GlobalSize(block);
      // The view ends at a NUL anyway; without one, the text ends with the block.
      state.pane.SetText(bytes, size);
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
}

void ClearPane(WindowState& state) {
  if (MessageBoxA(state.window, ui::kClearQuestion, ui::kClearCaption, MB_OKCANCEL) == IDOK) {
    state.pane.SetText(nullptr, 0);
  }
}

void About(HWND window) { MessageBoxA(window, ui::kAboutText, ui::kAboutCaption, MB_OK); }

}  // namespace

void PrepareOpenDialog(WindowState& state) {
  OPENFILENAMEA& dialog = state.openDialog;
  dialog = OPENFILENAMEA{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = state.window;
  dialog.hInstance = state.instance;
  dialog.lpstrFilter = ui::kOpenFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = state.path;
  dialog.nMaxFile = sizeof(state.path) - 1;
  dialog.lpstrFileTitle = state.fileTitle;
  dialog.nMaxFileTitle = sizeof(state.fileTitle) - 1;
}

int LoadFileIntoPane(WindowState& state, const char* path) {
  B2String1 text;
  text.LoadFile(path);  // a failed load leaves it empty, which empties the pane
  state.pane.SetText(text.Data(), static_cast<size_t>(text.Size()));
  // Lines as the filters count them: LF bytes plus one, a NUL byte not ending the count.
  return text.CountOf("\n") + 1;
}

void OnCommand(WindowState& state, int id) {
  if (state.busy) return;
  switch (id) {
    case ids::kExtract:
      return RunLineFilter(state, Extract, kSearchCapacity);
    case ids::kDelete:
      return RunLineFilter(state, Delete, kSearchCapacity);
    case ids::kDeleteUpTo:
      return RunLineFilter(state, DeleteUpTo, kSearchCapacity);
    case ids::kCountMatches:
      return RunLineFilter(state, CountMatches, kCountSearchCapacity);
    case ids::kOpenFile:
      return OpenFile(state);
    case ids::kExit:
      DestroyWindow(state.window);
      return;
    case ids::kSelectAll:
      return SelectAll(state);
    case ids::kCopyAll:
      return CopyAll(state);
    case ids::kClearAndPaste:
      return ClearAndPaste(state);
    case ids::kClearPane:
      return ClearPane(state);
    case ids::kConvertSjis:
    case ids::kConvertUrl:
      return ConvertPane(state);
    case ids::kAbout:
      return About(state.window);
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

LRESULT OnDropFiles(WindowState& state, WPARAM wParam, LPARAM lParam) {
  HDROP drop = reinterpret_cast<HDROP>(wParam);
  // Only the first file is taken. A drop without any file would otherwise load the
  // path left over from before; it changes nothing. So does a drop while busy.
  const bool take = !state.busy && DragQueryFileA(drop, 0, state.path, sizeof(state.path)) > 0;
  DragFinish(drop);
  if (take) {
    Busy busy(state);
    ShowLineCount(state, LoadFileIntoPane(state, state.path));
  }
  return DefWindowProcA(state.window, WM_DROPFILES, wParam, lParam);
}
