// The byte-string interface: a growable run of 8-bit bytes with an explicit length.
#pragma once

class B2StringVector;

/// Abstract byte string. Content is raw bytes (Shift_JIS text is just its bytes); positions,
/// lengths and counts are signed 32-bit; a search that misses gives -1. Refusals are reported
/// only by the result (false, -1, 0 or null) and leave the string exactly as it was.
///
/// Two argument forms recur: a C text (pointer to NUL-terminated bytes, measured up to its first
/// NUL but never beyond 40,000,000 bytes) and a byte run (pointer plus count, may hold NUL).
/// A null pointer is refused wherever either is expected.
///
/// The order of the operations below is part of the interface; implementations keep it.
class B2String {
 public:
  // --- Assign and append -------------------------------------------------------------------
  /// Copies other's bytes; false and unchanged when other is empty.
  virtual bool Set(const B2String& other) = 0;
  /// Copies the C text; false and unchanged for null or "".
  virtual bool Set(const char* text) = 0;
  /// Content becomes the first min(count, 40,000,000) bytes; false and unchanged for null or
  /// count < 1.
  virtual bool Set(const char* bytes, int count) = 0;
  /// Appends one byte; false once the length has reached 39,999,999.
  virtual bool Append(char c) = 0;
  /// Appends the C text; false for null or "", or once the length has reached 39,999,999.
  virtual bool Append(const char* text) = 0;
  /// Appends the run, clipped so the length never passes 40,000,000; false for null,
  /// count < 1 or a length already at 39,999,999 or more.
  virtual bool Append(const char* bytes, int count) = 0;

  // --- Compare ------------------------------------------------------------------------------
  /// True when other's bytes equal this content; false for null.
  virtual bool Equals(const B2String* other) const = 0;
  /// True when the C text equals the content ("" equals only the empty string); false for null.
  virtual bool Equals(const char* text) const = 0;
  /// True when the run equals the content (count 0: the string is empty); false for null.
  virtual bool Equals(const char* bytes, int count) const = 0;

  // --- Access -------------------------------------------------------------------------------
  /// A fresh NUL-terminated copy of the content, owned by the string, rebuilt on every call
  /// (O(length)); valid until the next CStr call or destruction. Never null.
  virtual const char* CStr() = 0;
  /// The byte at pos as 0..255; 0 when pos is out of range.
  virtual int ByteAt(int pos) const = 0;
  /// Length() - 1; -1 for the empty string.
  virtual int LastIndex() const = 0;
  /// The byte at pos as a signed value; 0 when pos is out of range.
  virtual signed char CharAt(int pos) const = 0;
  /// The content bytes, not NUL-terminated; valid until the capacity next changes. Never null.
  virtual const char* Data() const = 0;
  /// Number of content bytes.
  virtual int Length() const = 0;
  /// Same as Length().
  virtual int Size() const = 0;
  /// Kind code of the implementation (8 for B2String1).
  virtual int TypeCode() const = 0;
  /// Always 0.
  virtual int TypeFlags() const = 0;

  // --- Search (byte for byte, no character boundaries) -------------------------------------
  /// Position of the first c, or -1. O(length).
  virtual int IndexOf(char c) const = 0;
  /// Start of the first occurrence of the C text, or -1 (also for null or "").
  virtual int IndexOf(const char* text) const = 0;
  /// Start of the first occurrence at or after from, or -1 (null, from out of [0, length),
  /// count < 1, or no room for the run after from). Linear in length + count.
  virtual int IndexOf(int from, const char* bytes, int count) const = 0;
  /// Position of the first c at or after from, or -1 (also when from is out of range).
  virtual int IndexOf(int from, char c) const = 0;
  /// Start of the first occurrence of the run, or -1.
  virtual int IndexOf(const char* bytes, int count) const = 0;
  /// Number of non-overlapping occurrences of the C text; 0 for null or "".
  virtual int CountOf(const char* text) const = 0;
  /// Number of non-overlapping occurrences, left to right; 0 for null or count < 1. Linear.
  virtual int CountOf(const char* bytes, int count) const = 0;
  /// Start of the last occurrence of the C text, or -1 (also for null or "").
  virtual int LastIndexOf(const char* text) const = 0;
  /// Highest start of any occurrence (overlaps allowed), or -1 (null, count < 1, or longer
  /// than the content). Linear.
  virtual int LastIndexOf(const char* bytes, int count) const = 0;
  /// True when the C text occurs in the content read up to its first NUL; "" is contained in
  /// every string; false for null.
  virtual bool Contains(const char* text) const = 0;

