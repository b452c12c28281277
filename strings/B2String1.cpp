#include "strings/B2String1.h"
#include "strings/B2StringVector.h"

B2String1& B2String1::operator=(const B2String1& other) { return *this; }
bool B2String1::Set(const B2String& other) { return false; }
bool B2String1::Set(const char* text) { return false; }
bool B2String1::Set(const char* bytes, int count) { return false; }
bool B2String1::Append(char c) { return false; }
bool B2String1::Append(const char* text) { return false; }
bool B2String1::Append(const char* bytes, int count) { return false; }
bool B2String1::Equals(const B2String* other) const { return false; }
bool B2String1::Equals(const char* text) const { return false; }
bool B2String1::Equals(const char* bytes, int count) const { return false; }
const char* B2String1::CStr() { return nullptr; }
int B2String1::ByteAt(int pos) const { return 0; }
int B2String1::LastIndex() const { return 0; }
signed char B2String1::CharAt(int pos) const { return 0; }
const char* B2String1::Data() const { return nullptr; }
int B2String1::Length() const { return 0; }
int B2String1::Size() const { return 0; }
int B2String1::TypeCode() const { return 0; }
int B2String1::TypeFlags() const { return 0; }
int B2String1::IndexOf(char c) const { return 0; }
int B2String1::IndexOf(const char* text) const { return 0; }
int B2String1::IndexOf(int from, const char* bytes, int count) const { return 0; }
int B2String1::IndexOf(int from, char c) const { return 0; }
int B2String1::IndexOf(const char* bytes, int count) const { return 0; }
int B2String1::CountOf(const char* text) const { return 0; }
int B2String1::CountOf(const char* bytes, int count) const { return 0; }
int B2String1::LastIndexOf(const char* text) const { return 0; }
int B2String1::LastIndexOf(const char* bytes, int count) const { return 0; }
bool B2String1::Contains(const char* text) const { return false; }
bool B2String1::WriteAt(int pos, const char* bytes, int count) { return false; }
bool B2String1::SetCharAt(int pos, char c) { return false; }
B2StringVector* B2String1::Split(char c) const { return nullptr; }
B2StringVector* B2String1::Split(const char* sep) const { return nullptr; }
B2StringVector* B2String1::Split(const char* sep, int n) const { return nullptr; }
int B2String1::ReplaceAll(const char* from, const char* to) { return 0; }
int B2String1::ReplaceAll(const char* from, int fromCount, const char* to, int toCount) { return 0; }
bool B2String1::Remove(int pos, int count) { return false; }
bool B2String1::RemoveAt(int pos) { return false; }
int B2String1::TrimLeft(char c) { return 0; }
signed char B2String1::UrlDecode() { return 0; }
bool B2String1::IsHexDigit(char c) const { return false; }
int B2String1::HexValue(char c) const { return 0; }
bool B2String1::LoadFile(const char* path) { return false; }
bool B2String1::SaveFile(const char* path) const { return false; }
bool B2String1::operator==(const B2String& other) const { return false; }
bool B2String1::operator==(const char* text) const { return false; }
B2String1 B2String1::operator+(const B2String& other) const { return B2String1(*this); }
B2String1 B2String1::operator+(const char* text) const { return B2String1(*this); }
B2String1& B2String1::operator+=(const B2String& other) { return *this; }
B2String1& B2String1::operator+=(const char* text) { return *this; }
int B2String1::MinCapacity() const { return 0; }
int B2String1::MaxLength() const { return 0; }
bool B2String1::Append(const B2String& other) { return false; }
bool B2String1::Reserve(int n) { return false; }
bool B2String1::RefreshCStr() { return false; }
void B2String1::Reset() {  }
void B2String1::Zero() {  }
B2String1::B2String1() {}
B2String1::B2String1(const char*) {}
B2String1::B2String1(const char*, int) {}
B2String1::B2String1(const B2String&) {}
B2String1::B2String1(const B2String1&) : B2String() {}
B2String1::~B2String1() {}

B2StringVector::B2StringVector() {}
B2StringVector::B2StringVector(const B2StringVector&) : B2Strings() {}
B2StringVector& B2StringVector::operator=(const B2StringVector&) { return *this; }
B2StringVector::~B2StringVector() {}
bool B2StringVector::Set(const B2Strings*) { return false; }
B2String1* B2StringVector::Get(int) const { return nullptr; }
B2String1* B2StringVector::operator[](int) const { return nullptr; }
int B2StringVector::Count() const { return 0; }
bool B2StringVector::Clear() { return true; }
int B2StringVector::AddAll(const B2Strings*) { return 0; }
bool B2StringVector::Add(const B2String&) { return false; }
bool B2StringVector::Add(const char*) { return false; }
bool B2StringVector::RemoveAt(int) { return false; }
B2StringVector B2StringVector::operator+(const B2String&) const { return *this; }
B2StringVector B2StringVector::operator+(const char*) const { return *this; }
B2StringVector& B2StringVector::operator+=(const B2String&) { return *this; }
B2StringVector& B2StringVector::operator+=(const char*) { return *this; }
bool B2StringVector::AddBytes(const char*, int) { return false; }
bool B2StringVector::Reserve(int) { return false; }
