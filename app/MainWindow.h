// The main window: start-up up to the message loop, the window procedure and its end.
#pragma once

#include <windows.h>

#include "app/WindowLayout.h"

/// Runs start-up up to the message loop: keeps a copy of `commandLine` (one path, taken
/// whole), reads the settings file at `settingsPath` (null or empty: nothing is remembered,
/// as for the tests' windows; see WindowMemory.h) for the window's place and lists, binds the
/// converter, removes the undo files that ended runs left behind
/// (HistorySpill::RemoveLeftovers), registers the window class, creates the main window
/// (which builds its controls), attaches the menu bar and the accelerator table, shows the
/// window with `show`, gives the search box the focus, accepts dropped files, paints the
/// window and then loads the file named by the command line (its outcome in the status bar).
/// Returns the main window, whose WindowState (WindowState::Of) lives as long as the window; or null when the
/// class cannot be registered or the window or one of its controls cannot be made; nothing is
/// left behind then.
HWND StartMainWindow(HINSTANCE instance, const char* commandLine, int show,
                     const char* settingsPath = nullptr);

/// Handles one message taken off the queue of the main window's thread, as the message
/// loop does for each: first the window's own keys (WM_KEYDOWN to the window or one of its
/// controls), then its accelerator table, then translation and dispatch. The keys:
/// Tab and Shift+Tab move the focus through search box, the four buttons, the two search
/// options and the pane
/// (the search box gets its text selected); in the pane, Tab types a tab as in an editor
/// and Ctrl+Tab (Ctrl+Shift+Tab) moves on (back); Enter in the search box runs 抽出 and on
/// a button presses it; Ctrl+A selects the whole text of the search box or the pane. The
/// accelerators (Ctrl+O, Ctrl+S, Ctrl+Z, Ctrl+Y, F3 and Shift+F3 for the next and previous
/// match, and Alt+R and Alt+I, which toggle the search options) work wherever the focus is, but
/// Ctrl+Z in the search box undoes its typing.
void ProcessMessage(HWND window, MSG& message);

/// Destroys the main window `window` (and with it its state) if it still exists.
/// WinMain calls it after the loop; tests call it after each window.
void EndMainWindow(HWND window);

/// The window procedure of the class ui::kClassName.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
