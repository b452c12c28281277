// The window commands: each reads the controls, calls the document or a core, and shows the
// document again.
#include "app/WindowCommands.h"

#include <Scintilla.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/CommandIds.h"
#include "app/Document.h"
#include "app/StatusText.h"
#include "app/UiText.h"
#include "app/WindowMemory.h"
#include "filters/ConvertLines.h"
#include "filters/FilterResult.h"
#include "filters/LineFilters.h"
#include "filters/Matcher.h"
#include "filters/ShownTexts.h"
#include "strings/B2String1.h"
#include "text/Limits.h"

namespace {

// The search box is read one byte past the longest search text, so that a longer one is seen
// and refused rather than cut.
constexpr int kSearchRead = limits::kSearchBytes + 2;

// The first `capacity` - 1 bytes at most of the one-line text of `control`.
std::string ReadSearchText(HWND control, int capacity) {
  std::string text(static_cast<size_t>(capacity), '\0');
  GetWindowTextA(control, text.data(), capacity);
  text.resize(std::char_traits<char>::length(text.c_str()));
  return text;
}

// The buttons, whose state Busy shows.
constexpr int kButtons[] = {ids::kExtract, ids::kDelete, ids::kDeleteUpTo, ids::kCountMatches};

// Enables or grays the buttons and the menu bar's popups, visibly at once.
void EnableCommands(const WindowState& state, bool enabled) {
  for (int id : kButtons) EnableWindow(GetDlgItem(state.window, id), enabled);
  if (state.menuBar == nullptr) return;
  const int count = GetMenuItemCount(state.menuBar);
  for (int i = 0; i < count; ++i) {
    EnableMenuItem(state.menuBar, static_cast<UINT>(i),
                   MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  }
  DrawMenuBar(state.window);
}

// The window at work on one long command, from construction to End (or destruction):
// the wait cursor, ui::kBusyStatus in the status bar, the buttons and menus grayed, all
// painted at once with the rest of the window, and state.busy, under which OnCommand and
// OnDropFiles ignore what arrives. End drops the keys, clicks and drops that were queued
// meanwhile, so none of them runs afterwards, enables the buttons and menus again, gives the
// focus back to the control that had it (a grayed button loses it), restores the cursor
// and, when the command wrote no status of its own, the status from before.
class Busy {
 public:
  explicit Busy(WindowState& state) : state_(state), status_(PaneText::ReadText(state.statusBar)) {
    state_.busy = true;
    focus_ = GetFocus();
    cursor_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    EnableCommands(state_, false);
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
    EnableCommands(state_, true);
    if (focus_ != nullptr && IsWindow(focus_) && GetFocus() != focus_) SetFocus(focus_);
    SetCursor(cursor_);
    if (PaneText::ReadText(state_.statusBar) == ui::kBusyStatus) {
      SetWindowTextA(state_.statusBar, status_.c_str());
    }
    state_.busy = false;
  }

 private:
  WindowState& state_;
  std::string status_;
  HWND focus_ = nullptr;
  HCURSOR cursor_ = nullptr;
};

using filters::FilterResult;
using filters::ShownTexts;
using LineFilter = FilterResult (*)(const filters::Matcher& matcher, const char* text, size_t size);

// What the user typed in the pane since the last write becomes the document, as a step of
// its own with its line count, so a command works on it and undo takes the typing back
// first. False, with the reason in the status bar, when the typed text is too large to be
// the document (it goes to `tooLarge` when given); the command must then change nothing.
bool TakeTyping(WindowState& state, std::string* tooLarge = nullptr) {
  if (!state.pane.IsModified()) return true;
  // The control's own bytes: what the user did not touch stays as it was.
  const std::string_view typed = state.pane.Bytes();
  if (!Document::Fits(typed.size())) {
    SetWindowTextA(state.statusBar, ui::kResultTooLarge);
    if (tooLarge != nullptr) *tooLarge = std::string(typed);
    return false;
  }
  auto text = std::make_unique<B2String1>(typed.data(), static_cast<int>(typed.size()));
  std::string status = Document::LineCount(*text);
  state.document.Replace(std::move(text), std::move(status), Document::Origin::kTyped);
  state.pane.ClearModified();
  return true;
}

// The message box's hook while AskToSave's box opens: names its buttons for what they do.
HHOOK g_relabel = nullptr;

LRESULT CALLBACK RelabelButtons(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    SetDlgItemTextA(box, IDYES, ui::kSaveButton);
    SetDlgItemTextA(box, IDNO, ui::kDontSaveButton);
    SetDlgItemTextA(box, IDCANCEL, ui::kCancelButton);
    UnhookWindowsHookEx(g_relabel);
    g_relabel = nullptr;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Asks whether to save unsaved work: IDYES (保存), IDNO (保存しない) or IDCANCEL.
int AskToSave(const WindowState& state) {
  g_relabel = SetWindowsHookExA(WH_CBT, RelabelButtons, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxA(state.window, ui::kUnsavedQuestion, ui::kQuestionCaption,
                                 MB_YESNOCANCEL | MB_ICONWARNING);
  if (g_relabel != nullptr) UnhookWindowsHookEx(g_relabel);
  g_relabel = nullptr;
  return answer;
}

bool SaveAs(WindowState& state);

// True when the document may be left: no unsaved work, or the user saved it or chose to drop
// it. Typing too large to become the document is unsaved work too.
bool MayLeave(WindowState& state) {
  std::string typed;
  const bool taken = TakeTyping(state, &typed);
  if (taken && !state.document.HasUnsavedWork()) return true;
  switch (AskToSave(state)) {
    case IDYES:
      return SaveAs(state);
    case IDNO:
      return true;
    default:
      return false;
  }
}

// Makes `text` the document with `status` as one step and shows it.
void ReplaceDocument(WindowState& state, std::unique_ptr<B2String1> text, std::string status) {
  state.document.Replace(std::move(text), std::move(status));
  ShowDocument(state);
}

// Takes what a core produced: a new text becomes the document with the core's status (empty
// when it gives none) and `note` behind it; a status alone becomes the document's status; a
// result that was cut or abandoned changes nothing and says so. Then ends `busy` and shows the
// count box, captioned `caption`, so the status is already shown while the box waits.
void ShowResult(WindowState& state, FilterResult result, Busy& busy,
                const std::string& caption = std::string(),
                const std::string& note = std::string()) {
  if (result.cut || result.gaveUp) {
    SetWindowTextA(state.statusBar, result.cut ? ui::kResultTooLarge : ui::kSearchAbandoned);
    return;
  }
  const std::optional<std::string> status = ShownTexts::Status(result);
  if (result.pane) {
    ReplaceDocument(state, std::move(result.pane), status.value_or(std::string()) + note);
  } else if (status) {
    state.document.SetStatus(*status);
    SetWindowTextA(state.statusBar, status->c_str());
  }
  busy.End();
  if (const std::optional<std::string> message = ShownTexts::Message(result)) {
    MessageBoxA(state.window, message->c_str(), caption.c_str(), MB_OK);
  }
}

void RunLineFilter(WindowState& state, LineFilter filter) {
  std::string why;
  const std::unique_ptr<filters::Matcher> matcher = SearchMatcher(state, why);
  if (matcher == nullptr) {
    if (!why.empty()) SetWindowTextA(state.statusBar, why.c_str());
    return;
  }
  RememberSearch(state, ReadSearchText(state.searchBox, kSearchRead));
  Busy busy(state);
  if (!TakeTyping(state)) return;
  const B2String1& text = state.document.Text();
  ShowResult(state, filter(*matcher, text.Data(), static_cast<size_t>(text.Length())), busy,
             ReadSearchText(state.searchBox, kSearchRead));
}

// What a conversion without the converter says behind its line count: which file is missing
// or is no converter.
std::string ConverterNote(const WindowState& state) {
  const char* format = state.converterProblem == ConverterLibrary::Problem::kNotAConverter
                           ? ui::kConverterInvalid
                           : ui::kConverterMissing;
  std::string note = format;
  note.replace(note.find("%s"), 2, state.converterFile);
  return note;
}

// The conversion's status counts the lines it wrote, each ended by CR LF, as the filters'.
void ConvertDocument(WindowState& state) {
  Busy busy(state);
  if (!TakeTyping(state)) return;
  const B2String1& text = state.document.Text();
  if (text.Length() == 0) return;  // an empty text stays as it is
  ShowResult(state,
             filters::ConvertLines(state.convert, text.Data(), static_cast<size_t>(text.Length())),
             busy, std::string(), state.convert == nullptr ? ConverterNote(state) : std::string());
}

// Asks for a file and loads it; cancelling changes nothing.
void OpenFile(WindowState& state) {
  state.openDialog.lpstrTitle = ui::kOpenTitle;
  state.openDialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&state.openDialog)) return;
  LoadFile(state, state.path);
}

// Asks for a file name (and before overwriting a file, or saving an empty text) and writes
// the document's bytes there. Typing too large to become the document is saved as the pane
// holds it, leaving the document as it is. True once saved.
bool SaveAs(WindowState& state) {
  std::string typed;
  const bool taken = TakeTyping(state, &typed);
  if (taken && state.document.Text().Length() == 0 &&
      MessageBoxA(state.window, ui::kEmptySaveQuestion, ui::kQuestionCaption,
                  MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
    return false;
  }
  state.openDialog.lpstrTitle = ui::kSaveTitle;
  state.openDialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetSaveFileNameA(&state.openDialog)) return false;
  Busy busy(state);
  std::string message;
  const bool saved = taken ? state.document.Save(state.path, message)
                           : Document::SaveBytes(state.path, typed.data(), typed.size(), message);
  SetWindowTextA(state.statusBar, message.c_str());
  if (taken) SetWindowTextA(state.window, state.document.Title().c_str());
  return saved;
}

// Typing too large to become the document blocks every command but this: undo drops it,
// after asking, back to the document's last step.
void UndoOrRedo(WindowState& state, bool undo) {
  Busy busy(state);
  if (!TakeTyping(state)) {
    if (!undo) return;
    busy.End();
    if (MessageBoxA(state.window, ui::kDropTypingQuestion, ui::kQuestionCaption,
                    MB_OKCANCEL | MB_ICONWARNING) == IDOK) {
      ShowDocument(state);
    }
    return;
  }
  if (undo ? state.document.Undo() : state.document.Redo()) ShowDocument(state);
}

void SelectAll(const WindowState& state) { SendMessageA(state.pane.Handle(), EM_SETSEL, 0, -1); }

// F3 and Shift+F3: the next or previous match of the search text from the caret.
// The search text may have changed since the marks were made: the matcher is made afresh.
void GoToMatch(WindowState& state, bool forward) {
  UpdateMarks(state);
  state.pane.GoToMatch(forward);
}

// Puts the document's bytes on the clipboard. The block goes to the clipboard only when it
// takes it; otherwise it is freed here.
void CopyAll(WindowState& state) {
  if (!TakeTyping(state)) return;
  const B2String1& text = state.document.Text();
  const size_t size = static_cast<size_t>(text.Length());
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + 1);
  if (block == nullptr) return;
  void* bytes = GlobalLock(block);
  if (bytes == nullptr) {
    GlobalFree(block);
    return;
  }
  std::memcpy(bytes, text.Data(), size);  // the block's last byte stays the NUL
  GlobalUnlock(block);
  if (!OpenClipboard(state.window)) {
    GlobalFree(block);
    return;
  }
  EmptyClipboard();
  if (SetClipboardData(CF_TEXT, block) == nullptr) GlobalFree(block);
  CloseClipboard();
}

// Makes the clipboard text the document, byte for byte up to its NUL. The text is read no
// further than its block reaches, in case another program left it without a NUL; a text
// over 40,000,000 bytes changes nothing.
void ClearAndPaste(WindowState& state) {
  Busy busy(state);
  if (!TakeTyping(state) || !OpenClipboard(state.window)) return;
  std::unique_ptr<B2String1> text;
  bool tooLarge = false;
  if (HANDLE block = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(block))) {
      size_t size = GlobalSize(block);
      if (const void* nul = std::memchr(bytes, '\0', size)) {
        size = static_cast<size_t>(static_cast<const char*>(nul) - bytes);
      }
      tooLarge = !Document::Fits(size);
      if (!tooLarge) text = std::make_unique<B2String1>(bytes, static_cast<int>(size));
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
  if (tooLarge) {
    SetWindowTextA(state.statusBar, ui::kResultTooLarge);
  } else if (text) {
    std::string status = Document::LineCount(*text);
    state.document.Replace(std::move(text), std::move(status), Document::Origin::kPasted);
    ShowDocument(state);
  }
}

void ClearPane(WindowState& state) {
  if (!TakeTyping(state)) return;
  if (MessageBoxA(state.window, ui::kClearQuestion, ui::kQuestionCaption, MB_OKCANCEL) == IDOK) {
    Busy busy(state);
    ReplaceDocument(state, nullptr, Document::LineCount(B2String1()));
  }
}

// Enables or grays an item of the Edit menu.
void Enable(HMENU menu, int id, bool enabled) {
  EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void About(HWND window) { MessageBoxA(window, ui::kAboutText, ui::kAboutCaption, MB_OK); }

// The live count's text in status bar part 1 (empty: none).
void ShowCount(const WindowState& state, const char* text) {
  SendMessageA(state.statusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text));
}

bool IsChecked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Check(HWND box, bool checked) {
  SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

filters::MatchOptions SearchOptions(const WindowState& state) {
  filters::MatchOptions options;
  options.regex = IsChecked(state.regexOption);
  options.ignoreCase = IsChecked(state.ignoreCaseOption);
  return options;
}

void SetSearchOptions(WindowState& state, const filters::MatchOptions& options) {
  Check(state.regexOption, options.regex);
  Check(state.ignoreCaseOption, options.ignoreCase);
  OnSearchChanged(state);
}

void StartLiveCount(WindowState& state) {
  HWND window = state.window;
  const LiveCount::CountFn count = [](const filters::Matcher& matcher, const char* text,
                                      size_t size, const std::function<bool()>& abandoned) {
    return filters::CountMatches(matcher, text, size, abandoned);
  };
  state.liveCount = std::make_unique<LiveCount>(count, [window](const LiveCount::Result& result) {
    PostMessageA(window, kLiveCountMessage, static_cast<WPARAM>(result.generation),
                 result.gaveUp ? LPARAM{-1} : static_cast<LPARAM>(result.lines));
  });
}

void OnSearchChanged(WindowState& state) {
  // The marks follow the search text a moment after the typing stops.
  SetTimer(state.window, ids::kMarkTimer, ids::kMarkDelayMs, nullptr);
  if (state.liveCount == nullptr) return;
  ShowCount(state, "");
  std::string why;
  filters::MatchError error;
  std::unique_ptr<filters::Matcher> matcher = SearchMatcher(state, why, &error);
  if (matcher == nullptr) {
    state.liveCount->Cancel();
    if (error.kind == filters::MatchError::Kind::kBadExpression) {
      ShowCount(state, ui::kLiveCountBadExpression);
    }
    return;
  }
  state.liveCount->Start(state.document.SharedText(), std::move(matcher));
}

void OnLiveCount(WindowState& state, WPARAM generation, LPARAM lines) {
  if (state.liveCount == nullptr || generation != state.liveCount->Generation()) return;
  if (lines < 0) return ShowCount(state, ui::kLiveCountGaveUp);
  ShowCount(state, StatusText::Fill(ui::kLiveCount, {StatusText::Grouped(lines)}).c_str());
}

void ShowDocument(WindowState& state) {
  const B2String1& text = state.document.Text();
  state.pane.SetText(text.Data(), static_cast<size_t>(text.Length()));
  SetWindowTextA(state.statusBar, state.document.Status().c_str());
  SetWindowTextA(state.window, state.document.Title().c_str());
  UpdateMarks(state);
  OnSearchChanged(state);  // the count is of the text shown
}

void UpdateMarks(WindowState& state) {
  std::string why;  // a refused search text marks nothing; the buttons say why
  state.marks = SearchMatcher(state, why);
  state.pane.Mark(state.marks.get());
}

void OnPaneNotify(WindowState& state, const NMHDR& header) {
  if (header.hwndFrom != state.pane.Handle() || header.code != SCN_UPDATEUI) return;
  // Typing may make or break a match anywhere on screen; a scroll brings other lines.
  const auto& update = reinterpret_cast<const SCNotification&>(header);
  if (update.updated & SC_UPDATE_CONTENT) {
    state.pane.Mark(state.marks.get());
  } else {
    state.pane.RefreshMarks();
  }
}

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

bool LoadFile(WindowState& state, const char* path) {
  if (!MayLeave(state)) return false;
  Busy busy(state);
  std::string message;
  if (!state.document.Load(path, message)) {
    SetWindowTextA(state.statusBar, message.c_str());
    return false;
  }
  ShowDocument(state);
  RememberFile(state, path);
  return true;
}

namespace {

// Loads the file of the recent-files item `id` as a drop would. One that is no longer there
// leaves the list; the status bar says why it did not load.
void OpenRecentFile(WindowState& state, int id) {
  const size_t index = static_cast<size_t>(id - ids::kRecentFile);
  if (index >= state.settings.recentFiles.size()) return;
  const std::string path = state.settings.recentFiles[index];
  if (path.size() >= sizeof(state.path)) return;
  std::memcpy(state.path, path.c_str(), path.size() + 1);
  if (!LoadFile(state, path.c_str()) &&
      GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ForgetFile(state, path);
  }
}

}  // namespace

void OnCommand(WindowState& state, int id) {
  if (state.busy) return;
  switch (id) {
    case ids::kExtract:
      return RunLineFilter(state, filters::Extract);
    case ids::kDelete:
      return RunLineFilter(state, filters::Delete);
    case ids::kDeleteUpTo:
      return RunLineFilter(state, filters::DeleteUpTo);
    case ids::kCountMatches:
      return RunLineFilter(state, filters::CountMatches);
    case ids::kOpenFile:
      return OpenFile(state);
    case ids::kSaveAs:
      SaveAs(state);
      return;
    case ids::kExit:
      SendMessageA(state.window, WM_CLOSE, 0, 0);
      return;
    case ids::kSelectAll:
      return SelectAll(state);
    case ids::kCopyAll:
      return CopyAll(state);
    case ids::kClearAndPaste:
      return ClearAndPaste(state);
    case ids::kClearPane:
      return ClearPane(state);
    case ids::kUndo:
      return UndoOrRedo(state, true);
    case ids::kRedo:
      return UndoOrRedo(state, false);
    case ids::kConvertSjis:
    case ids::kConvertUrl:
      return ConvertDocument(state);
    case ids::kAbout:
      return About(state.window);
    case ids::kToggleRegex:
      Check(state.regexOption, !IsChecked(state.regexOption));
      return OnSearchChanged(state);
    case ids::kToggleIgnoreCase:
      Check(state.ignoreCaseOption, !IsChecked(state.ignoreCaseOption));
      return OnSearchChanged(state);
    case ids::kRegexOption:
    case ids::kIgnoreCaseOption:
      return OnSearchChanged(state);
    case ids::kFindNext:
      return GoToMatch(state, true);
    case ids::kFindPrevious:
      return GoToMatch(state, false);
    default:
      if (id >= ids::kRecentFile && id < ids::kRecentFilesEnd) return OpenRecentFile(state, id);
      return;  // 0 and 1 (search box, status bar, pane) and anything else
  }
}

void OnInitMenuPopup(const WindowState& state, HMENU popup, LPARAM position) {
  // The whole lParam is compared: the window menu sets its high word.
  if (position != ids::kEditMenuPosition) return;
  Enable(popup, ids::kClearAndPaste, IsClipboardFormatAvailable(CF_TEXT));
  // Typing in the pane is a step to undo, and leaves nothing to redo.
  const bool typed = state.pane.IsModified();
  Enable(popup, ids::kUndo, typed || state.document.CanUndo());
  Enable(popup, ids::kRedo, !typed && state.document.CanRedo());
}

LRESULT OnDropFiles(WindowState& state, WPARAM wParam, LPARAM lParam) {
  HDROP drop = reinterpret_cast<HDROP>(wParam);
  // Only the first file is taken, its path whole: the drop is asked for its length first. A
  // drop without any file changes nothing (it would otherwise load the path left over from
  // before); so does a drop while busy.
  std::string path;
  const UINT length = state.busy ? 0 : DragQueryFileA(drop, 0, nullptr, 0);
  if (length > 0) {
    path.assign(length + 1, '\0');
    path.resize(DragQueryFileA(drop, 0, path.data(), length + 1));
  }
  DragFinish(drop);
  if (!path.empty()) {
    // The dialogs start with the dropped path when it fits their buffer.
    if (path.size() < sizeof(state.path)) std::memcpy(state.path, path.c_str(), path.size() + 1);
    LoadFile(state, path.c_str());
  }
  return DefWindowProcA(state.window, WM_DROPFILES, wParam, lParam);
}

void OnClose(WindowState& state) {
  if (state.busy || !MayLeave(state)) return;
  DestroyWindow(state.window);
}

void OnPaneChanged(WindowState& state) {
  if (!state.pane.IsModified()) return;
  // Typed text makes the document differ from its file until the next command takes it; a
  // title already marked stays as it is, so typing costs no comparison of texts.
  const std::string shown = PaneText::ReadText(state.window);
  if (shown.rfind(ui::kTitleModified, 0) == 0) return;
  const std::string title = state.document.Title();
  const std::string marked =
      title.rfind(ui::kTitleModified, 0) == 0 ? title : ui::kTitleModified + title;
  SetWindowTextA(state.window, marked.c_str());
}

void UseConverter(WindowState& state, const ConverterLibrary::EntryPoints& entries) {
  state.convert = entries.convert;
  state.converterProblem = entries.problem;
  state.converterFile = entries.file;
}

std::unique_ptr<filters::Matcher> SearchMatcher(const WindowState& state, std::string& why,
                                                filters::MatchError* error) {
  const std::string search = ReadSearchText(state.searchBox, kSearchRead);
  filters::MatchError refusal;
  std::unique_ptr<filters::Matcher> matcher =
      filters::Matcher::Make(search.data(), search.size(), SearchOptions(state), &refusal);
  why.clear();
  if (refusal.kind == filters::MatchError::Kind::kTooLong) why = ui::kSearchTooLong;
  if (refusal.kind == filters::MatchError::Kind::kBadExpression) {
    why = StatusText::Fill(ui::kBadExpression, {std::to_string(refusal.position), refusal.reason});
  }
  if (error != nullptr) *error = refusal;
  return matcher;
}
