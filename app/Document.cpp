// Document: the current state, its steps, and loading and saving it.
#include "app/Document.h"

#include <cinttypes>
#include <cstdio>
#include <initializer_list>
#include <utility>

#include "app/FileSave.h"
#include "app/UiText.h"
#include "filters/ShownTexts.h"
#include "strings/FileLoad.h"
#include "text/ShiftJis.h"

namespace {

// format with each "%s" replaced, in order, by the next of args (a "%s" without one stays).
std::string Fill(const char* format, std::initializer_list<std::string> args) {
  std::string out;
  auto arg = args.begin();
  for (const char* p = format; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] == 's' && arg != args.end()) {
      out += *arg++;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

// n in decimal with a comma every three digits: 40,000,000.
std::string Grouped(std::int64_t n) {
  char digits[32];
  const int length = std::snprintf(digits, sizeof digits, "%" PRId64, n);
  std::string out;
  for (int i = 0; i < length; ++i) {
    out += digits[i];
    const int left = length - 1 - i;
    if (left > 0 && left % 3 == 0 && digits[i] != '-') out += ',';
  }
  return out;
}

}  // namespace

Document::Document(std::size_t maxSteps, std::size_t maxBytes) : history_(maxSteps, maxBytes) {
  current_.text = std::make_shared<const B2String1>();
}

std::string Document::Title() const {
  if (current_.fileName.empty()) return ui::kWindowTitle;
  return current_.fileName + ui::kTitleSeparator + ui::kWindowTitle;
}

void Document::Replace(std::unique_ptr<B2String1> text, std::string status) {
  if (text == nullptr) text = std::make_unique<B2String1>();
  // A text equal to the current one shares its buffer, so reloading a file or a filter that
  // keeps every line adds no bytes to the history.
  if (text->Equals(current_.text->Data(), current_.text->Length())) {
    return Replace(current_.text, std::move(status));
  }
  // A filter's output reserves for its worst case; the history should hold only the text.
  const int length = text->Length();
  if (text->Capacity() - length > length / 4 + 4096) text->Reserve(length);
  Replace(std::shared_ptr<const B2String1>(std::move(text)), std::move(status));
}

void Document::Replace(std::shared_ptr<const B2String1> text, std::string status) {
  if (text == nullptr) text = std::make_shared<const B2String1>();
  DocumentHistory::State next{std::move(text), std::move(status), current_.fileName};
  history_.Record(std::exchange(current_, std::move(next)));
}

bool Document::Undo() { return history_.Undo(current_); }

bool Document::Redo() { return history_.Redo(current_); }

bool Document::Load(const char* path, std::string& message) {
  const std::string name = NameOf(path == nullptr ? "" : path);
  FileLoad load = FileLoad::Read(path);
  switch (load.outcome) {
    case FileLoad::Outcome::kMissing:
      message = Fill(ui::kLoadMissing, {name});
      return false;
    case FileLoad::Outcome::kFolder:
      message = Fill(ui::kLoadFolder, {name});
      return false;
    case FileLoad::Outcome::kUnreadable:
      message = Fill(ui::kLoadUnreadable, {name});
      return false;
    case FileLoad::Outcome::kTooLarge:
      message = Fill(ui::kLoadTooLarge, {name});
      return false;
    case FileLoad::Outcome::kWhole:
    case FileLoad::Outcome::kCut:
    case FileLoad::Outcome::kEndedAtNul:
      break;
  }
  const int length = load.text->Length();
  message = LineCount(*load.text);
  if (load.outcome == FileLoad::Outcome::kCut) {
    message += Fill(ui::kLoadCut, {Grouped(load.fileSize), Grouped(length)});
  } else if (load.outcome == FileLoad::Outcome::kEndedAtNul) {
    message += Fill(ui::kLoadEndedAtNul, {Grouped(length), Grouped(load.NotLoaded())});
  }
  Replace(std::move(load.text), message);
  current_.fileName = name;
  return true;
}

bool Document::Save(const char* path, std::string& message) {
  const std::string name = NameOf(path == nullptr ? "" : path);
  const B2String1& text = Text();
  if (!FileSave::Write(path, text.Data(), static_cast<std::size_t>(text.Length()))) {
    message = Fill(ui::kSaveFailed, {name});
    return false;
  }
  message = Fill(ui::kSaved, {name});
  current_.fileName = name;
  return true;
}

std::string Document::LineCount(const B2String1& text) {
  return filters::ShownTexts::Lines(text.CountOf("\n") + 1);
}

std::string Document::NameOf(const char* path) {
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p) {
    const unsigned char b = static_cast<unsigned char>(*p);
    if (text::IsShiftJisLead(b) && p[1] != '\0') {
      ++p;  // a double-byte character: its trail byte separates nothing
    } else if (b == '\\' || b == '/' || b == ':') {
      name = p + 1;
    }
  }
  return name;
}
