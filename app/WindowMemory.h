// What the main window remembers between runs: the Win32 side of Settings. Each function does
// nothing to the file when the state's settingsPath is empty; a file that cannot be read gives
// the defaults and one that cannot be written is left as it was, without a word to the user.
#pragma once

#include <windows.h>

#include <string>

#include "app/WindowState.h"

/// The user's settings file, %APPDATA%\Linsift\linsift.ini; empty when there is no such folder.
std::string DefaultSettingsPath();

/// Reads the settings file at `path` (empty: none) into `state`. Before the window is made.
void LoadSettings(WindowState& state, const char* path);

/// The outer rectangle, in screen coordinates, the window is to be created with: the
/// remembered one where its caption still lies on a screen; false otherwise (then the
/// system's default place and the program's default size).
bool RememberedPlace(const WindowState& state, RECT& place);

/// The show command for the window's first ShowWindow: maximised when it was left so and
/// `show` asks for the normal or default state; `show` otherwise.
int RememberedShow(const WindowState& state, int show);

/// Fills what the controls show from the settings: the search box's list, the options and the
/// recent-files menu. Once the controls and menus exist.
void ShowSettings(WindowState& state);

/// A search text a command ran with goes first in the search box's list; the file is written.
void RememberSearch(WindowState& state, const std::string& text);

/// A file that was loaded goes first in the recent-files menu and its folder becomes the open
/// dialog's; the file is written.
void RememberFile(WindowState& state, const std::string& path);

/// A recent file that is no longer there leaves the menu; the file is written.
void ForgetFile(WindowState& state, const std::string& path);

/// At the window's end: remembers its place, size and maximised state and the options, and
/// writes the file.
void SaveSettings(WindowState& state);
