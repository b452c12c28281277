// A slow reference model of B2String1, written straight from the rules position by position,
// and a driver that runs one operation sequence on the model and on the real string side by
// side. Shared by the property test and the fuzzer so both drive the same sequences.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "strings/B2String1.h"
#include "strings/B2StringVector.h"
#include "tests/support/EscapedBytes.h"

namespace stringmodel {

/// The first (or, with last, the last) start of needle in hay by trying every position;
/// -1 when there is none or needle is empty.
inline long Naive(const std::string& hay, const std::string& needle, bool last) {
  if (needle.empty() || needle.size() > hay.size()) return -1;
  long found = -1;
  for (size_t p = 0; p + needle.size() <= hay.size(); p++) {
    if (hay.compare(p, needle.size(), needle) == 0) {
      found = static_cast<long>(p);
      if (!last) return found;
    }
  }
  return found;
}

constexpr int kMin = 32;
constexpr int kMax = 40000000;

// Measures a C text the plain way: up to the first NUL, at most kMax bytes.
inline int Measure(const char* t) {
  int n = 0;
  while (n < kMax && t[n] != '\0') n++;
  return n;
}

struct Model {
  std::string s;  // the content; s.size() is the length
  int cap = kMin;

  int Len() const { return static_cast<int>(s.size()); }

