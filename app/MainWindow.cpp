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
#include "app/WindowMemory.h"
#include "app/WindowState.h"
#include "binding/BindConverter.h"

namespace {

HMENU ControlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// The search list's height with its list open: the box and about ten texts.
constexpr int kSearchListHeight = 240;

// Registers "LSTEXT"; a class left registered by an earlier window of this process
// (the tests make many) is used as it is.
bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  // linsift.exe's icon (resource 1); a program without one (the tests) gets the default.
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
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
  state.recentMenu = CreateMenu();

  AppendMenuA(state.fileMenu, MF_STRING, ids::kOpenFile, ui::kOpenItem);
  AppendMenuA(state.fileMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(state.recentMenu),
              ui::kRecentMenu);
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

// The buttons in their order on the row, left to right.
constexpr int kButtonIds[WindowLayout::kButtons] = {ids::kExtract, ids::kDelete, ids::kDeleteUpTo,
                                                    ids::kCountMatches};

// Made at no size: LayOutRow places it.
HWND CreateButton(const WindowState& state, const char* text, int id) {
  return CreateWindowExA(0, "Button", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CENTER, 0, 0, 0,
                         0, state.window, ControlId(id), state.instance, nullptr);
}

// The system's message font at the window's DPI, for the search box and the buttons, so their
// texts grow with the scale as the boxes do.
void MakeControlFont(WindowState& state) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                  static_cast<UINT>(state.dpi))) {
    return;
  }
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  if (font == nullptr) return;
  state.controlFont.reset(font);
  const WPARAM handle = reinterpret_cast<WPARAM>(font);
  SendMessageA(state.searchList, WM_SETFONT, handle, TRUE);
  for (int id : kButtonIds) SendMessageA(GetDlgItem(state.window, id), WM_SETFONT, handle, TRUE);
  SendMessageA(state.regexOption, WM_SETFONT, handle, TRUE);
  SendMessageA(state.ignoreCaseOption, WM_SETFONT, handle, TRUE);
}

