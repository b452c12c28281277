// What the main window does on WM_COMMAND, WM_INITMENUPOPUP and WM_DROPFILES: thin
// adapters that read the controls of a WindowState, call its document or the filter and
// string cores, and show the document in the controls.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/WindowState.h"
#include "binding/ConverterLibrary.h"
#include "filters/Matcher.h"

/// Posted to the main window when a live count ends: wParam its generation, lParam the lines
/// that match, or -1 when a line's search was abandoned at its work limit.
constexpr UINT kLiveCountMessage = WM_APP + 1;
/// Posted to the main window to count again once the search box shows a text picked from its
/// list.
constexpr UINT kSearchChangedMessage = WM_APP + 2;

/// Runs the command `id` (a button or menu identifier); other identifiers, among them
/// 0 and 1 from the search box, status bar and pane, do nothing. ids::kExit closes the
/// window as its close button does (OnClose): when it is destroyed, `state` is freed and
/// the caller must not use it afterwards.
void OnCommand(WindowState& state, int id);

/// WM_CLOSE (close button, Alt+F4, 終了): destroys the window, after asking 保存 / 保存しない /
/// キャンセル when the document holds unsaved work (Document::HasUnsavedWork, or typing in the
/// pane not yet taken). 保存 runs 名前を付けて保存 and closes only once it saved; キャンセル
/// keeps the window. Results of commands on a loaded file are no unsaved work.
void OnClose(WindowState& state);

/// The pane told of a change: the title gets its mark when the user edited the pane.
void OnPaneChanged(WindowState& state);

/// Makes `entries` the window's converter; without one, conversions percent-decode only and
/// their status tells why, naming entries.file.
void UseConverter(WindowState& state, const ConverterLibrary::EntryPoints& entries);

/// When the Edit popup (bar position 1) opens: enables the paste item when the clipboard
/// holds text, undo when there is a step or typing to undo, redo when there is a step to
/// redo and no typing since; grays them otherwise. Other popups are left alone.
void OnInitMenuPopup(const WindowState& state, HMENU popup, LPARAM position);

/// Loads the first dropped file as LoadFile does, its path taken whole however long; releases
/// the drop. Returns what DefWindowProcA gives for the message.
LRESULT OnDropFiles(WindowState& state, WPARAM drop, LPARAM lParam);

/// Shows the document of `state`: its text in the pane (the pane is then unmodified), its
/// status in the status bar and its title in the title bar.
void ShowDocument(WindowState& state);

/// Prepares the open dialog's record of `state` once its window exists.
void PrepareOpenDialog(WindowState& state);

/// The search options the check boxes say (regex, ignoreCase; bytes is never set).
filters::MatchOptions SearchOptions(const WindowState& state);
/// Sets the check boxes to options' regex and ignoreCase, and counts again.
void SetSearchOptions(WindowState& state, const filters::MatchOptions& options);

/// Makes the live count of `state` (once its status bar exists).
void StartLiveCount(WindowState& state);
/// The search text changed: starts counting the document's matching lines for it, abandoning
/// the count under way, and clears the count shown (status bar part 1) meanwhile. An empty
/// search text shows no count; an expression that does not compile says so there.
void OnSearchChanged(WindowState& state);
/// A count ended (kLiveCountMessage): shows "一致 <n>行" in status bar part 1 when it is the
/// last count started; a stale one is dropped.
void OnLiveCount(WindowState& state, WPARAM generation, LPARAM lines);

/// Loads the file at `path` into the document (Document::Load), which starts its history, and
/// shows it: text, status (line count, and what was not loaded) and title. Unsaved work is
/// asked about first, as OnClose does; キャンセル loads nothing. A failed load changes nothing
/// but the status bar, which says why; false then.
bool LoadFile(WindowState& state, const char* path);

/// The one matcher of the window: the search box's text under the window's options, for the
/// filters' buttons and for whatever else asks where the search text matches. Null when there
/// is none; `why` then holds the status that tells why (a search text over 255 bytes, an
/// expression that does not compile: where and why), or is empty for an empty search text
/// (which changes nothing, silently); error, when given, gets the refusal.
std::unique_ptr<filters::Matcher> SearchMatcher(const WindowState& state, std::string& why,
                                                filters::MatchError* error = nullptr);

/// Marks the matches of the search box's text in the lines the pane shows (none when there is
/// no matcher), and again whenever other lines come into view.
void UpdateMarks(WindowState& state);

/// WM_NOTIFY from the pane: when its view scrolled or its text changed, marks the lines now on
/// screen.
void OnPaneNotify(WindowState& state, const NMHDR& header);
