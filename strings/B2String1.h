// B2String1: the one concrete byte string, with its capacity policy.
#pragma once

#include "strings/B2String.h"
#include "text/Limits.h"

/// A byte string that owns one growable buffer (and the NUL-terminated copy made by CStr).
/// Holds at most 40,000,000 bytes; the buffer is never smaller than 32 bytes.
///
/// Capacity policy (observable through Capacity()): an empty string takes exactly what is
/// asked; a non-empty one that must grow doubles its capacity while the double is still below
/// 40,000,000 and covers the request, and otherwise takes exactly the request (so past
/// 20,000,000 growth is exact). Shrinking requests are taken exactly.
class B2String1 : public B2String {
 public:
  static constexpr int kTypeCode = 8;
  static constexpr int kMinCapacity = 32;
  static constexpr int kMaxLength = limits::kTextBytes;

  /// Empty, capacity 32.
  B2String1();
  /// Holds the C text (empty for null or "").
  explicit B2String1(const char* text);
  /// Holds the first min(count, 40,000,000) bytes (empty for null or count < 1).
  B2String1(const char* bytes, int count);
  /// Holds a copy of other's bytes.
  explicit B2String1(const B2String& other);
  B2String1(const B2String1& other);
  /// Becomes an exact copy of other's bytes (an empty other empties this string).
  B2String1& operator=(const B2String1& other);
  ~B2String1() override;

  bool Set(const B2String& other) override;
  bool Set(const char* text) override;
  bool Set(const char* bytes, int count) override;
  bool Append(char c) override;
  bool Append(const char* text) override;
  bool Append(const char* bytes, int count) override;
  bool Equals(const B2String* other) const override;
  bool Equals(const char* text) const override;
  bool Equals(const char* bytes, int count) const override;
  const char* CStr() override;
  int ByteAt(int pos) const override;
  int LastIndex() const override;
  signed char CharAt(int pos) const override;
  const char* Data() const override;
  int Length() const override;
  int Size() const override;
  int TypeCode() const override;
  int TypeFlags() const override;
  int IndexOf(char c) const override;
  int IndexOf(const char* text) const override;
  int IndexOf(int from, const char* bytes, int count) const override;
  int IndexOf(int from, char c) const override;
  int IndexOf(const char* bytes, int count) const override;
  int CountOf(const char* text) const override;
  int CountOf(const char* bytes, int count) const override;
  int LastIndexOf(const char* text) const override;
  int LastIndexOf(const char* bytes, int count) const override;
  bool Contains(const char* text) const override;
  bool WriteAt(int pos, const char* bytes, int count) override;
  bool SetCharAt(int pos, char c) override;
  B2StringVector* Split(char c) const override;
  B2StringVector* Split(const char* sep) const override;
  B2StringVector* Split(const char* sep, int n) const override;
  int ReplaceAll(const char* from, const char* to) override;
  int ReplaceAll(const char* from, int fromCount, const char* to, int toCount) override;
  bool Remove(int pos, int count) override;
  bool RemoveAt(int pos) override;
  int TrimLeft(char c) override;
  signed char UrlDecode() override;
  bool IsHexDigit(char c) const override;
  int HexValue(char c) const override;
  bool LoadFile(const char* path) override;
  bool SaveFile(const char* path) const override;

  // --- Operators (none of them reports a refused append) ------------------------------------
  /// Equals(&other).
  virtual bool operator==(const B2String& other) const;
  /// Equals(text); false for null.
  virtual bool operator==(const char* text) const;
  /// A copy of this string with other appended; neither operand changes.
  virtual B2String1 operator+(const B2String& other) const;
  /// A copy of this string with the C text appended; neither operand changes.
  virtual B2String1 operator+(const char* text) const;
  /// Append(other); returns this string.
  virtual B2String1& operator+=(const B2String& other);
  /// Append(text); returns this string.
  virtual B2String1& operator+=(const char* text);
  /// 32.
  virtual int MinCapacity() const;
  /// 40,000,000.
  virtual int MaxLength() const;
  /// Appends other's bytes (this string itself included); false as the run form.
  virtual bool Append(const B2String& other);

  // --- Internals ----------------------------------------------------------------------------
  /// Sets the capacity for n bytes by the policy above (n below 32 counts as 32). A request
  /// below the length cuts the content to n bytes. False and unchanged for n < 0 or
  /// n > 40,000,000.
  bool Reserve(int n);
  /// Rebuilds the NUL-terminated copy; false only when there is no buffer.
  bool RefreshCStr();
  /// Back to a fresh empty string: length 0, capacity exactly 32.
  void Reset();
  /// Clears the used bytes and the length; the capacity stays.
  void Zero();
  /// Bytes allocated for the content (at least 32).
  int Capacity() const { return capacity; }

 private:
  char* buffer = nullptr;
  char* cstrCopy = nullptr;
  int capacity = 0;
  int length = 0;
  int minCapacity = kMinCapacity;
  int maxLength = kMaxLength;
};