  bool Reserve(int n) {
    if (n > kMax || n < 0) return false;
    if (n < kMin) n = kMin;
    if (Len() <= 0) {
      cap = n;
      return true;
    }
    int newCap = n;
    if (n > cap) newCap = (n < 2 * cap && 2 * cap < kMax) ? 2 * cap : n;
    if (n <= Len()) s.resize(static_cast<size_t>(n));
    cap = newCap;
    return true;
  }
  void Reset() {
    Reserve(kMin);
    s.clear();
  }
  bool WriteAt(int pos, const char* b, int count) {
    if (!b || pos < 0 || pos >= kMax - 1 || count < 1) return false;
    std::string src(b, static_cast<size_t>(count < kMax ? count : kMax));
    if (pos + count > kMax) count = kMax - pos;
    if (pos + count > cap && !Reserve(pos + count)) return false;
    s.resize(static_cast<size_t>(pos), '\0');
    s.append(src, 0, static_cast<size_t>(count));
    return true;
  }
  bool Set(const char* b, int count) { return WriteAt(0, b, count); }
  bool SetText(const char* t) {
    if (!t || Measure(t) == 0) return false;
    return Set(t, Measure(t));
  }
  bool Append(const char* b, int count) { return WriteAt(Len(), b, count); }
  bool AppendText(const char* t) {
    if (!t || Measure(t) == 0) return false;
    return Append(t, Measure(t));
  }
  bool Equals(const char* b, int count) const {
    if (!b) return false;
    if (count == 0) return Len() == 0;
    if (count != Len()) return false;
    for (int i = 0; i < count; i++) {
      if (s[static_cast<size_t>(i)] != b[i]) return false;
    }
    return true;
  }
  signed char CharAt(int pos) const {
    if (pos < 0 || pos >= Len()) return 0;
    return static_cast<signed char>(s[static_cast<size_t>(pos)]);
  }
  int IndexOfByte(int from, char c) const {
    if (from < 0 || from >= Len()) return -1;
    for (int p = from; p < Len(); p++) {
      if (s[static_cast<size_t>(p)] == c) return p;
    }
    return -1;
  }
  int IndexOf(int from, const char* b, int count) const {
    if (!b || from < 0 || from >= Len() || count < 1 || count > Len() || from > Len() - count) {
      return -1;
    }
    for (int p = from; p <= Len() - count; p++) {
      int i = 0;
      while (i < count && s[static_cast<size_t>(p + i)] == b[i]) i++;
      if (i == count) return p;
    }
    return -1;
  }
  int CountOf(const char* b, int count) const {
    int n = 0;
    for (int p = IndexOf(0, b, count); p >= 0; p = IndexOf(p + count, b, count)) n++;
    return n;
  }
  int LastIndexOf(const char* b, int count) const {
    if (!b || Len() < count) return -1;
    for (int p = Len() - count; p >= 0; p--) {
      if (IndexOf(p, b, count) == p) return p;
    }
    return -1;
  }
  bool Contains(const char* t) const {
    if (!t) return false;
    return std::strstr(s.c_str(), t) != nullptr;
  }
  int ReplaceAll(const char* f, int fc, const char* t, int tc) {
    if (!f || !t) return 0;
    Model w;
    w.Reserve(Len());
    int n = 0, from = 0;
    for (int p = IndexOf(0, f, fc); p >= 0; p = IndexOf(from, f, fc)) {
      if (p > from) w.Append(s.data() + from, p - from);
      if (tc >= 1) w.Append(t, tc);
      n++;
      from = p + fc;
    }
    if (from < Len()) w.Append(s.data() + from, Len() - from);
    if (n == 0) return 0;
    if (w.Len() == 0) {
      s.clear();  // every byte was an occurrence and the replacement is empty
    } else {
      Set(w.s.data(), w.Len());
    }
    return n;
  }
  bool Remove(int pos, int count) {
    if (pos < 0 || pos >= Len() || count < 1) return false;
    if (static_cast<int64_t>(pos) + count >= Len()) {
      Reserve(pos);
      s.resize(static_cast<size_t>(pos));
      return true;
    }
    std::string tmp =
        s.substr(0, static_cast<size_t>(pos)) + s.substr(static_cast<size_t>(pos + count));
    Reserve(Len() - count);
    s = tmp;
    return true;
  }
  bool RemoveAt(int pos) {
    if (pos < 0 || pos >= Len()) return false;
    if (pos == 0 && Len() == 1) {
      Reset();
      return true;
    }
    std::string tmp = s;
    tmp.erase(static_cast<size_t>(pos), 1);
    Set(tmp.data(), static_cast<int>(tmp.size()));
    return true;
  }
  int TrimLeft(char c) {
    int n = 0;
    while (Len() > 0 && s[0] == c) {
      RemoveAt(0);
      n++;
    }
    return n;
  }
  static int Hex(char c) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b >= '0' && b <= '9') return b - '0';
    if (b >= 'a' && b <= 'f') return b - 'a' + 10;
    if (b >= 'A' && b <= 'F') return b - 'A' + 10;
    return -1;
  }
  signed char UrlDecode() {
    if (Len() < 3 && IndexOfByte(0, '%') < 0) return -1;
    std::string out;
    int p = 0;
    bool segment = false;  // inside ESC $ … / ESC ( I, up to ESC ( B or ESC ( J: no escapes
    do {
      if (CharAt(p) == 0x1b && p + 2 < Len()) {
        const char set = static_cast<char>(CharAt(p + 1));
        const char last = static_cast<char>(CharAt(p + 2));
        if (set == '$' || (set == '(' && last == 'I')) segment = true;
        if (set == '(' && (last == 'B' || last == 'J')) segment = false;
      }
      if (!segment && CharAt(p) == '%' && p + 2 < Len() &&
          Hex(static_cast<char>(CharAt(p + 1))) >= 0 &&
          Hex(static_cast<char>(CharAt(p + 2))) >= 0) {
        out += static_cast<char>(Hex(static_cast<char>(CharAt(p + 1))) * 16 +
                                 Hex(static_cast<char>(CharAt(p + 2))));
        p += 3;
      } else {
        out += static_cast<char>(CharAt(p));
        p += 1;
      }
    } while (p < Len());
    return static_cast<signed char>(Set(out.data(), static_cast<int>(out.size())));
  }
  // Split: the pieces, or an empty optional-like flag for a null result.
  bool Split(const char* sep, int n, std::vector<std::string>* pieces) const {
    pieces->clear();
    if (!sep || n < 1 || n > Len()) return false;
    int start = 0;
    for (int p = IndexOf(0, sep, n); p >= 0; p = IndexOf(start, sep, n)) {
      pieces->push_back(s.substr(static_cast<size_t>(start), static_cast<size_t>(p - start)));
      start = p + n;
    }
    pieces->push_back(s.substr(static_cast<size_t>(start)));
    return true;
  }
  void SplitByte(char c, std::vector<std::string>* pieces) const {
    pieces->clear();
    int start = 0;
    for (int p = IndexOfByte(0, c); p >= 0; p = IndexOfByte(start, c)) {
      pieces->push_back(s.substr(static_cast<size_t>(start), static_cast<size_t>(p - start)));
      start = p + 1;
    }
    pieces->push_back(s.substr(static_cast<size_t>(start)));
  }
};

// Capacity a list reaches after adding n items one at a time to a fresh list.
inline int ListCapacityFor(int n) {
  int cap = 32;
  while (cap < n) cap = cap > B2StringVector::kMaxItems / 2 ? B2StringVector::kMaxItems : 2 * cap;
  return cap;
}

