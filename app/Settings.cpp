// The remembered state: its lists, its INI text and its file.
#include "app/Settings.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "strings/FileLoad.h"
#include "strings/FileSave.h"
#include "text/Limits.h"

namespace {

// An integer of at most 9 digits with an optional minus sign, nothing around it.
std::optional<int> ParseInt(const std::string& value) {
  const size_t digits = value.size() - (value.size() > 0 && value[0] == '-' ? 1 : 0);
  if (digits == 0 || digits > 9) return std::nullopt;
  if (!std::all_of(value.end() - static_cast<std::ptrdiff_t>(digits), value.end(),
                   [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return std::atoi(value.c_str());
}

std::optional<bool> ParseBool(const std::string& value) {
  if (value == "0") return false;
  if (value == "1") return true;
  return std::nullopt;
}

// The items of `written` (newest first, as in the file) folded and bounded.
std::vector<std::string> Folded(const std::vector<std::string>& written, size_t limit) {
  std::vector<std::string> list;
  for (auto item = written.rbegin(); item != written.rend(); ++item) {
    Settings::Remember(list, *item, limit);
  }
  return list;
}

bool InBounds(int value, int low) { return value >= low && value <= Settings::kMaxCoordinate; }

}  // namespace

bool Settings::Remember(std::vector<std::string>& list, const std::string& item, size_t limit) {
  if (item.empty() || item.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
    return false;
  }
  Forget(list, item);
  list.insert(list.begin(), item);
  if (list.size() > limit) list.resize(limit);
  return true;
}

bool Settings::Forget(std::vector<std::string>& list, const std::string& item) {
  const auto at = std::find(list.begin(), list.end(), item);
  if (at == list.end()) return false;
  list.erase(at);
  return true;
}

Settings Settings::Parse(const std::string& text) {
  Settings settings;
  std::string section;
  std::vector<std::string> searches, recent;
  std::optional<int> left, top, width, height;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (section == "Window") {
      if (key == "Left") left = ParseInt(value);
      if (key == "Top") top = ParseInt(value);
      if (key == "Width") width = ParseInt(value);
      if (key == "Height") height = ParseInt(value);
      if (key == "Maximized") settings.place.maximized = ParseBool(value).value_or(false);
    } else if (section == "Search") {
      if (key == "Regex") settings.regex = ParseBool(value).value_or(false);
      if (key == "IgnoreCase") settings.ignoreCase = ParseBool(value).value_or(false);
      if (key.rfind("Text", 0) == 0) searches.push_back(value);
    } else if (section == "Files") {
      if (key == "LastFolder") settings.lastFolder = value;
      if (key.rfind("Recent", 0) == 0) recent.push_back(value);
    }
  }
  if (left && top && width && height && InBounds(*left, -kMaxCoordinate) &&
      InBounds(*top, -kMaxCoordinate) && InBounds(*width, kMinPlaceSize) &&
      InBounds(*height, kMinPlaceSize)) {
    settings.hasPlace = true;
    settings.place.left = *left;
    settings.place.top = *top;
    settings.place.width = *width;
    settings.place.height = *height;
  } else {
    settings.place = Place{};
  }
  settings.searches = Folded(searches, limits::kSearchHistoryItems);
  settings.recentFiles = Folded(recent, limits::kRecentFiles);
  return settings;
}

std::string Settings::Format() const {
  std::string text;
  auto line = [&text](const std::string& key, const std::string& value) {
    text += key + "=" + value + "\r\n";
  };
  auto flag = [](bool value) { return std::string(value ? "1" : "0"); };
  if (hasPlace) {
    text += "[Window]\r\n";
    line("Left", std::to_string(place.left));
    line("Top", std::to_string(place.top));
    line("Width", std::to_string(place.width));
    line("Height", std::to_string(place.height));
    line("Maximized", flag(place.maximized));
  }
  text += "[Search]\r\n";
  line("Regex", flag(regex));
  line("IgnoreCase", flag(ignoreCase));
  for (size_t i = 0; i < searches.size(); ++i) line("Text" + std::to_string(i + 1), searches[i]);
  text += "[Files]\r\n";
  if (!lastFolder.empty()) line("LastFolder", lastFolder);
  for (size_t i = 0; i < recentFiles.size(); ++i) {
    line("Recent" + std::to_string(i + 1), recentFiles[i]);
  }
  return text;
}

Settings Settings::Load(const std::string& path) {
  const FileLoad::Raw raw = FileLoad::ReadRaw(path.c_str(), limits::kSettingsFileBytes);
  if (raw.outcome != FileLoad::Outcome::kWhole || raw.more) {
    return Settings();
  }
  return Parse(std::string(raw.bytes.get(), raw.got));
}

bool Settings::Save(const std::string& path) const {
  std::error_code ignored;
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  const std::string text = Format();
  return FileSave::Write(path.c_str(), text.data(), text.size()) == FileSave::Outcome::kSaved;
}
