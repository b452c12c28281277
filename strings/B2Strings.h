// B2Strings: the interface of a list of owned byte strings.
#pragma once

#include "strings/B2String.h"

/// An ordered list that owns copies of the strings added to it. Items handed out by Get stay
/// the list's and live until they are removed, the list is cleared or it is destroyed.
/// A source list is read only through its Count and Get. The order below is the interface.
class B2Strings {
 public:
  /// Replaces the content with copies of source's items; false and unchanged for null; false
  /// with the list left empty when source holds more items than a list may.
  virtual bool Set(const B2Strings* source) = 0;
  /// The item at index, or null when index is out of [0, Count()).
  virtual B2String* Get(int index) const = 0;
  /// Get(index).
  virtual B2String* operator[](int index) const = 0;
  /// Number of items.
  virtual int Count() const = 0;
  /// Deletes every item; always true.
  virtual bool Clear() = 0;
  /// Appends copies of source's items and gives the number of items visited (refused ones
  /// included); 0 for null.
  virtual int AddAll(const B2Strings* source) = 0;
  /// Appends a copy of s; false when the list is full or s is not a B2String1.
  virtual bool Add(const B2String& s) = 0;
  /// Appends a string holding the C text ("" gives an empty item); false for null or full.
  virtual bool Add(const char* text) = 0;
  /// Deletes the item at index and closes the gap; false when index is out of range.
  virtual bool RemoveAt(int index) = 0;

  virtual ~B2Strings() {}
};
