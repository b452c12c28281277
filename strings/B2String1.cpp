// B2String1 core: storage, capacity policy, writing, assignment, comparison and access.
#include "strings/B2String1.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "strings/B2StringMemory.h"
#include "strings/ByteSearch.h"

namespace {

char* ResizeBytes(char* block, int size) {
  return static_cast<char*>(b2memory::Resize(block, static_cast<size_t>(size)));
}

}  // namespace

// --- Construction ------------------------------------------------------------------------------

// Every constructor lands here. The capacity is what a fresh string (capacity 32) reaches after
// Set of the run: exactly the run when it passes 32, since growth from empty is exact.
B2String1::B2String1(const char* bytes, int count) {
  int n = (bytes && count >= 1) ? (count < kMaxLength ? count : kMaxLength) : 0;
  capacity = n > kMinCapacity ? n : kMinCapacity;
  buffer = ResizeBytes(nullptr, capacity);
  if (n > 0) std::memcpy(buffer, bytes, static_cast<size_t>(n));
  length = n;
}

B2String1::B2String1() : B2String1(nullptr, 0) {}

B2String1::B2String1(const char* text)
    : B2String1(text, text ? bytesearch::MeasureText(text, kMaxLength) : 0) {}

B2String1::B2String1(const B2String& other) : B2String1(other.Data(), other.Length()) {}

B2String1::B2String1(const B2String1& other) : B2String1(other.buffer, other.length) {}

B2String1& B2String1::operator=(const B2String1& other) {
  if (this == &other) return *this;
  if (other.length == 0) {
    Reset();
  } else {
    Set(other.buffer, other.length);
  }
  return *this;
}

B2String1::~B2String1() {
  std::free(buffer);
  std::free(cstrCopy);
}

// --- Internals ---------------------------------------------------------------------------------

bool B2String1::Reserve(int n) {
  if (n > maxLength || n < 0) return false;
  if (n < minCapacity) n = minCapacity;
  if (length <= 0) {
    // Nothing to keep: a fresh block of exactly n bytes, no doubling.
    std::free(buffer);
    buffer = nullptr;
    buffer = ResizeBytes(nullptr, n);
    capacity = n;
    return true;
  }
  int newCapacity = n;
  const int64_t twice = 2 * static_cast<int64_t>(capacity);
  if (n > capacity && n < twice && twice < maxLength) newCapacity = static_cast<int>(twice);
  if (n <= length) length = n;
  buffer = ResizeBytes(buffer, newCapacity);
  capacity = newCapacity;
  return true;
}

bool B2String1::RefreshCStr() {
  if (!buffer) return false;
  std::free(cstrCopy);
  cstrCopy = nullptr;
  cstrCopy = ResizeBytes(nullptr, length + 1);
  std::memcpy(cstrCopy, buffer, static_cast<size_t>(length));
  cstrCopy[length] = '\0';
  return true;
}

void B2String1::Reset() {
  minCapacity = kMinCapacity;
  maxLength = kMaxLength;
  Reserve(kMinCapacity);
  Zero();
}

void B2String1::Zero() {
  std::memset(buffer, 0, static_cast<size_t>(length));
  length = 0;
}

// --- Core write --------------------------------------------------------------------------------

bool B2String1::WriteAt(int pos, const char* bytes, int count) {
  if (!bytes || pos < 0 || pos >= maxLength - 1 || count < 1) return false;
  if (count > maxLength - pos) count = maxLength - pos;
  const int end = pos + count;
  if (end > capacity) {
    // Growth releases the old block, so a source inside it is copied out first.
    std::less<const char*> before;
    if (!before(bytes, buffer) && before(bytes, buffer + capacity)) {
      std::string copy(bytes, static_cast<size_t>(count));
      return WriteAt(pos, copy.data(), count);
    }
    if (!Reserve(end)) return false;
  }
  std::memmove(buffer + pos, bytes, static_cast<size_t>(count));
  // A gap between the old end and pos reads as zero bytes.
  if (pos > length) std::memset(buffer + length, 0, static_cast<size_t>(pos - length));
  length = end;
  return true;
}

bool B2String1::SetCharAt(int pos, char c) {
  if (pos < 0 || pos >= length) return false;
  buffer[pos] = c;
  return true;
}

// --- Assign and append -------------------------------------------------------------------------

bool B2String1::Set(const B2String& other) { return Set(other.Data(), other.Length()); }

bool B2String1::Set(const char* text) {
  if (!text || text[0] == '\0') return false;
  return Set(text, bytesearch::MeasureText(text, maxLength));
}

bool B2String1::Set(const char* bytes, int count) { return WriteAt(0, bytes, count); }

bool B2String1::Append(char c) { return WriteAt(LastIndex() + 1, &c, 1); }

bool B2String1::Append(const char* text) {
  if (!text || text[0] == '\0') return false;
  return WriteAt(LastIndex() + 1, text, bytesearch::MeasureText(text, maxLength));
}

bool B2String1::Append(const char* bytes, int count) {
  return WriteAt(LastIndex() + 1, bytes, count);
}

bool B2String1::Append(const B2String& other) {
  return WriteAt(LastIndex() + 1, other.Data(), other.Length());
}

// --- Compare -----------------------------------------------------------------------------------

bool B2String1::Equals(const B2String* other) const {
  if (!other) return false;
  return Equals(other->Data(), other->Length());
}

bool B2String1::Equals(const char* text) const {
  if (!text) return false;
  return Equals(text, bytesearch::MeasureText(text, maxLength));
}

bool B2String1::Equals(const char* bytes, int count) const {
  if (!bytes) return false;
  if (count == 0) return length == 0;
  if (count != length) return false;
  return std::memcmp(buffer, bytes, static_cast<size_t>(count)) == 0;
}

// --- Access ------------------------------------------------------------------------------------

const char* B2String1::CStr() {
  if (!RefreshCStr()) return nullptr;
  return cstrCopy;
}

int B2String1::ByteAt(int pos) const { return static_cast<unsigned char>(CharAt(pos)); }

int B2String1::LastIndex() const { return length - 1; }

signed char B2String1::CharAt(int pos) const {
  if (pos < 0 || pos >= length) return 0;
  return static_cast<signed char>(buffer[pos]);
}

const char* B2String1::Data() const { return buffer; }
int B2String1::Length() const { return length; }
int B2String1::Size() const { return length; }
int B2String1::TypeCode() const { return kTypeCode; }
int B2String1::TypeFlags() const { return 0; }
int B2String1::MinCapacity() const { return minCapacity; }
int B2String1::MaxLength() const { return maxLength; }

// --- Operators ---------------------------------------------------------------------------------

bool B2String1::operator==(const B2String& other) const { return Equals(&other); }

bool B2String1::operator==(const char* text) const { return Equals(text); }

B2String1 B2String1::operator+(const B2String& other) const {
  B2String1 sum(*this);
  sum.Append(other);
  return sum;
}

B2String1 B2String1::operator+(const char* text) const {
  B2String1 sum(*this);
  sum.Append(text);
  return sum;
}

B2String1& B2String1::operator+=(const B2String& other) {
  Append(other);
  return *this;
}

B2String1& B2String1::operator+=(const char* text) {
  Append(text);
  return *this;
}
