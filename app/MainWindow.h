// The main window: start-up up to the message loop, the window procedure and the
// handles every command works through.
#pragma once

#include <windows.h>

#include "nkf32/nkf32.h"
#include "text/Limits.h"

// Handles of the main window and its controls, set once while the window is made and
// read by the commands. Null before StartMainWindow and after EndMainWindow.
extern HWND g_mainWindow;
extern HWND g_searchBox;
extern HWND g_textPane;
extern HWND g_statusBar;
extern HMENU g_menuBar;
extern HMENU g_fileMenu;
extern HMENU g_editMenu;
extern HMENU g_stringMenu;
extern HMENU g_versionMenu;

/// The converter's NkfConvert, bound at start-up; null when nkf32 was not found.
extern NkfConvertFn g_converter;

/// Outer size of the main window when it is created, frame included.
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 512;
/// The pane's top edge: below the search box and the buttons.
constexpr int kPaneTop = 32;
/// The pane's text limit in characters.
constexpr int kPaneTextLimit = limits::kPaneTextChars;

/// Runs start-up up to the message loop: keeps a copy of `commandLine` (one path, taken
/// whole), binds the converter, registers the window class, loads the rich edit
/// library, creates the main window (which builds its controls and loads the file named
/// by the command line), attaches the menu bar, shows the window with `show` and accepts
/// dropped files. Returns the main window, or null when the class cannot be registered,
/// the rich edit library is missing or the window or one of its controls cannot be made;
/// nothing is left behind then.
HWND StartMainWindow(HINSTANCE instance, const char* commandLine, int show);

/// Replaces the whole pane text with the NUL-terminated `text` (null empties the pane).
/// The pane may be a new control afterwards: read g_textPane again.
void SetPaneText(const char* text);

/// Destroys the main window if it still exists and frees the copy of the command line.
/// WinMain calls it after the loop; tests call it after each window.
void EndMainWindow();

/// The window procedure of the class "LSTEXT".
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
