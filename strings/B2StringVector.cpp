// B2StringVector: an owning array of B2String1 items with doubling growth up to the item limit.
#include "strings/B2StringVector.h"

#include <cstdlib>
#include <cstring>

#include "strings/B2StringMemory.h"

namespace {

B2String1** NewArray(int places) {
  return static_cast<B2String1**>(
      b2memory::Resize(nullptr, static_cast<size_t>(places) * sizeof(B2String1*)));
}

}  // namespace

B2StringVector::B2StringVector() : items(NewArray(kInitialCapacity)), capacity(kInitialCapacity) {}

B2StringVector::B2StringVector(const B2StringVector& other) : B2StringVector() { Set(&other); }

B2StringVector& B2StringVector::operator=(const B2StringVector& other) {
  Set(&other);
  return *this;
}

B2StringVector::~B2StringVector() {
  for (int i = 0; i < count; i++) delete items[i];
  std::free(items);
}

bool B2StringVector::Reserve(int n) {
  if (n <= capacity) return true;
  if (n > kMaxItems) return false;
  const int newCapacity = capacity > kMaxItems / 2 ? kMaxItems : 2 * capacity;
  items = static_cast<B2String1**>(
      b2memory::Resize(items, static_cast<size_t>(newCapacity) * sizeof(B2String1*)));
  capacity = newCapacity;
  return true;
}

bool B2StringVector::Set(const B2Strings* source) {
  if (!source) return false;
  if (source == this) {
    // Clearing first would lose the items being copied: copy a snapshot instead.
    B2StringVector snapshot(*this);
    return Set(&snapshot);
  }
  Clear();
  if (!Reserve(source->Count())) return false;
  for (int i = 0; i < source->Count(); i++) {
    const B2String* item = source->Get(i);
    if (item) Add(*item);
  }
  return true;
}

B2String1* B2StringVector::Get(int index) const {
  if (index < 0 || index >= count) return nullptr;
  return items[index];
}

B2String1* B2StringVector::operator[](int index) const { return Get(index); }

int B2StringVector::Count() const { return count; }

bool B2StringVector::Clear() {
  if (count == 0) return true;
  for (int i = 0; i < count; i++) delete items[i];
  std::free(items);
  items = nullptr;
  count = 0;
  items = NewArray(kInitialCapacity);
  capacity = kInitialCapacity;
  return true;
}

int B2StringVector::AddAll(const B2Strings* source) {
  if (!source) return 0;
  if (source == this) {
    // The count would grow under the loop until the list is full: take a snapshot.
    B2StringVector snapshot(*this);
    return AddAll(&snapshot);
  }
  int i = 0;
  for (; i < source->Count(); i++) {
    const B2String* item = source->Get(i);
    if (item) Add(*item);
  }
  return i;
}

bool B2StringVector::Add(const B2String& s) {
  if (s.TypeCode() != B2String1::kTypeCode) return false;
  return AddBytes(s.Data(), s.Length());
}

bool B2StringVector::Add(const char* text) {
  if (!text) return false;
  if (!Reserve(count + 1)) return false;
  items[count] = new B2String1(text);
  count++;
  return true;
}

bool B2StringVector::AddBytes(const char* bytes, int n) {
  if (!Reserve(count + 1)) return false;
  items[count] = new B2String1(bytes, n);
  count++;
  return true;
}

bool B2StringVector::RemoveAt(int index) {
  if (index < 0 || index >= count) return false;
  delete items[index];
  std::memmove(items + index, items + index + 1,
               static_cast<size_t>(count - index - 1) * sizeof(B2String1*));
  count--;
  return true;
}

B2StringVector B2StringVector::operator+(const B2String& s) const {
  B2StringVector sum(*this);
  sum.Add(s);
  return sum;
}

B2StringVector B2StringVector::operator+(const char* text) const {
  B2StringVector sum(*this);
  sum.Add(text);
  return sum;
}

B2StringVector& B2StringVector::operator+=(const B2String& s) {
  Add(s);
  return *this;
}

B2StringVector& B2StringVector::operator+=(const char* text) {
  Add(text);
  return *this;
}
