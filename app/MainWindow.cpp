// Start-up and the main window: class, window, controls, menus and layout.
#include "app/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <memory>

#include "app/CommandIds.h"
#include "app/HistorySpill.h"
#include "app/UiText.h"
#include "app/WindowCommands.h"
#include "app/WindowState.h"
#include "binding/BindConverter.h"

namespace {

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
HMENU BuildMenuBar(WindowState& state) {
  state.menuBar = CreateMenu();
  state.fileMenu = CreateMenu();
  state.editMenu = CreateMenu();
  state.stringMenu = CreateMenu();
  state.versionMenu = CreateMenu();

  AppendMenuA(state.fileMenu, MF_STRING, ids::kOpenFile, ui::kOpenItem);
  AppendMenuA(state.fileMenu, MF_STRING, ids::kSaveAs, ui::kSaveAsItem);
  AppendMenuA(state.fileMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(state.fileMenu, MF_STRING, ids::kExit, ui::kExitItem);

  AppendMenuA(state.editMenu, MF_STRING, ids::kSelectAll, ui::kSelectAllItem);
  AppendMenuA(state.editMenu, MF_STRING, ids::kCopyAll, ui::kCopyAllItem);
  AppendMenuA(state.editMenu, MF_STRING, ids::kClearAndPaste, ui::kClearAndPasteItem);
  AppendMenuA(state.editMenu, MF_STRING, ids::kClearPane, ui::kClearItem);
  AppendMenuA(state.editMenu, MF_SEPARATOR, 0, nullptr);
  // Nothing to undo or redo yet.
  AppendMenuA(state.editMenu, MF_STRING | MF_GRAYED, ids::kUndo, ui::kUndoItem);
  AppendMenuA(state.editMenu, MF_STRING | MF_GRAYED, ids::kRedo, ui::kRedoItem);

  AppendMenuA(state.stringMenu, MF_STRING, ids::kConvertSjis, ui::kSjisItem);
  AppendMenuA(state.stringMenu, MF_STRING, ids::kConvertUrl, ui::kUrlDecodeItem);

  AppendMenuA(state.versionMenu, MF_STRING, ids::kAbout, ui::kAboutItem);

  auto popup = [](HMENU menu) { return reinterpret_cast<UINT_PTR>(menu); };
  AppendMenuA(state.menuBar, MF_POPUP, popup(state.fileMenu), ui::kFileMenu);
  AppendMenuA(state.menuBar, MF_POPUP, popup(state.editMenu), ui::kEditMenu);
  AppendMenuA(state.menuBar, MF_POPUP, popup(state.stringMenu), ui::kStringMenu);
  AppendMenuA(state.menuBar, MF_POPUP, popup(state.versionMenu), ui::kVersionMenu);
  return state.menuBar;
}

HWND CreateButton(const WindowState& state, const char* text, int x, int id) {
  return CreateWindowExA(0, "Button", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CENTER, x, 4,
                         96, 24, state.window, ControlId(id), state.instance, nullptr);
}

// The window's keys, in one table: each sends its command as the menu item would.
constexpr ACCEL Key(BYTE modifiers, WORD key, int command) {
  return ACCEL{static_cast<BYTE>(modifiers | FVIRTKEY), key, static_cast<WORD>(command)};
}
constexpr ACCEL kAccelerators[] = {
    Key(FCONTROL, 'O', ids::kOpenFile), Key(FCONTROL, 'S', ids::kSaveAs),
    Key(FCONTROL, 'Z', ids::kUndo),     Key(FCONTROL, 'Y', ids::kRedo),
    Key(0, VK_F3, ids::kFindNext),      Key(FSHIFT, VK_F3, ids::kFindPrevious),
};

// WM_CREATE: builds the controls and prepares the open dialog. The window's own handle
// comes with the
// message: CreateWindowExA has not returned yet. Returns -1 (and so fails the creation)
// when the search box, the pane or the status bar cannot be made, since no command could
// work without them. The controls are made in their Tab order: search box, buttons, pane.
LRESULT OnCreate(WindowState& state) {
  HWND window = state.window;
  state.searchBox = CreateWindowExA(
      0, "Edit", nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 4, 4,
      192, 24, window, ControlId(ids::kSearchBox), state.instance, nullptr);
  CreateButton(state, ui::kExtract, 200, ids::kExtract);
  CreateButton(state, ui::kDelete, 308, ids::kDelete);
  CreateButton(state, ui::kDeleteUpTo, 416, ids::kDeleteUpTo);
  CreateButton(state, ui::kCountMatches, 524, ids::kCountMatches);
  const bool paneMade = state.pane.Create(window, state.instance);
  if (state.searchBox == nullptr || !paneMade) return -1;

  state.statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, nullptr, window, ids::kStatusBar);
  if (state.statusBar == nullptr) return -1;

  PrepareOpenDialog(state);
  return 0;
}

// WM_SIZE: the status bar lays itself out along the bottom edge, and the pane fills
// what lies between the button row and the status bar.
LRESULT OnSize(const WindowState& state, WPARAM sizeType, int width, int height) {
  // Wine's status bar lays itself out only for SIZE_RESTORED or SIZE_MAXIMIZED;
  // Windows' ignores wParam. Passing on the parent's size type works on both.
  SendMessageA(state.statusBar, WM_SIZE, sizeType, 0);
  RECT bar{};
  GetWindowRect(state.statusBar, &bar);
  const int barHeight = static_cast<int>(bar.bottom - bar.top);
  // A client area lower than the button row and the status bar (a minimised window is
  // 0 x 0) leaves the pane no room rather than a negative height.
  const int paneHeight = std::max(0, height - barHeight - kPaneTop);
  SetWindowPos(state.pane.Handle(), nullptr, 0, kPaneTop, width, paneHeight, SWP_NOZORDER);
  return 0;
}

// WM_GETMINMAXINFO: no smaller than kMinClientWidth by the button row, the status bar
// and kMinPaneHeight. Also sent before the controls exist.
void OnGetMinMaxInfo(const WindowState& state, MINMAXINFO* info) {
  RECT bar{};
  if (state.statusBar != nullptr) GetWindowRect(state.statusBar, &bar);
  RECT outer{0, 0, kMinClientWidth, kPaneTop + kMinPaneHeight + (bar.bottom - bar.top)};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(state.window, GWL_STYLE)),
                     GetMenu(state.window) != nullptr,
                     static_cast<DWORD>(GetWindowLongA(state.window, GWL_EXSTYLE)));
  info->ptMinTrackSize.x = outer.right - outer.left;
  info->ptMinTrackSize.y = outer.bottom - outer.top;
}

