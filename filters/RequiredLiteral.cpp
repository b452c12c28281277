// A left-to-right walk over the top level of the expression, keeping the longest run of
// characters that are neither optional nor repeated away.
#include "filters/RequiredLiteral.h"

#include <cctype>

#include "text/ShiftJis.h"

namespace {

bool IsAsciiAlnum(unsigned char c) { return c < 0x80 && std::isalnum(c) != 0; }

class Walk {
 public:
  Walk(const char* pattern, size_t size)
      : p_(reinterpret_cast<const unsigned char*>(pattern)), end_(p_ + size) {}

  std::string Run() {
    while (p_ < end_) {
      const unsigned char c = *p_;
      if (c == '|' || c == ')') return {};  // an alternative, or an unbalanced group
      if (c == '(') {
        if (!SkipGroup()) return {};
      } else if (c == '[') {
        EndRun();
        if (!SkipClass()) return Best();
      } else if (c == '*' || c == '?' || c == '{') {
        DropLast();
        ++p_;
        if (c == '{') SkipInterval();
      } else if (c == '+') {
        // One or more: required, unless another quantifier follows (b+* may be empty).
        ++p_;
        if (p_ < end_ && (*p_ == '*' || *p_ == '?' || *p_ == '+' || *p_ == '{')) {
          DropLast();
        } else {
          EndRun();
        }
      } else if (c == '.' || c == '^' || c == '$') {
        EndRun();
        ++p_;
      } else if (c == '\\') {
        Escape();
      } else {
        Add(CharSize(p_));
      }
    }
    return Best();
  }

 private:
  // The size of the character at p: Oniguruma reads a Shift_JIS lead byte with the next byte.
  size_t CharSize(const unsigned char* p) const {
    return text::IsShiftJisLead(*p) && end_ - p >= 2 ? 2 : 1;
  }

  void Add(size_t size) {
    run_.append(reinterpret_cast<const char*>(p_), size);
    lastSize_ = size;
    p_ += size;
  }
  void EndRun() {
    if (run_.size() > best_.size()) best_ = run_;
    run_.clear();
    lastSize_ = 0;
  }
  // A quantifier that may repeat the last character zero times: it is not required, and what
  // follows is not next to what came before.
  void DropLast() {
    run_.resize(run_.size() - lastSize_);
    EndRun();
  }
  std::string Best() {
    EndRun();
    return best_;
  }

  // {n}, {n,}, {,m}, {n,m}: skipped when it is one; a lone '{' is a plain character that ended
  // the run all the same.
  void SkipInterval() {
    const unsigned char* q = p_;
    while (q < end_ && (std::isdigit(*q) != 0 || *q == ',')) ++q;
    if (q < end_ && *q == '}') p_ = q + 1;
  }

  // An escape: punctuation and multibyte characters stand for themselves; a letter or digit
  // names something else, with its arguments ({...}, <...>, hex or octal digits, -x).
  void Escape() {
    ++p_;
    if (p_ >= end_) return;
    if (!IsAsciiAlnum(*p_)) {
      Add(CharSize(p_));
      return;
    }
    EndRun();
    const unsigned char letter = *p_++;
    if (p_ >= end_) return;
    if (*p_ == '{') {
      while (p_ < end_ && *p_ != '}') ++p_;
      if (p_ < end_) ++p_;
    } else if ((letter == 'k' || letter == 'g') && (*p_ == '<' || *p_ == '\'')) {
      const unsigned char close = *p_ == '<' ? '>' : '\'';
      while (p_ < end_ && *p_ != close) ++p_;
      if (p_ < end_) ++p_;
    } else if (letter == 'x' || letter == 'u' || std::isdigit(letter) != 0) {
      while (p_ < end_ && std::isxdigit(*p_) != 0) ++p_;
    } else if (letter == 'c') {
      p_ += CharSize(p_);
    } else if ((letter == 'C' || letter == 'M') && *p_ == '-') {
      ++p_;
      if (p_ < end_ && *p_ == '\\') {
        Escape();
        EndRun();
      } else if (p_ < end_) {
        p_ += CharSize(p_);
      }
    }
  }

  // A group and its quantifier: never part of a run. An option group ((?i), (?x:...), (?-m))
  // may change how the rest reads: false then.
  bool SkipGroup() {
    EndRun();
    int depth = 0;
    while (p_ < end_) {
      const unsigned char c = *p_;
      if (c == '\\') {
        ++p_;
        if (p_ < end_) p_ += CharSize(p_);
      } else if (c == '[') {
        if (!SkipClass()) return false;
      } else if (c == '(') {
        if (end_ - p_ >= 3 && p_[1] == '?' &&
            (std::isalpha(p_[2]) != 0 || p_[2] == '-' || p_[2] == '^')) {
          return false;
        }
        ++depth;
        ++p_;
      } else if (c == ')') {
        ++p_;
        if (--depth == 0) return true;
      } else {
        p_ += CharSize(p_);
      }
    }
    return false;
  }

  // A character class, nested ones and escapes included; false when it does not end.
  bool SkipClass() {
    int depth = 0;
    while (p_ < end_) {
      const unsigned char c = *p_;
      if (c == '\\') {
        ++p_;
        if (p_ < end_) p_ += CharSize(p_);
      } else if (c == '[') {
        ++depth;
        ++p_;
        if (p_ < end_ && *p_ == '^') ++p_;
        if (p_ < end_ && *p_ == ']') ++p_;  // a ']' first is a plain character
      } else if (c == ']') {
        ++p_;
        if (--depth == 0) return true;
      } else {
        p_ += CharSize(p_);
      }
    }
    return false;
  }

  const unsigned char* p_;
  const unsigned char* end_;
  std::string run_;
  std::string best_;
  size_t lastSize_ = 0;
};

}  // namespace

std::string RequiredLiteral::Of(const char* pattern, size_t size) {
  return Walk(pattern, size).Run();
}
