// Document: the current state, its steps, and loading and saving it.
#include "app/Document.h"

#include <cinttypes>
#include <cstdio>
#include <initializer_list>
#include <utility>

#include "app/UiText.h"
#include "filters/ShownTexts.h"
#include "strings/FileLoad.h"
#include "strings/FileSave.h"
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

Document::Document(std::size_t maxSteps, std::size_t maxBytes, std::size_t maxResident)
    : history_(maxSteps, maxBytes, maxResident) {
  current_.text = std::make_shared<const B2String1>();
}

std::string Document::Title() const {
  const std::string mark = Modified() ? ui::kTitleModified : "";
  if (current_.fileName.empty()) return mark + ui::kWindowTitle;
  return mark + current_.fileName + current_.titleNote + ui::kTitleSeparator + ui::kWindowTitle;
}

bool Document::Modified() const {
  const B2String1& text = *current_.text;
  if (current_.fileName.empty()) return text.Length() > 0;
  if (current_.fileName != savedName_ || savedText_ == nullptr) return true;
  return savedText_ != current_.text && !text.Equals(savedText_->Data(), savedText_->Length());
}

void Document::Replace(std::unique_ptr<B2String1> text, std::string status, Origin origin) {
  if (text == nullptr) text = std::make_unique<B2String1>();
  // A text equal to the current one shares its buffer, so reloading a file or a filter that
  // keeps every line adds no bytes to the history.
  if (text->Equals(current_.text->Data(), current_.text->Length())) {
    return Replace(current_.text, std::move(status), origin);
  }
  // A filter's output reserves for its worst case; the history should hold only the text.
  const int length = text->Length();
  if (text->Capacity() - length > length / 4 + 4096) text->Reserve(length);
  Replace(std::shared_ptr<const B2String1>(std::move(text)), std::move(status), origin);
}

void Document::Replace(std::shared_ptr<const B2String1> text, std::string status, Origin origin) {
  if (text == nullptr) text = std::make_shared<const B2String1>();
  DocumentHistory::State next{std::move(text), std::move(status), current_.fileName,
                              current_.titleNote};
  if (origin == Origin::kPasted) {
    next.fileName.clear();
    next.titleNote.clear();
  }
  if (origin != Origin::kCommand) unsavedWork_ = true;
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
  std::string note;
  if (load.outcome == FileLoad::Outcome::kCut) {
    message += load.fileSize < 0 ? Fill(ui::kLoadCutOpenEnded, {Grouped(length)})
                                 : Fill(ui::kLoadCut, {Grouped(load.fileSize), Grouped(length)});
    note = Fill(ui::kTitleCut, {Grouped(length)});
  } else if (load.outcome == FileLoad::Outcome::kEndedAtNul) {
    message += Fill(ui::kLoadEndedAtNul, {Grouped(length), Grouped(load.NotLoaded())});
  }
  // The file's history starts here: undo never goes back into another file.
  std::shared_ptr<const B2String1> text(std::move(load.text));
  current_ = DocumentHistory::State{text, message, name, note};
  history_.Clear();
  savedText_ = std::move(text);
  savedName_ = name;
  unsavedWork_ = false;
  return true;
}

bool Document::Save(const char* path, std::string& message) {
  const B2String1& text = Text();
  if (!SaveBytes(path, text.Data(), static_cast<std::size_t>(text.Length()), message)) {
    return false;
  }
  current_.fileName = NameOf(path);
  current_.titleNote.clear();
  savedText_ = current_.text;
  savedName_ = current_.fileName;
  unsavedWork_ = false;
  return true;
}

bool Document::SaveBytes(const char* path, const char* bytes, std::size_t size,
                         std::string& message) {
  const std::string name = NameOf(path == nullptr ? "" : path);
  switch (FileSave::Write(path, bytes, size)) {
    case FileSave::Outcome::kSaved:
      message = Fill(ui::kSaved, {name});
      return true;
    case FileSave::Outcome::kReadOnly:
      message = Fill(ui::kSaveReadOnly, {name});
      return false;
    case FileSave::Outcome::kFailed:
      break;
  }
  message = Fill(ui::kSaveFailed, {name});
  return false;
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
