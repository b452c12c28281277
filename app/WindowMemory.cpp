// The settings of the main window: read at start, shown in its controls, kept up to date as
// the user works and written at its end.
#include "app/WindowMemory.h"

#include <shlobj.h>

#include "app/CommandIds.h"
#include "app/UiText.h"
#include "app/WindowCommands.h"
#include "text/Limits.h"

namespace {

// Writes the settings file; one that cannot be written (read-only too) is left as it is.
void Write(const WindowState& state) {
  if (!state.settingsPath.empty()) state.settings.Save(state.settingsPath);
}

// The two options of the search box, as its check boxes say them.
void TakeOptions(const WindowState& state, Settings& settings) {
  const filters::MatchOptions options = SearchOptions(state);
  settings.regex = options.regex;
  settings.ignoreCase = options.ignoreCase;
}
void GiveOptions(WindowState& state, const Settings& settings) {
  filters::MatchOptions options;
  options.regex = settings.regex;
  options.ignoreCase = settings.ignoreCase;
  SetSearchOptions(state, options);
}

// The search box's list: the remembered texts, the newest first. The text being edited stays.
void ShowSearches(const WindowState& state) {
  HWND list = state.searchList;
  while (SendMessageA(list, CB_DELETESTRING, 0, 0) > 0) {
  }
  for (const std::string& text : state.settings.searches) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

// The recent-files menu: "&1 path" and on, each '&' of a path doubled so it shows as itself;
// one grayed item while there is none.
void ShowRecentFiles(const WindowState& state) {
  HMENU menu = state.recentMenu;
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
  const std::vector<std::string>& files = state.settings.recentFiles;
  if (files.empty()) AppendMenuA(menu, MF_STRING | MF_GRAYED, ids::kRecentFile, ui::kRecentNone);
  for (size_t i = 0; i < files.size(); ++i) {
    std::string text = "&" + std::to_string(i + 1) + " ";
    for (char c : files[i]) text += c == '&' ? std::string("&&") : std::string(1, c);
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(ids::kRecentFile + i), text.c_str());
  }
}

void ShowLastFolder(WindowState& state) {
  const std::string& folder = state.settings.lastFolder;
  state.openDialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
}

// The window's normal (restored) rectangle in screen coordinates. The placement gives it in
// work-area coordinates, which differ where a task bar lies at the top or left.
RECT NormalRect(HWND window, WINDOWPLACEMENT& placement) {
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  RECT rect = placement.rcNormalPosition;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
  }
  return rect;
}

}  // namespace

std::string DefaultSettingsPath() {
  char folder[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) {
    return std::string();
  }
  return std::string(folder) + "\\Linsift\\linsift.ini";
}

void LoadSettings(WindowState& state, const char* path) {
  state.settingsPath = path != nullptr ? path : "";
  if (!state.settingsPath.empty()) state.settings = Settings::Load(state.settingsPath);
}

bool RememberedPlace(const WindowState& state, RECT& place) {
  const Settings& settings = state.settings;
  if (!settings.hasPlace) return false;
  const Settings::Place& p = settings.place;
  const RECT rect{p.left, p.top, p.left + p.width, p.top + p.height};
  // The caption must lie on a screen, or the user could not reach the window to move it.
  const RECT caption{rect.left, rect.top, rect.right, rect.top + GetSystemMetrics(SM_CYCAPTION)};
  if (MonitorFromRect(&caption, MONITOR_DEFAULTTONULL) == nullptr) return false;
  place = rect;
  return true;
}

int RememberedShow(const WindowState& state, int show) {
  const bool plain = show == SW_SHOWNORMAL || show == SW_SHOWDEFAULT || show == SW_SHOW;
  const bool maximized = state.settings.hasPlace && state.settings.place.maximized;
  return maximized && plain ? SW_SHOWMAXIMIZED : show;
}

void ShowSettings(WindowState& state) {
  ShowSearches(state);
  ShowRecentFiles(state);
  ShowLastFolder(state);
  GiveOptions(state, state.settings);
}

void RememberSearch(WindowState& state, const std::string& text) {
  if (!Settings::Remember(state.settings.searches, text, limits::kSearchHistoryItems)) return;
  ShowSearches(state);
  Write(state);
}

void RememberFile(WindowState& state, const std::string& path) {
  char full[MAX_PATH] = {};
  char* name = nullptr;
  const DWORD size = GetFullPathNameA(path.c_str(), sizeof full, full, &name);
  if (size == 0 || size >= sizeof full) return;
  Settings& settings = state.settings;
  if (!Settings::Remember(settings.recentFiles, full, limits::kRecentFiles)) return;
  // GetFullPathNameA finds the name's start, so a 0x5C trail byte is never taken for a '\'.
  if (name != nullptr && name > full) settings.lastFolder.assign(full, name);
  ShowRecentFiles(state);
  ShowLastFolder(state);
  Write(state);
}

void ForgetFile(WindowState& state, const std::string& path) {
  if (!Settings::Forget(state.settings.recentFiles, path)) return;
  ShowRecentFiles(state);
  Write(state);
}

void SaveSettings(WindowState& state) {
  if (state.settingsPath.empty()) return;
  if (IsWindow(state.window)) {
    WINDOWPLACEMENT placement{};
    const RECT rect = NormalRect(state.window, placement);
    Settings::Place& place = state.settings.place;
    place.left = static_cast<int>(rect.left);
    place.top = static_cast<int>(rect.top);
    place.width = static_cast<int>(rect.right - rect.left);
    place.height = static_cast<int>(rect.bottom - rect.top);
    place.maximized = IsIconic(state.window) ? (placement.flags & WPF_RESTORETOMAXIMIZED) != 0
                                             : IsZoomed(state.window) != 0;
    state.settings.hasPlace = true;
  }
  TakeOptions(state, state.settings);
  Write(state);
}
