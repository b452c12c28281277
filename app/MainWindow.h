// The main window: start-up up to the message loop, the window procedure and its end.
#pragma once

#include <windows.h>

/// Outer size of the main window when it is created, frame included.
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 512;
/// The pane's top edge: below the search box and the buttons.
constexpr int kPaneTop = 32;

/// Runs start-up up to the message loop: keeps a copy of `commandLine` (one path, taken
/// whole), binds the converter, registers the window class, loads the rich edit
/// library, creates the main window (which builds its controls and loads the file named
/// by the command line), attaches the menu bar and the accelerator table, shows the window with
/// `show` and accepts dropped files. Returns the main window, whose WindowState (WindowState::Of)
/// lives as long as the window; or null when the class cannot be registered, the rich edit library
/// is missing or the window or one of its controls cannot be made; nothing is left behind
/// then.
HWND StartMainWindow(HINSTANCE instance, const char* commandLine, int show);

/// Handles one message taken off the queue of the main window's thread, as the message
/// loop does for each: keys to the window or one of its controls go through its accelerator
/// table first (Ctrl+S, Ctrl+Z and Ctrl+Y wherever the focus is), then translation and
/// dispatch.
void ProcessMessage(HWND window, MSG& message);

/// Destroys the main window `window` (and with it its state) if it still exists.
/// WinMain calls it after the loop; tests call it after each window.
void EndMainWindow(HWND window);

/// The window procedure of the class ui::kClassName.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
