// What the main window does on WM_COMMAND, WM_INITMENUPOPUP and WM_DROPFILES: thin
// adapters that read the controls of a WindowState, call the filter and string cores and
// write the controls back.
#pragma once

#include <windows.h>

#include "app/WindowState.h"

/// Runs the command `id` (a button or menu identifier); other identifiers, among them
/// 0 and 1 from the search box, status bar and pane, do nothing. ids::kExit destroys the
/// window, which frees `state`: the caller must not use it afterwards.
void OnCommand(WindowState& state, int id);

/// Enables or grays the paste item when the Edit popup (bar position 1) opens,
/// following whether the clipboard holds text. Other popups are left alone.
void OnInitMenuPopup(HMENU popup, LPARAM position);

/// Loads the first dropped file into the pane and shows its line count; releases the
/// drop. Returns what DefWindowProcA gives for the message.
LRESULT OnDropFiles(WindowState& state, WPARAM drop, LPARAM lParam);

/// Prepares the open dialog's record of `state` once its window exists.
void PrepareOpenDialog(WindowState& state);

/// Loads the file at `path` into the pane, whatever the load gives (a failed load
/// empties the pane). Returns the file's line count: its LF bytes plus one.
int LoadFileIntoPane(WindowState& state, const char* path);
