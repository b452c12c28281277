// Start-up and the main window: class, window, controls, menus and layout.
#include "app/MainWindow.h"

#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "app/CommandIds.h"
#include "app/PaneText.h"
#include "app/UiText.h"
#include "app/WindowCommands.h"
#include "binding/BindConverter.h"

HWND g_mainWindow = nullptr;
HWND g_searchBox = nullptr;
HWND g_textPane = nullptr;
HWND g_statusBar = nullptr;
HMENU g_menuBar = nullptr;
HMENU g_fileMenu = nullptr;
HMENU g_editMenu = nullptr;
HMENU g_stringMenu = nullptr;
HMENU g_versionMenu = nullptr;
NkfConvertFn g_converter = nullptr;

namespace {

HINSTANCE g_instance = nullptr;
// Texts longer than this go into the pane in pieces of at most this many bytes.
constexpr size_t kPaneFillPiece = 256 * 1024;
// The command line, kept from start-up until the window has loaded it; null when empty.
std::unique_ptr<char[]> g_startupPath;

HMENU ControlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// Registers "LSTEXT"; a class left registered by an earlier window of this process
// (the tests make many) is used as it is.
bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = ui::kClassName;
  if (RegisterClassExA(&wc) != 0) return true;
  return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Builds the menu bar: the popups are filled first and appended to the bar last.
HMENU BuildMenuBar() {
  g_menuBar = CreateMenu();
  g_fileMenu = CreateMenu();
  g_editMenu = CreateMenu();
  g_stringMenu = CreateMenu();
  g_versionMenu = CreateMenu();

  AppendMenuA(g_fileMenu, MF_STRING, ids::kOpenFile, ui::kOpenItem);
  AppendMenuA(g_fileMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(g_fileMenu, MF_STRING, ids::kExit, ui::kExitItem);

  AppendMenuA(g_editMenu, MF_STRING, ids::kSelectAll, ui::kSelectAllItem);
  AppendMenuA(g_editMenu, MF_STRING, ids::kCopyAll, ui::kCopyAllItem);
  AppendMenuA(g_editMenu, MF_STRING, ids::kClearAndPaste, ui::kClearAndPasteItem);
  AppendMenuA(g_editMenu, MF_STRING, ids::kClearPane, ui::kClearItem);

  AppendMenuA(g_stringMenu, MF_STRING, ids::kConvertSjis, ui::kSjisItem);
  AppendMenuA(g_stringMenu, MF_STRING, ids::kConvertUrl, ui::kUrlDecodeItem);

  AppendMenuA(g_versionMenu, MF_STRING, ids::kAbout, ui::kAboutItem);

  auto popup = [](HMENU menu) { return reinterpret_cast<UINT_PTR>(menu); };
  AppendMenuA(g_menuBar, MF_POPUP, popup(g_fileMenu), ui::kFileMenu);
  AppendMenuA(g_menuBar, MF_POPUP, popup(g_editMenu), ui::kEditMenu);
  AppendMenuA(g_menuBar, MF_POPUP, popup(g_stringMenu), ui::kStringMenu);
  AppendMenuA(g_menuBar, MF_POPUP, popup(g_versionMenu), ui::kVersionMenu);
  return g_menuBar;
}

// The pane: a RichEdit with scroll bars, placed at `place` (WM_SIZE gives it its real
// place), its text limit raised to 20,000,000 characters; shown or not.
HWND CreatePane(HWND parent, const RECT& place, bool visible) {
  const DWORD style = WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                      ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | (visible ? WS_VISIBLE : 0);
  HWND pane = CreateWindowExA(0, "RichEdit20A", nullptr, style, place.left, place.top,
                              place.right - place.left, place.bottom - place.top, parent,
                              ControlId(ids::kTextPane), g_instance, nullptr);
  if (pane != nullptr) SendMessageA(pane, EM_EXLIMITTEXT, 0, kPaneTextLimit);
  return pane;
}

HWND CreateButton(HWND parent, const char* text, int x, int id) {
  return CreateWindowExA(0, "Button", text, WS_CHILD | WS_VISIBLE | BS_CENTER, x, 4, 96, 24, parent,
                         ControlId(id), g_instance, nullptr);
}

// WM_CREATE: builds the controls, prepares the open dialog and loads the command-line
// file. The window's own handle comes with the message: CreateWindowExA has not
// returned yet. Returns -1 (and so fails the creation) when the search box, the pane or
// the status bar cannot be made, since no command could work without them.
LRESULT OnCreate(HWND window) {
  g_searchBox =
      CreateWindowExA(0, "Edit", nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 4, 4,
                      192, 24, window, ControlId(ids::kSearchBox), g_instance, nullptr);
  g_textPane = CreatePane(window, RECT{0, 0, 0, 0}, true);
  CreateButton(window, ui::kExtract, 200, ids::kExtract);
  CreateButton(window, ui::kDelete, 308, ids::kDelete);
  CreateButton(window, ui::kDeleteUpTo, 416, ids::kDeleteUpTo);
  CreateButton(window, ui::kCountMatches, 524, ids::kCountMatches);
  if (g_searchBox == nullptr || g_textPane == nullptr) return -1;

  g_statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, nullptr, window, ids::kStatusBar);
  if (g_statusBar == nullptr) return -1;

  PrepareOpenDialog(window, g_instance);
  if (g_startupPath) LoadFileIntoPane(g_startupPath.get());
  return 0;
}

// WM_SIZE: the status bar lays itself out along the bottom edge, and the pane fills
// what lies between the button row and the status bar.
LRESULT OnSize(WPARAM sizeType, int width, int height) {
  // Wine's status bar lays itself out only for SIZE_RESTORED or SIZE_MAXIMIZED;
  // Windows' ignores wParam. Passing on the parent's size type works on both.
  SendMessageA(g_statusBar, WM_SIZE, sizeType, 0);
  RECT bar{};
  GetWindowRect(g_statusBar, &bar);
  const int barHeight = static_cast<int>(bar.bottom - bar.top);
  // A client area lower than the button row and the status bar (a minimised window is
  // 0 x 0) leaves the pane no room rather than a negative height.
  const int paneHeight = std::max(0, height - barHeight - kPaneTop);
  SetWindowPos(g_textPane, nullptr, 0, kPaneTop, width, paneHeight, SWP_NOZORDER);
  return 0;
}

LRESULT OnDestroy() {
  PostQuitMessage(0);
  return 0;
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_SIZE:
      return OnSize(wParam, LOWORD(lParam), HIWORD(lParam));
    case WM_DESTROY:
      return OnDestroy();
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam));
      return 0;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), lParam);
      return 0;
    case WM_DROPFILES:
      return OnDropFiles(window, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void SetPaneText(const char* text) {
  if (text == nullptr) text = "";
  // Wine's RichEdit takes time that grows with the square of the text to remove a large
  // text (10 s for 200 KB), and fills a shown pane several times slower than a hidden one
  // (500 KB: 3.4 s of CPU against 0.4 s). So the new text goes into a fresh, hidden pane,
  // which then takes the old one's place, z-order and focus; the user sees the old text
  // replaced as a whole.
  HWND parent = GetParent(g_textPane);
  RECT place{};
  GetWindowRect(g_textPane, &place);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  HWND fresh = CreatePane(parent, place, false);
  if (fresh == nullptr) {
    SetWindowTextA(g_textPane, text);  // no fresh pane: the slow way
    return;
  }
  FillEmptyPane(fresh, text, kPaneFillPiece);
  const bool focused = GetFocus() == g_textPane;
  SetWindowPos(fresh, g_textPane, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  DestroyWindow(g_textPane);
  g_textPane = fresh;
  if (focused) SetFocus(fresh);
}

HWND StartMainWindow(HINSTANCE instance, const char* commandLine, int show) {
  g_instance = instance;

  // The whole command line is one path: no quotes removed, no splitting at blanks.
  if (commandLine != nullptr && lstrlenA(commandLine) > 0) {
    const size_t length = std::strlen(commandLine);
    g_startupPath.reset(new char[length + 1]);
    std::memcpy(g_startupPath.get(), commandLine, length + 1);
  }

  g_converter = BindConverter().convert;

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterMainWindowClass(instance) || LoadLibraryA("RICHED20.DLL") == nullptr) {
    EndMainWindow();
    return nullptr;
  }

  g_mainWindow = CreateWindowExA(0, ui::kClassName, ui::kWindowTitle,
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                 kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
  if (g_mainWindow == nullptr) {
    EndMainWindow();
    return nullptr;
  }

  SetMenu(g_mainWindow, BuildMenuBar());
  ShowWindow(g_mainWindow, show);
  DragAcceptFiles(g_mainWindow, TRUE);
  return g_mainWindow;
}

void EndMainWindow() {
  if (g_mainWindow != nullptr && IsWindow(g_mainWindow)) DestroyWindow(g_mainWindow);
  g_mainWindow = g_searchBox = g_textPane = g_statusBar = nullptr;
  g_menuBar = g_fileMenu = g_editMenu = g_stringMenu = g_versionMenu = nullptr;
  g_startupPath.reset();
}
