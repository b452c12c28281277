// Helpers for the converter tests: conversion into an exact-size buffer, and
// small reference encoders that turn UTF-8 test text into each input encoding.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "nkf32/Converter.h"
#include "nkf32/Cp932Table.h"

namespace nkf32_test {

/// Converts `in` with a buffer of exactly 2n+1 bytes; fails the test if the
/// converter reports it incomplete or writes the NUL anywhere but at the end.
std::string Convert(const std::string& in, nkf32::ConvertOptions options = {});

/// Bytes as "82 a0 41" for readable failures.
std::string Hex(const std::string& bytes);

/// Code points of a UTF-8 text (the tests' own text is always valid).
std::u32string Utf8ToCodePoints(const std::string& utf8);

/// CP932 of UTF-8 text through the converter's table; 〓 where none.
std::string Utf8ToSjis(const std::string& utf8);

/// Shift_JIS to EUC-JP and to ISO-2022-JP by JIS row and cell; half-width
/// katakana become SS2 and ESC ( I respectively.
std::string SjisToEuc(const std::string& sjis);
std::string SjisToJis(const std::string& sjis);

/// Every byte as %XX.
std::string PercentEncode(const std::string& bytes);
/// %XX to the byte; everything else copied.
std::string PercentDecode(const std::string& text);

}  // namespace nkf32_test