// Reads operation codes and arguments from a byte stream (fuzz input or random bytes).
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool More() const { return pos_ < size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // A small signed number around the interesting range -2..69.
  int Small() { return static_cast<int>(Byte() % 72) - 2; }
  // A content byte from a small alphabet, so patterns hit often; includes NUL, 0x95 0x5C
  // (the second byte of 表 is '\'), '%' and hex digits for decoding, CR and LF.
  char Alpha() {
    static const char kAlphabet[] = {'a',    'b',    'a',  '%',  '4', '1', 'e',    '\0',
                                     '\x95', '\x5C', '\r', '\n', ' ', 'F', '\xE3', 'a'};
    return kAlphabet[Byte() % sizeof(kAlphabet)];
  }
  std::string Run(int maxLen) {
    int n = Byte() % (maxLen + 1);
    std::string r;
    for (int i = 0; i < n; i++) r += Alpha();
    return r;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

inline std::string Show(const std::string& bytes) { return testsupport::Escaped(bytes); }

// Runs the operation sequence in the stream on a B2String1 and on the model, comparing every
// result and the content, length and capacity after each step. Gives "" when all agree, or a
// description of the first difference.
inline std::string RunSequence(const uint8_t* data, size_t size) {
  Reader in(data, size);
  B2String1 real;
  Model model;
  std::string log;
  int step = 0;
  auto fail = [&](const std::string& what) {
    return "step " + std::to_string(step) + " " + what + "\n  model \"" + Show(model.s) +
           "\" cap " + std::to_string(model.cap) + "\n  real  \"" +
           Show(std::string(real.Data(), static_cast<size_t>(real.Length()))) + "\" cap " +
           std::to_string(real.Capacity()) + "\n  log: " + log;
  };
#define MODEL_CHECK(expr_real, expr_model, name)                                   \
  do {                                                                             \
    auto r_ = (expr_real);                                                         \
    auto m_ = (expr_model);                                                        \
    if (r_ != m_) {                                                                \
      return fail(std::string(name) + ": real " + std::to_string(r_) + " model " + \
                  std::to_string(m_));                                             \
    }                                                                              \
  } while (0)

  while (in.More() && step < 200) {
    step++;
    // Pattern source: a fresh run, or a piece of the current content so that searches hit.
    auto pattern = [&](int maxLen) {
      if (in.Byte() % 2 == 0 || model.Len() == 0) return in.Run(maxLen);
      int a = in.Byte() % model.Len();
      int n = 1 + in.Byte() % 4;
      return model.s.substr(static_cast<size_t>(a), static_cast<size_t>(n));
    };
    // Appending the string to itself or growing replacements would soon reach megabytes,
    // where the slow model dominates; cut long contents back (which tests Remove as well).
    if (model.Len() > 3000) {
      MODEL_CHECK(real.Remove(1000, 1 << 30), model.Remove(1000, 1 << 30), "Remove(cut back)");
    }
    const uint8_t op = in.Byte() % 24;
    log += std::to_string(op) + " ";
    switch (op) {
      case 0: {
        std::string b = in.Run(80);
        int count = static_cast<int>(b.size()) + (in.Byte() % 4 == 0 ? -1 : 0);
        MODEL_CHECK(real.Set(b.data(), count), model.Set(b.data(), count), "Set(run)");
        break;
      }
      case 1: {
        std::string t = in.Run(50);
        MODEL_CHECK(real.Set(t.c_str()), model.SetText(t.c_str()), "Set(text)");
        break;
      }
      case 2: {
        std::string t = in.Run(40);
        B2String1 other(t.data(), static_cast<int>(t.size()));
        MODEL_CHECK(real.Set(other), model.Set(t.data(), static_cast<int>(t.size())),
                    "Set(string)");
        break;
      }
      case 3: {
        char c = in.Alpha();
        MODEL_CHECK(real.Append(c), model.Append(&c, 1), "Append(c)");
        break;
      }
      case 4: {
        std::string t = in.Run(40);
        MODEL_CHECK(real.Append(t.c_str()), model.AppendText(t.c_str()), "Append(text)");
        break;
      }
      case 5: {
        std::string b = in.Run(70);
        int count = static_cast<int>(b.size());
        MODEL_CHECK(real.Append(b.data(), count), model.Append(b.data(), count), "Append(run)");
        break;
      }
      case 6: {
        std::string self = model.s;
        MODEL_CHECK(real.Append(static_cast<const B2String&>(real)),
                    model.Append(self.data(), static_cast<int>(self.size())), "Append(self)");
        break;
      }
      case 7: {
        int pos = in.Small();
        std::string b = in.Run(40);
        MODEL_CHECK(real.WriteAt(pos, b.data(), static_cast<int>(b.size())),
                    model.WriteAt(pos, b.data(), static_cast<int>(b.size())), "WriteAt");
        break;
      }
      case 8: {
        // Source inside the string's own buffer.
        if (model.Len() == 0) break;
        int a = in.Byte() % model.Len();
        int n = 1 + in.Byte() % (model.Len() - a);
        int pos = in.Small();
        std::string src = model.s.substr(static_cast<size_t>(a), static_cast<size_t>(n));
        MODEL_CHECK(real.WriteAt(pos, real.Data() + a, n), model.WriteAt(pos, src.data(), n),
                    "WriteAt(own bytes)");
        break;
      }
      case 9: {
        int pos = in.Small();
        char c = in.Alpha();
        bool m = pos >= 0 && pos < model.Len();
        if (m) model.s[static_cast<size_t>(pos)] = c;
        MODEL_CHECK(real.SetCharAt(pos, c), m, "SetCharAt");
        break;
      }
      case 10: {
        int pos = in.Small();
        int count = in.Small();
        if (in.Byte() % 8 == 0) count = 2147483647;
        MODEL_CHECK(real.Remove(pos, count), model.Remove(pos, count), "Remove");
        break;
      }
      case 11: {
        int pos = in.Small() % 8;
        MODEL_CHECK(real.RemoveAt(pos), model.RemoveAt(pos), "RemoveAt");
        break;
      }
      case 12: {
        char c = in.Alpha();
        MODEL_CHECK(real.TrimLeft(c), model.TrimLeft(c), "TrimLeft");
        break;
      }
      case 13: {
        std::string f = pattern(3);
        std::string t = in.Run(5);
        int fc = static_cast<int>(f.size()), tc = static_cast<int>(t.size());
        MODEL_CHECK(real.ReplaceAll(f.data(), fc, t.data(), tc),
                    model.ReplaceAll(f.data(), fc, t.data(), tc), "ReplaceAll(run)");
        break;
      }
      case 14: {
        std::string f = pattern(3);
        std::string t = in.Run(4);
        bool nullFrom = in.Byte() % 16 == 0;
        const char* fp = nullFrom ? nullptr : f.c_str();
        int fc = nullFrom ? 0 : Measure(f.c_str());
        MODEL_CHECK(real.ReplaceAll(fp, t.c_str()),
                    model.ReplaceAll(fp, fc, t.c_str(), Measure(t.c_str())), "ReplaceAll(text)");
        break;
      }
      case 15:
        MODEL_CHECK(real.UrlDecode(), model.UrlDecode(), "UrlDecode");
        break;
      case 16: {
        int n = in.Small() * (in.Byte() % 4 == 0 ? 3 : 1);
        MODEL_CHECK(real.Reserve(n), model.Reserve(n), "Reserve");
        break;
      }
      case 17:
        real.Reset();
        model.Reset();
        break;
      case 18: {
        std::string p = pattern(4);
        int pc = static_cast<int>(p.size());
        int from = in.Small();
        char c = in.Alpha();
        MODEL_CHECK(real.IndexOf(c), model.IndexOfByte(0, c), "IndexOf(c)");
        MODEL_CHECK(real.IndexOf(from, c), model.IndexOfByte(from, c), "IndexOf(from, c)");
        MODEL_CHECK(real.IndexOf(p.data(), pc), model.IndexOf(0, p.data(), pc), "IndexOf(run)");
        MODEL_CHECK(real.IndexOf(from, p.data(), pc), model.IndexOf(from, p.data(), pc),
                    "IndexOf(from, run)");
        MODEL_CHECK(real.IndexOf(p.c_str()), model.IndexOf(0, p.c_str(), Measure(p.c_str())),
                    "IndexOf(text)");
        MODEL_CHECK(real.CountOf(p.data(), pc), model.CountOf(p.data(), pc), "CountOf(run)");
        MODEL_CHECK(real.CountOf(p.c_str()), model.CountOf(p.c_str(), Measure(p.c_str())),
                    "CountOf(text)");
        MODEL_CHECK(real.LastIndexOf(p.data(), pc), model.LastIndexOf(p.data(), pc),
                    "LastIndexOf(run)");
        MODEL_CHECK(real.LastIndexOf(p.c_str()), model.LastIndexOf(p.c_str(), Measure(p.c_str())),
                    "LastIndexOf(text)");
        MODEL_CHECK(real.Contains(p.c_str()), model.Contains(p.c_str()), "Contains");
        MODEL_CHECK(real.Equals(p.data(), pc), model.Equals(p.data(), pc), "Equals(run)");
        MODEL_CHECK(real.Equals(p.c_str()), model.Equals(p.c_str(), Measure(p.c_str())),
                    "Equals(text)");
        MODEL_CHECK(real.CharAt(from), model.CharAt(from), "CharAt");
        MODEL_CHECK(real.ByteAt(from), static_cast<unsigned char>(model.CharAt(from)), "ByteAt");
        break;
      }
      case 19: {
        char c = in.Alpha();
        std::unique_ptr<B2StringVector> list(real.Split(c));
        std::vector<std::string> pieces;
        model.SplitByte(c, &pieces);
        if (!list) return fail("Split(c) gave null");
        MODEL_CHECK(list->Count(), static_cast<int>(pieces.size()), "Split(c) count");
        MODEL_CHECK(list->Capacity(), ListCapacityFor(list->Count()), "Split(c) list capacity");
        for (int i = 0; i < list->Count(); i++) {
          const std::string& m = pieces[static_cast<size_t>(i)];
          if (!list->Get(i)->Equals(m.data(), static_cast<int>(m.size()))) {
            return fail("Split(c) piece " + std::to_string(i) + " \"" + Show(m) + "\"");
          }
          MODEL_CHECK(list->Get(i)->Capacity(), std::max(32, static_cast<int>(m.size())),
                      "Split(c) piece capacity");
        }
        break;
      }
      case 20: {
        std::string sep = pattern(3);
        int n = static_cast<int>(sep.size());
        std::unique_ptr<B2StringVector> list(real.Split(sep.data(), n));
        std::vector<std::string> pieces;
        bool made = model.Split(sep.data(), n, &pieces);
        MODEL_CHECK(list != nullptr, made, "Split(run) made a list");
        if (!list) break;
        MODEL_CHECK(list->Count(), static_cast<int>(pieces.size()), "Split(run) count");
        for (int i = 0; i < list->Count(); i++) {
          const std::string& m = pieces[static_cast<size_t>(i)];
          if (!list->Get(i)->Equals(m.data(), static_cast<int>(m.size()))) {
            return fail("Split(run) piece " + std::to_string(i) + " \"" + Show(m) + "\"");
          }
        }
        break;
      }
      case 21: {
        const char* c = real.CStr();
        if (!c || std::memcmp(c, model.s.c_str(), model.s.size() + 1) != 0) {
          return fail("CStr differs");
        }
        break;
      }
      case 22: {
        std::string t = in.Run(30);
        B2String1 other(t.c_str());
        B2String1 sum = real + other;
        Model m = model;
        m.AppendText(t.c_str());
        if (!sum.Equals(m.s.data(), m.Len()) || sum.Capacity() < sum.Length()) {
          return fail("operator+ gave \"" +
                      Show(std::string(sum.Data(), static_cast<size_t>(sum.Length()))) + "\"");
        }
        if (in.Byte() % 2 == 0) {
          real = sum;
          model.Set(m.s.data(), m.Len());
          if (m.Len() == 0) model.Reset();
        }
        break;
      }
      case 23: {
        MODEL_CHECK(real.Set(static_cast<const char*>(nullptr), 3), false, "Set(null)");
        MODEL_CHECK(real.Append(static_cast<const char*>(nullptr)), false, "Append(null)");
        MODEL_CHECK(real.IndexOf(static_cast<const char*>(nullptr)), -1, "IndexOf(null)");
        MODEL_CHECK(real.Equals(static_cast<const B2String*>(nullptr)), false, "Equals(null)");
        MODEL_CHECK(real.Split(static_cast<const char*>(nullptr)) == nullptr, true, "Split(null)");
        break;
      }
    }
    MODEL_CHECK(real.Length(), model.Len(), "length");
    MODEL_CHECK(real.Capacity(), model.cap, "capacity");
    MODEL_CHECK(real.LastIndex(), model.Len() - 1, "LastIndex");
    if (real.Capacity() < real.Length() || real.Capacity() < kMin)
      return fail("capacity invariant");
    if (std::memcmp(real.Data(), model.s.data(), model.s.size()) != 0) return fail("content");
  }
#undef MODEL_CHECK
  return "";
}

}  // namespace stringmodel