  // --- Write --------------------------------------------------------------------------------
  /// Writes the run at pos and cuts the content there: the length becomes pos + count (clipped
  /// to 40,000,000). False and unchanged for null, pos < 0, pos >= 39,999,999 or count < 1.
  /// The run may lie inside this string's own buffer. A gap past the old length reads as 0.
  virtual bool WriteAt(int pos, const char* bytes, int count) = 0;
  /// Overwrites the byte at pos; false and unchanged when pos is out of [0, length).
  virtual bool SetCharAt(int pos, char c) = 0;

  // --- Split (a new list, owned by the caller; this string is unchanged) --------------------
  /// Pieces between the c bytes; never null ("" gives one empty piece). A trailing c gives an
  /// empty last piece. At most 4,194,305 pieces are kept.
  virtual B2StringVector* Split(char c) const = 0;
  /// As the run form with the C text; null for null or "".
  virtual B2StringVector* Split(const char* sep) const = 0;
  /// Pieces between non-overlapping separators; null for null, n < 1 or n > Length().
  virtual B2StringVector* Split(const char* sep, int n) const = 0;

  // --- Replace and erase --------------------------------------------------------------------
  /// As the run form with both C texts; 0 and unchanged when either is null.
  virtual int ReplaceAll(const char* from, const char* to) = 0;
  /// Replaces every non-overlapping occurrence, left to right, and gives their number; 0 and
  /// unchanged for null pointers or fromCount < 1. A result longer than 40,000,000 bytes keeps
  /// its first 40,000,000. A result no longer than before keeps the capacity (also when it is
  /// empty); a longer one grows it as Set would. Linear in length + result.
  virtual int ReplaceAll(const char* from, int fromCount, const char* to, int toCount) = 0;
  /// Removes count bytes at pos (all from pos when they reach the end) and shrinks the
  /// capacity to max(new length, 32); false and unchanged for pos out of range or count < 1.
  virtual bool Remove(int pos, int count) = 0;
  /// Removes the byte at pos (capacity unchanged; the last byte resets the string to capacity
  /// 32); false and unchanged when pos is out of range.
  virtual bool RemoveAt(int pos) = 0;
  /// Removes the leading c bytes and gives their number (0 when none). One pass.
  virtual int TrimLeft(char c) = 0;

  // --- Decode and files ---------------------------------------------------------------------
  /// Decodes %XX escapes in place (others copied as they are); -1 and unchanged when the text
  /// is shorter than 3 bytes and holds no '%', otherwise 1.
  virtual signed char UrlDecode() = 0;
  /// True for '0'-'9', 'a'-'f', 'A'-'F'.
  virtual bool IsHexDigit(char c) const = 0;
  /// 0..15 for a hex digit, -1 for any other byte.
  virtual int HexValue(char c) const = 0;
  /// Replaces the content with the file's bytes (at most 40,000,000; an empty file gives one
  /// NUL byte; a file cut at 40,000,000 drops a NUL in its last kept byte; a file that delivers
  /// fewer bytes than its size keeps those it delivered). False and unchanged for null, a file
  /// that cannot be opened or read (a directory), or a size of 2,147,483,647 bytes or more
  /// (taken in 64 bits on every platform, so 4 GiB and more are refused too). Reads through
  /// FileLoad::ReadRaw.
  virtual bool LoadFile(const char* path) = 0;
  /// Writes the content as it is; false for null or a file that cannot be created.
  virtual bool SaveFile(const char* path) const = 0;

  virtual ~B2String() = default;
};