// WM_ACTIVATE and WM_SETFOCUS: the control that had the focus when the window was left
// gets it back (the search box the first time), not the window itself.
void OnActivate(WindowState& state, WPARAM wParam) {
  HWND focus = GetFocus();
  if (LOWORD(wParam) == WA_INACTIVE && focus != nullptr && IsChild(state.window, focus)) {
    state.lastFocus = focus;
  }
}

void OnSetFocus(const WindowState& state) {
  HWND target = state.lastFocus;
  if (target == nullptr || !IsWindow(target)) target = state.searchBox;
  if (target != nullptr) SetFocus(target);
}

LRESULT OnDestroy() {
  PostQuitMessage(0);
  return 0;
}

// WM_NCCREATE: the window takes the state StartMainWindow made; it frees it at
// WM_NCDESTROY.
void AdoptState(HWND window, LPARAM lParam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
  auto* owner = static_cast<std::unique_ptr<WindowState>*>(create->lpCreateParams);
  WindowState* state = owner->release();
  state->window = window;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
}

void FreeState(HWND window) {
  WindowState* state = WindowState::Of(window);
  if (state->accelerators != nullptr) DestroyAcceleratorTable(state->accelerators);
  delete state;
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) AdoptState(window, lParam);
  WindowState* state = WindowState::Of(window);
  if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      return OnCreate(*state);
    case WM_SIZE:
      return OnSize(*state, wParam, LOWORD(lParam), HIWORD(lParam));
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(*state, reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(*state, wParam);
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_SETFOCUS:
      OnSetFocus(*state);
      return 0;
    case WM_DESTROY:
      return OnDestroy();
    case WM_NCDESTROY:
      FreeState(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_CLOSE:
      OnClose(*state);  // may destroy the window and free the state
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == ids::kSearchBox && HIWORD(wParam) == EN_CHANGE &&
          reinterpret_cast<HWND>(lParam) == state->searchBox) {
        // The marks follow the search text a moment after the typing stops.
        SetTimer(window, ids::kMarkTimer, ids::kMarkDelayMs, nullptr);
        return 0;
      }
      if (state->pane.IsChangeNotice(wParam, lParam)) {
        OnPaneChanged(*state);
        return 0;
      }
      OnCommand(*state, LOWORD(wParam));  // may destroy the window and free the state
      return 0;
    case WM_TIMER:
      if (wParam != ids::kMarkTimer) return DefWindowProcA(window, message, wParam, lParam);
      KillTimer(window, ids::kMarkTimer);
      UpdateMarks(*state);
      return 0;
    case WM_NOTIFY:
      OnPaneNotify(*state, *reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(*state, reinterpret_cast<HMENU>(wParam), lParam);
      return 0;
    case WM_DROPFILES:
      return OnDropFiles(*state, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND StartMainWindow(HINSTANCE instance, const char* commandLine, int show) {
  auto state = std::make_unique<WindowState>();
  state->instance = instance;
  // The whole command line is one path: no quotes removed, no splitting at blanks.
  if (commandLine != nullptr) state->startupPath = commandLine;

  UseConverter(*state, BindConverter());
  // Undo files of earlier runs that ended without removing theirs.
  HistorySpill::RemoveLeftovers();

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterMainWindowClass(instance)) return nullptr;

  // The window takes the state at WM_NCCREATE and frees it at WM_NCDESTROY, also when
  // its creation fails afterwards; before that, `state` still owns it.
  HWND window = CreateWindowExA(0, ui::kClassName, ui::kWindowTitle,
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                kWindowWidth, kWindowHeight, nullptr, nullptr, instance, &state);
  if (window == nullptr) return nullptr;

  WindowState& made = *WindowState::Of(window);
  SetMenu(window, BuildMenuBar(made));
  made.accelerators =
      CreateAcceleratorTableA(const_cast<ACCEL*>(kAccelerators), std::size(kAccelerators));
  ShowWindow(window, show);
  SetFocus(made.searchBox);
  DragAcceptFiles(window, TRUE);
  // The window is painted before the command-line file is read, so it shows at once; the
  // load then runs with 処理中… shown.
  UpdateWindow(window);
  if (!made.startupPath.empty()) LoadFile(made, made.startupPath.c_str());
  return window;
}

namespace {

// Moves the focus from `from` to the next control with WS_TABSTOP, or the one before it.
void MoveFocus(const WindowState& state, HWND from, bool back) {
  HWND to = GetNextDlgTabItem(state.window, IsChild(state.window, from) ? from : nullptr, back);
  if (to == nullptr) return;
  SetFocus(to);
  if (to == state.searchBox) SendMessageA(to, EM_SETSEL, 0, -1);
}

bool IsButton(const WindowState& state, HWND control) {
  if (GetParent(control) != state.window) return false;
  const int id = GetDlgCtrlID(control);
  return id == ids::kExtract || id == ids::kDelete || id == ids::kDeleteUpTo ||
         id == ids::kCountMatches;
}

// The keys ProcessMessage takes itself; true when `key`, pressed in `control`, was taken.
bool HandleKey(const WindowState& state, HWND control, WPARAM key) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  HWND pane = state.pane.Handle();
  switch (key) {
    case VK_TAB:
      if (control == pane && !ctrl && !shift) return false;  // the pane types it
      MoveFocus(state, control, shift);
      return true;
    case VK_RETURN:
      if (control == state.searchBox) {
        SendMessageA(state.window, WM_COMMAND, MAKEWPARAM(ids::kExtract, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(state.window, ids::kExtract)));
        return true;
      }
      if (IsButton(state, control)) {
        SendMessageA(state.window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
        return true;
      }
      return false;
    case 'A':
      if (!ctrl || shift || (control != state.searchBox && control != pane)) return false;
      SendMessageA(control, EM_SETSEL, 0, -1);
      return true;
    case 'Z':
      // In the search box, Ctrl+Z undoes the typing there, not a step of the document.
      if (!ctrl || shift || control != state.searchBox) return false;
      SendMessageA(control, EM_UNDO, 0, 0);
      return true;
    default:
      return false;
  }
}

}  // namespace

void ProcessMessage(HWND window, MSG& message) {
  const WindowState* state = IsWindow(window) ? WindowState::Of(window) : nullptr;
  if (state != nullptr && (message.hwnd == window || IsChild(window, message.hwnd))) {
    if (message.message == WM_KEYDOWN && HandleKey(*state, message.hwnd, message.wParam)) return;
    if (TranslateAcceleratorA(window, state->accelerators, &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void EndMainWindow(HWND window) {
  if (window != nullptr && IsWindow(window)) DestroyWindow(window);
}