// Places the search box and the buttons for the window's DPI, with their font.
void LayOutRow(WindowState& state) {
  const WindowLayout layout(state.dpi);
  MakeControlFont(state);
  const WindowLayout::Box box = layout.SearchBox();
  SetWindowPos(state.searchList, nullptr, box.x, box.y, box.width, layout.Scale(kSearchListHeight),
               SWP_NOZORDER | SWP_NOACTIVATE);
  // The closed box is as high as the buttons: its edit part grows by what it lacks (the
  // borders around it differ between systems).
  RECT closed{};
  GetWindowRect(state.searchList, &closed);
  const LRESULT item = SendMessageA(state.searchList, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  const LRESULT wanted = item + box.height - (closed.bottom - closed.top);
  if (item > 0 && wanted > 0) {
    SendMessageA(state.searchList, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
  }
  for (int i = 0; i < WindowLayout::kButtons; ++i) {
    const WindowLayout::Box b = layout.Button(i);
    SetWindowPos(GetDlgItem(state.window, kButtonIds[i]), nullptr, b.x, b.y, b.width, b.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const HWND options[] = {state.regexOption, state.ignoreCaseOption};
  for (int i = 0; i < 2; ++i) {
    const WindowLayout::Box o = layout.Option(i);
    SetWindowPos(options[i], nullptr, o.x, o.y, o.width, o.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// A search option: an automatic check box on the row below the search box, made at no size:
// LayOutRow places it.
HWND CreateOption(const WindowState& state, const char* text, int id) {
  return CreateWindowExA(0, "Button", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                         0, 0, 0, state.window, ControlId(id), state.instance, nullptr);
}

// The window's keys, in one table: each sends its command as the menu item would.
constexpr ACCEL Key(BYTE modifiers, WORD key, int command) {
  return ACCEL{static_cast<BYTE>(modifiers | FVIRTKEY), key, static_cast<WORD>(command)};
}
constexpr ACCEL kAccelerators[] = {
    Key(FCONTROL, 'O', ids::kOpenFile), Key(FCONTROL, 'S', ids::kSaveAs),
    Key(FCONTROL, 'Z', ids::kUndo),     Key(FCONTROL, 'Y', ids::kRedo),
    Key(FALT, 'R', ids::kToggleRegex),  Key(FALT, 'I', ids::kToggleIgnoreCase),
    Key(0, VK_F3, ids::kFindNext),      Key(FSHIFT, VK_F3, ids::kFindPrevious),
};

// WM_CREATE: builds the controls and prepares the open dialog. The window's own handle
// comes with the
// message: CreateWindowExA has not returned yet. Returns -1 (and so fails the creation)
// when the search box, the pane or the status bar cannot be made, since no command could
// work without them. The controls are made in their Tab order: search box, buttons, search
// options, pane.
LRESULT OnCreate(WindowState& state) {
  HWND window = state.window;
  // The search box is the edit part of a drop-down list of the remembered search texts.
  state.searchList = CreateWindowExA(
      0, "ComboBox", nullptr,
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0, 0,
      kSearchListHeight, window, ControlId(ids::kSearchBox), state.instance, nullptr);
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  if (state.searchList != nullptr && GetComboBoxInfo(state.searchList, &parts)) {
    state.searchBox = parts.hwndItem;
  }
  CreateButton(state, ui::kExtract, ids::kExtract);
  CreateButton(state, ui::kDelete, ids::kDelete);
  CreateButton(state, ui::kDeleteUpTo, ids::kDeleteUpTo);
  CreateButton(state, ui::kCountMatches, ids::kCountMatches);
  state.regexOption = CreateOption(state, ui::kRegexOption, ids::kRegexOption);
  state.ignoreCaseOption = CreateOption(state, ui::kIgnoreCaseOption, ids::kIgnoreCaseOption);
  const bool paneMade = state.pane.Create(window, state.instance);
  if (state.searchBox == nullptr || !paneMade) return -1;
  const UINT dpi = GetDpiForWindow(window);
  state.dpi = dpi != 0 ? static_cast<int>(dpi) : WindowLayout::kBaseDpi;
  LayOutRow(state);

  state.statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, nullptr, window, ids::kStatusBar);
  if (state.statusBar == nullptr) return -1;
  StartLiveCount(state);

  PrepareOpenDialog(state);
  return 0;
}

// WM_SIZE: the status bar lays itself out along the bottom edge, and the pane fills
// what lies between the button row and the status bar.
LRESULT OnSize(const WindowState& state, WPARAM sizeType, int width, int height) {
  // Wine's status bar lays itself out only for SIZE_RESTORED or SIZE_MAXIMIZED;
  // Windows' ignores wParam. Passing on the parent's size type works on both.
  SendMessageA(state.statusBar, WM_SIZE, sizeType, 0);
  // Part 0 holds the status texts, part 1 the live count at the right end.
  const int parts[] = {std::max(0, width - WindowLayout(state.dpi).LiveCountWidth()), -1};
  SendMessageA(state.statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  RECT bar{};
  GetWindowRect(state.statusBar, &bar);
  const int barHeight = static_cast<int>(bar.bottom - bar.top);
  // A client area lower than the button row and the status bar (a minimised window is
  // 0 x 0) leaves the pane no room rather than a negative height.
  const int top = WindowLayout(state.dpi).PaneTop();
  const int paneHeight = std::max(0, height - barHeight - top);
  SetWindowPos(state.pane.Handle(), nullptr, 0, top, width, paneHeight, SWP_NOZORDER);
  return 0;
}

// WM_GETMINMAXINFO: no smaller than kMinClientWidth by the button row, the status bar
// and kMinPaneHeight. Also sent before the controls exist.
void OnGetMinMaxInfo(const WindowState& state, MINMAXINFO* info) {
  RECT bar{};
  if (state.statusBar != nullptr) GetWindowRect(state.statusBar, &bar);
  const WindowLayout layout(state.dpi);
  RECT outer{0, 0, layout.MinClientWidth(),
             layout.PaneTop() + layout.MinPaneHeight() + (bar.bottom - bar.top)};
  AdjustWindowRectExForDpi(&outer, static_cast<DWORD>(GetWindowLongA(state.window, GWL_STYLE)),
                           GetMenu(state.window) != nullptr,
                           static_cast<DWORD>(GetWindowLongA(state.window, GWL_EXSTYLE)),
                           static_cast<UINT>(state.dpi));
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

// WM_DPICHANGED: the window moved to a screen of another scale, or the scale changed. The
// row is laid out afresh and the window takes the rectangle the system suggests, which lays
// out the pane through WM_SIZE.
LRESULT OnDpiChanged(WindowState& state, WPARAM wParam, LPARAM lParam) {
  state.dpi = LOWORD(wParam);
  LayOutRow(state);
  const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(state.window, nullptr, suggested->left, suggested->top,
               suggested->right - suggested->left, suggested->bottom - suggested->top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

LRESULT OnDestroy(WindowState& state) {
  SaveSettings(state);
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
  state->liveCount.reset();  // abandons a count under way and waits for its thread
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
    case WM_DPICHANGED:
      return OnDpiChanged(*state, wParam, lParam);
    case WM_DESTROY:
      return OnDestroy(*state);
    case WM_NCDESTROY:
      FreeState(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_CLOSE:
      OnClose(*state);  // may destroy the window and free the state
      return 0;
    case WM_COMMAND:
      if (state->pane.IsChangeNotice(wParam, lParam)) {
        OnPaneChanged(*state);
        return 0;
      }
      if (lParam != 0 && (reinterpret_cast<HWND>(lParam) == state->searchBox ||
                          reinterpret_cast<HWND>(lParam) == state->searchList)) {
        const int code = HIWORD(wParam);
        if (code == EN_CHANGE || code == CBN_EDITCHANGE) OnSearchChanged(*state);
        // A text picked from the list reaches the edit part after this notice: count then.
        if (code == CBN_SELCHANGE) PostMessageA(window, kSearchChangedMessage, 0, 0);
        return 0;
      }
      OnCommand(*state, LOWORD(wParam));  // may destroy the window and free the state
      return 0;
    case WM_CTLCOLORSTATIC:
      // The search options sit on the window's white background, not on a button face.
      if (reinterpret_cast<HWND>(lParam) == state->regexOption ||
          reinterpret_cast<HWND>(lParam) == state->ignoreCaseOption) {
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
      }
      return DefWindowProcA(window, message, wParam, lParam);
    case kSearchChangedMessage:
      OnSearchChanged(*state);
      return 0;
    case kLiveCountMessage:
      OnLiveCount(*state, wParam, lParam);
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

HWND StartMainWindow(HINSTANCE instance, const char* commandLine, int show,
                     const char* settingsPath) {
  auto state = std::make_unique<WindowState>();
  state->instance = instance;
  // The whole command line is one path: no quotes removed, no splitting at blanks.
  if (commandLine != nullptr) state->startupPath = commandLine;
  LoadSettings(*state, settingsPath);
  const WindowLayout layout(static_cast<int>(GetDpiForSystem()));
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = layout.WindowWidth();
  int height = layout.WindowHeight();
  RECT place{};
  if (RememberedPlace(*state, place)) {
    x = place.left;
    y = place.top;
    width = place.right - place.left;
    height = place.bottom - place.top;
  }

  UseConverter(*state, BindConverter());
  // Undo files of earlier runs that ended without removing theirs.
  HistorySpill::RemoveLeftovers();

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterMainWindowClass(instance)) return nullptr;

  // The window takes the state at WM_NCCREATE and frees it at WM_NCDESTROY, also when
  // its creation fails afterwards; before that, `state` still owns it.
  HWND window =
      CreateWindowExA(0, ui::kClassName, ui::kWindowTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                      width, height, nullptr, nullptr, instance, &state);
  if (window == nullptr) return nullptr;

  WindowState& made = *WindowState::Of(window);
  SetMenu(window, BuildMenuBar(made));
  ShowSettings(made);
  made.accelerators =
      CreateAcceleratorTableA(const_cast<ACCEL*>(kAccelerators), std::size(kAccelerators));
  ShowWindow(window, RememberedShow(made, show));
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
  if (to == state.searchList) SendMessageA(state.searchBox, EM_SETSEL, 0, -1);
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
        // An open list closes first, taking the text chosen in it.
        SendMessageA(state.searchList, CB_SHOWDROPDOWN, FALSE, 0);
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
