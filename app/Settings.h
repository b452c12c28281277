// What the window remembers from one run to the next, and the settings file that holds it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

/// The remembered state of the window: its place, the search texts and options, the open
/// dialog's folder and the recent files; and their text form, an INI file of code page 932
/// bytes. Portable: the window reads and writes it through the Win32 adapter WindowMemory.
///
/// Reading never fails: a missing, unreadable or garbage file, an unknown line or a value out
/// of bounds leaves the defaults (or the lists' other items) in place. Writing replaces the file
/// whole (FileSave), so a crash leaves the old file or the new one, never half of one.
class Settings {
 public:
  /// The window's outer rectangle when neither minimised nor maximised, in the screen's
  /// work-area coordinates, and whether it was maximised.
  struct Place {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
  };
  /// Width and height a remembered place must have at least, and any coordinate's bound: a
  /// value beyond is not a window the program made.
  static constexpr int kMinPlaceSize = 100;
  static constexpr int kMaxCoordinate = 100000;

  // ---- What is remembered -------------------------------------------------------------------
  /// Whether `place` holds a remembered place; false for a first run.
  bool hasPlace = false;
  Place place;
  /// Search texts, the newest first, no two equal, at most limits::kSearchHistoryItems.
  std::vector<std::string> searches;
  /// The two options of the search box, kept as they were last set.
  bool regex = false;
  bool ignoreCase = false;
  /// The folder the open dialog starts in; empty for the dialog's default.
  std::string lastFolder;
  /// Paths of files loaded, the newest first, no two equal, at most limits::kRecentFiles.
  std::vector<std::string> recentFiles;

  // ---- Lists --------------------------------------------------------------------------------
  /// Puts `item` first in `list`, removing an equal item further down and then the oldest
  /// items beyond `limit`. An item that is empty or holds a CR, LF or NUL byte (a settings
  /// line cannot hold it) changes nothing; false then.
  static bool Remember(std::vector<std::string>& list, const std::string& item, std::size_t limit);
  /// Removes `item` from `list`; false when it was not there.
  static bool Forget(std::vector<std::string>& list, const std::string& item);

  // ---- Text form ----------------------------------------------------------------------------
  /// The settings in `text`, an INI file as Format writes it. Lines are taken one by one
  /// (CR LF or LF); what is not a known key of its section with a value in bounds is
  /// skipped; the lists are folded and bounded as Remember does.
  static Settings Parse(const std::string& text);
  /// The INI text of these settings, CR LF line ends, sections [Window], [Search], [Files].
  std::string Format() const;

  // ---- The file -----------------------------------------------------------------------------
  /// The settings in the file at `path`; the defaults when it is missing, unreadable, a
  /// folder or larger than limits::kSettingsFileBytes.
  static Settings Load(const std::string& path);
  /// Writes Format() to `path` (FileSave), creating its folder when missing. False when it
  /// cannot be written (a read-only file or folder, no such drive); the file is then as it was.
  bool Save(const std::string& path) const;
};
