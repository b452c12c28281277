// B2String1 search, replace, erase and split. Every search is a memchr/memmem-class scan, so
// counting, replacing and splitting stay linear in the text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "strings/B2String1.h"
#include "strings/B2StringMemory.h"
#include "strings/B2StringVector.h"
#include "strings/ByteSearch.h"

namespace {

// The pieces of the text between separators of `size` bytes, in a new list; next(from) gives
// the next separator at or after from, or -1. Without a separator the list holds the whole text.
template <class Next>
B2StringVector* SplitAt(const char* text, int length, int size, Next next) {
  B2StringVector* list = new B2StringVector();
  int start = 0;
  for (int pos = next(0); pos >= 0; pos = next(start)) {
    // A full list refuses every further piece, so the scan can stop there.
    if (!list->AddBytes(text + start, pos - start)) return list;
    start = pos + size;
  }
  list->AddBytes(text + start, length - start);
  return list;
}

size_t Bytes(int n) { return static_cast<size_t>(n); }

// True when p points into [block, block + size).
bool Inside(const char* p, const char* block, int size) {
  std::less<const char*> before;
  return !before(p, block) && before(p, block + size);
}

// Start of the first occurrence of the prepared needle at or after from in the first length
// bytes of text, or -1; the same result as IndexOf(from, needle bytes, needle size).
int NextOf(const char* text, int length, const bytesearch::Needle& needle, int from) {
  const int count = static_cast<int>(needle.size);
  if (from < 0 || from > length - count) return -1;
  const char* p = bytesearch::Find(text + from, Bytes(length - from), needle);
  return p ? static_cast<int>(p - text) : -1;
}

}  // namespace

// --- Search ------------------------------------------------------------------------------------

int B2String1::IndexOf(char c) const { return IndexOf(0, c); }

int B2String1::IndexOf(int from, char c) const {
  if (from < 0 || from >= length) return -1;
  const void* p = std::memchr(buffer + from, static_cast<unsigned char>(c), Bytes(length - from));
  return p ? static_cast<int>(static_cast<const char*>(p) - buffer) : -1;
}

int B2String1::IndexOf(const char* text) const {
  if (!text) return -1;
  return IndexOf(0, text, bytesearch::MeasureText(text, maxLength));
}

int B2String1::IndexOf(const char* bytes, int count) const { return IndexOf(0, bytes, count); }

int B2String1::IndexOf(int from, const char* bytes, int count) const {
  if (!bytes || from < 0 || from >= length || count < 1 || count > length ||
      from > length - count) {
    return -1;
  }
  const char* p = bytesearch::Find(buffer + from, Bytes(length - from), bytes, Bytes(count));
  return p ? static_cast<int>(p - buffer) : -1;
}

int B2String1::CountOf(const char* text) const {
  if (!text) return 0;
  return CountOf(text, bytesearch::MeasureText(text, maxLength));
}

int B2String1::CountOf(const char* bytes, int count) const {
  if (!bytes || count < 1 || count > length) return 0;
  const bytesearch::Needle needle = bytesearch::Prepare(bytes, Bytes(count));
  int n = 0;
  for (int p = NextOf(buffer, length, needle, 0); p >= 0;
       p = NextOf(buffer, length, needle, p + count))
    n++;
  return n;
}

int B2String1::LastIndexOf(const char* text) const {
  if (!text) return -1;
  return LastIndexOf(text, bytesearch::MeasureText(text, maxLength));
}

int B2String1::LastIndexOf(const char* bytes, int count) const {
  if (!bytes || count < 1 || length < count) return -1;
  const char* p = bytesearch::FindLast(buffer, Bytes(length), bytes, Bytes(count));
  return p ? static_cast<int>(p - buffer) : -1;
}

bool B2String1::Contains(const char* text) const {
  if (!text) return false;
  // The content counts only up to its first NUL, as a C text would.
  const int textLength = bytesearch::MeasureText(text, maxLength);
  if (textLength == 0) return true;
  const void* nul = std::memchr(buffer, 0, Bytes(length));
  const int hayLength = nul ? static_cast<int>(static_cast<const char*>(nul) - buffer) : length;
  return bytesearch::Find(buffer, Bytes(hayLength), text, Bytes(textLength)) != nullptr;
}

// --- Split -------------------------------------------------------------------------------------

B2StringVector* B2String1::Split(char c) const {
  return SplitAt(buffer, length, 1, [&](int from) { return IndexOf(from, c); });
}

B2StringVector* B2String1::Split(const char* sep) const {
  if (!sep || sep[0] == '\0') return nullptr;
  return Split(sep, bytesearch::MeasureText(sep, maxLength));
}

