// B2StringVector: the array-backed list of owned byte strings.
#pragma once

#include "strings/B2String1.h"
#include "strings/B2Strings.h"
#include "text/Limits.h"

/// A growable array of B2String1 items that the list creates and deletes itself. Holds at most
/// 4,194,305 items. Capacity starts at 32 places and doubles (the last step is to 4,194,305);
/// it never shrinks except when Clear empties a non-empty list (back to 32).
class B2StringVector : public B2Strings {
 public:
  static constexpr int kInitialCapacity = 32;
  static constexpr int kMaxItems = limits::kListItems;

  /// Empty, capacity 32.
  B2StringVector();
  /// A list of copies of other's items.
  B2StringVector(const B2StringVector& other);
  /// Replaces the content with copies of other's items (Set).
  B2StringVector& operator=(const B2StringVector& other);
  ~B2StringVector() override;

  /// Set(this) keeps the content (a snapshot is copied first).
  bool Set(const B2Strings* source) override;
  B2String1* Get(int index) const override;
  B2String1* operator[](int index) const override;
  int Count() const override;
  /// On an empty list nothing happens; otherwise the capacity is 32 again.
  bool Clear() override;
  /// AddAll(this) appends one copy of each current item.
  int AddAll(const B2Strings* source) override;
  bool Add(const B2String& s) override;
  bool Add(const char* text) override;
  /// The array never shrinks.
  bool RemoveAt(int index) override;

  /// A copy of this list with s added; this list is unchanged.
  virtual B2StringVector operator+(const B2String& s) const;
  /// A copy of this list with the C text added; this list is unchanged.
  virtual B2StringVector operator+(const char* text) const;
  /// Add(s), result ignored; returns this list.
  virtual B2StringVector& operator+=(const B2String& s);
  /// Add(text), result ignored; returns this list.
  virtual B2StringVector& operator+=(const char* text);

  /// Appends an item holding the run (empty for null or count < 1); false when full.
  /// The same item Add(B2String1(bytes, count)) would add, without the intermediate copy.
  bool AddBytes(const char* bytes, int count);
  /// Makes room for n items: true at once when n <= capacity, false when n > 4,194,305,
  /// otherwise one doubling (capped at 4,194,305), which may still fall short of n.
  bool Reserve(int n);
  /// Number of places in the item array.
  int Capacity() const { return capacity; }

 private:
  B2String1** items = nullptr;
  int count = 0;
  int capacity = 0;
};
