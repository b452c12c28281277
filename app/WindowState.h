// Everything the main window keeps between messages, in one record: its document, controls,
// menus, the file dialogs' record and buffers, the start-up path and the bound converter.
#pragma once

#include <windows.h>
// After <windows.h>:
#include <commdlg.h>

#include <memory>
#include <string>
#include <type_traits>

#include "app/Document.h"
#include "app/LiveCount.h"
#include "app/PaneText.h"
#include "app/Settings.h"
#include "binding/ConverterLibrary.h"
#include "filters/Matcher.h"
#include "nkf32/nkf32.h"
#include "text/Limits.h"

/// The state of one main window. MainWindow creates it in StartMainWindow and hands it to
/// the window at WM_NCCREATE (GWLP_USERDATA); the window frees it at WM_NCDESTROY. The
/// window procedure passes it to every command. Handles are null until their control or
/// menu is made.
struct WindowState {
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  /// The search box: the edit part of searchList, which offers the remembered search texts.
  HWND searchBox = nullptr;
  HWND searchList = nullptr;
  HWND statusBar = nullptr;
  /// The search options' check boxes: 正規表現 and 大文字小文字を区別しない (SearchOptions in
  /// app/WindowCommands.h reads and sets them).
  HWND regexOption = nullptr;
  HWND ignoreCaseOption = nullptr;
  /// Counts the lines that match the search text as it is typed, off the window's thread;
  /// its results arrive as kLiveCountMessage. Made with the status bar.
  std::unique_ptr<LiveCount> liveCount;
  /// The DPI the window is laid out for (WindowLayout), and the font of its search box and
  /// buttons at that DPI (null: the system's).
  int dpi = 96;
  struct DeleteFont {
    void operator()(HFONT font) const { DeleteObject(font); }
  };
  std::unique_ptr<std::remove_pointer_t<HFONT>, DeleteFont> controlFont;
  /// The pane, the view of the text.
  PaneText pane;
  /// The text the window works on, its status, file name and undo history. The pane shows
  /// it; what the user types there becomes the document before the next command.
  Document document;
  /// The window's accelerator table (MainWindow.cpp); destroyed with the window.
  HACCEL accelerators = nullptr;
  /// The control that had the focus when the window was last deactivated; it gets the
  /// focus back when the window is activated again.
  HWND lastFocus = nullptr;
  /// True while a long command runs: commands and drops that arrive meanwhile are ignored.
  bool busy = false;
  /// The matcher whose matches the pane marks; null when the search box is empty.
  std::unique_ptr<filters::Matcher> marks;

  HMENU menuBar = nullptr;
  HMENU fileMenu = nullptr;
  HMENU editMenu = nullptr;
  HMENU stringMenu = nullptr;
  HMENU versionMenu = nullptr;
  /// The submenu of fileMenu listing settings.recentFiles.
  HMENU recentMenu = nullptr;

  /// What the window remembers between runs (WindowMemory), and the file it is kept in; an
  /// empty path remembers nothing.
  Settings settings;
  std::string settingsPath;

  /// The record of the open and save dialogs, owned by the window, and the path they share
  /// with drops: never cleared, so a dialog starts with the last path chosen or dropped. Room
  /// for a path of the system's long-path limit.
  OPENFILENAMEA openDialog{};
  char path[limits::kPathBytes] = {};
  char fileTitle[512] = {};

  /// The command line, one path taken whole; empty when there was none.
  std::string startupPath;
  /// The converter bound at start-up, or null when nkf32 could not be bound; then why, and
  /// the file that was looked for (UseConverter).
  NkfConvertFn convert = nullptr;
  ConverterLibrary::Problem converterProblem = ConverterLibrary::Problem::kMissing;
  std::string converterFile;

  /// The state of the main window `window`; null before WM_NCCREATE and after
  /// WM_NCDESTROY. `window` must be a window of the class ui::kClassName.
  static WindowState* Of(HWND window) {
    return reinterpret_cast<WindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }
};