B2StringVector* B2String1::Split(const char* sep, int n) const {
  if (!sep || n < 1 || n > length) return nullptr;
  const bytesearch::Needle needle = bytesearch::Prepare(sep, Bytes(n));
  return SplitAt(buffer, length, n, [&](int from) { return NextOf(buffer, length, needle, from); });
}

// --- Replace -----------------------------------------------------------------------------------

int B2String1::ReplaceAll(const char* from, const char* to) {
  if (!from || !to) return 0;
  return ReplaceAll(from, bytesearch::MeasureText(from, maxLength), to,
                    bytesearch::MeasureText(to, maxLength));
}

int B2String1::ReplaceAll(const char* from, int fromCount, const char* to, int toCount) {
  if (!from || !to || fromCount < 1) return 0;
  if (toCount < 0) toCount = 0;
  // The content is rewritten below, so patterns that live inside it are copied out first.
  if (Inside(from, buffer, capacity) || (toCount > 0 && Inside(to, buffer, capacity))) {
    const std::string fromCopy(from, Bytes(fromCount));
    const std::string toCopy(to, Bytes(toCount));
    return ReplaceAll(fromCopy.data(), fromCount, toCopy.data(), toCount);
  }
  if (fromCount > length) return 0;
  const bytesearch::Needle needle = bytesearch::Prepare(from, Bytes(fromCount));
  int p = NextOf(buffer, length, needle, 0);
  if (p < 0) return 0;
  int n = 0;

  if (toCount <= fromCount) {
    // The result is never longer: compact in place, writing behind the read position.
    int w = p;
    while (p >= 0) {
      if (toCount > 0) std::memcpy(buffer + w, to, Bytes(toCount));
      w += toCount;
      n++;
      const int f = p + fromCount;
      p = NextOf(buffer, length, needle, f);
      const int next = p >= 0 ? p : length;
      std::memmove(buffer + w, buffer + f, Bytes(next - f));
      w += next - f;
    }
    // The capacity stays, as when a shorter content is set; an all-matched text ends empty.
    length = w;
    return n;
  }

  // Growing: count first, then build once into a block sized as the capacity policy says for
  // the new length (the content is not empty here). A result past the length limit keeps its
  // first maxLength bytes.
  const int occurrences = CountOf(from, fromCount);
  const int64_t total =
      length + static_cast<int64_t>(occurrences) * static_cast<int64_t>(toCount - fromCount);
  const int newLength = total < maxLength ? static_cast<int>(total) : maxLength;
  int newCapacity = capacity;
  if (newLength > capacity) {
    const int64_t twice = 2 * static_cast<int64_t>(capacity);
    newCapacity = (newLength < twice && twice < maxLength) ? static_cast<int>(twice) : newLength;
  }
  char* out = static_cast<char*>(b2memory::Resize(nullptr, Bytes(newCapacity)));
  int w = 0;
  auto put = [&](const char* bytes, int count) {
    if (count > newLength - w) count = newLength - w;
    if (count <= 0) return;
    std::memcpy(out + w, bytes, Bytes(count));
    w += count;
  };
  int f = 0;
  while (p >= 0) {
    put(buffer + f, p - f);
    put(to, toCount);
    n++;
    f = p + fromCount;
    p = NextOf(buffer, length, needle, f);
  }
  put(buffer + f, length - f);
  std::free(buffer);
  buffer = out;
  capacity = newCapacity;
  length = w;
  return n;
}

// --- Erase -------------------------------------------------------------------------------------

bool B2String1::Remove(int pos, int count) {
  if (pos < 0 || pos >= length || count < 1) return false;
  if (count >= length - pos) {
    Reserve(pos);
    length = pos;
    return true;
  }
  std::memmove(buffer + pos, buffer + pos + count, Bytes(length - pos - count));
  length -= count;
  // Shrinks the block to the new length (at least 32): a removal leaves no slack.
  Reserve(length);
  return true;
}

bool B2String1::RemoveAt(int pos) {
  if (pos < 0 || pos >= length) return false;
  if (pos == 0 && length == 1) {
    Reset();
    return true;
  }
  std::memmove(buffer + pos, buffer + pos + 1, Bytes(length - pos - 1));
  length--;
  return true;
}

int B2String1::TrimLeft(char c) {
  int k = 0;
  while (k < length && buffer[k] == c) k++;
  if (k == 0) return 0;
  // Same end state as k single-byte removals from the front: the capacity stays, except that
  // removing the very last byte resets the string.
  if (k == length) {
    Reset();
    return k;
  }
  std::memmove(buffer, buffer + k, Bytes(length - k));
  length -= k;
  return k;
}
