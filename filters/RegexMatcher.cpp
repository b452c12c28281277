// Oniguruma behind the Matcher contract: two encodings patched with the program's case rule, a
// retry limit, and the required literal searched first.
#include "filters/RegexMatcher.h"

#include <oniguruma.h>

#include <algorithm>
#include <mutex>
#include <string>

#include "filters/CaseFold.h"
#include "filters/RequiredLiteral.h"
#include "filters/SearchForms.h"

namespace filters {
namespace {

constexpr unsigned long kRetryLimit = 20000000;
constexpr unsigned int kStackLimit = 1000000;

// Oniguruma's Shift_JIS and UTF-8 encodings with their case folding replaced by CaseFold's, so
// that (?i) and ignoreCase fold exactly what the literal search folds.
OnigEncodingType gShiftJis;
OnigEncodingType gUtf8;

template <LineEncoding kEncoding>
const OnigEncodingType& Base() {
  return kEncoding == LineEncoding::kShiftJis ? OnigEncodingSJIS : OnigEncodingUTF8;
}

template <LineEncoding kEncoding>
int CharLength(const OnigUChar* p, const OnigUChar* end) {
  const int length = Base<kEncoding>().mbc_enc_len(p);
  return static_cast<int>(std::min<ptrdiff_t>(std::max(length, 1), end - p));
}

template <LineEncoding kEncoding>
int MbcCaseFold(OnigCaseFoldType, const OnigUChar** pp, const OnigUChar* end, OnigUChar* to) {
  const OnigUChar* p = *pp;
  const int length = CharLength<kEncoding>(p, end);
  *pp += length;
  const OnigCodePoint code = Base<kEncoding>().mbc_to_code(p, end);
  const OnigCodePoint lower = CaseFold::Lower(kEncoding, code);
  if (lower != code) return Base<kEncoding>().code_to_mbc(lower, to);
  std::copy(p, p + length, to);
  return length;
}

template <LineEncoding kEncoding>
int ApplyAllCaseFold(OnigCaseFoldType, OnigApplyAllCaseFoldFunc apply, void* arg) {
  const OnigCodePoint wideUpper = kEncoding == LineEncoding::kShiftJis ? 0x8260 : 0xFF21;
  for (OnigCodePoint i = 0; i < 26; ++i) {
    for (const OnigCodePoint upper : {'A' + i, wideUpper + i}) {
      OnigCodePoint lower = CaseFold::OtherCase(kEncoding, upper);
      OnigCodePoint back = upper;
      int r = apply(upper, &lower, 1, arg);
      if (r == 0) r = apply(lower, &back, 1, arg);
      if (r != 0) return r;
    }
  }
  return 0;
}

template <LineEncoding kEncoding>
int CaseFoldCodesByString(OnigCaseFoldType, const OnigUChar* p, const OnigUChar* end,
                          OnigCaseFoldCodeItem items[]) {
  const OnigCodePoint other = CaseFold::OtherCase(kEncoding, Base<kEncoding>().mbc_to_code(p, end));
  if (other == 0) return 0;
  items[0].byte_len = CharLength<kEncoding>(p, end);
  items[0].code_len = 1;
  items[0].code[0] = other;
  return 1;
}

template <LineEncoding kEncoding>
void Patch(OnigEncodingType& encoding) {
  encoding = Base<kEncoding>();
  encoding.mbc_case_fold = MbcCaseFold<kEncoding>;
  encoding.apply_all_case_fold = ApplyAllCaseFold<kEncoding>;
  encoding.get_case_fold_codes_by_str = CaseFoldCodesByString<kEncoding>;
}

void InitializeOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    Patch<LineEncoding::kShiftJis>(gShiftJis);
    Patch<LineEncoding::kUtf8>(gUtf8);
    OnigEncoding encodings[] = {&gShiftJis, &gUtf8};
    onig_initialize(encodings, 2);
    onig_set_retry_limit_in_search(kRetryLimit);
    onig_set_retry_limit_in_match(kRetryLimit);
    onig_set_match_stack_limit_size(kStackLimit);
  });
}

const OnigUChar* U(const char* p) { return reinterpret_cast<const OnigUChar*>(p); }

}  // namespace

struct RegexMatcher::Compiled {
  regex_t* regex = nullptr;
  ~Compiled() { onig_free(regex); }
};

namespace {

// Compiles the pattern; 0, or Oniguruma's error code (and its error info) when it fails.
int Compile(const std::string& pattern, OnigEncodingType* encoding, bool ignoreCase,
            regex_t** regex, OnigErrorInfo* info) {
  const OnigUChar* p = U(pattern.data());
  const int r =
      onig_new(regex, p, p + pattern.size(), ignoreCase ? ONIG_OPTION_IGNORECASE : ONIG_OPTION_NONE,
               encoding, ONIG_SYNTAX_RUBY, info);
  if (r == ONIG_NORMAL) return 0;
  *regex = nullptr;
  return r;
}

// The character (1 for the first) ending the shortest start of the pattern that fails with the
// same error as the whole: where reading it stops making sense.
int ErrorPosition(const std::string& pattern, bool ignoreCase, int code) {
  int characters = 0;
  for (size_t size = 0; size < pattern.size();) {
    size += static_cast<size_t>(CharLength<LineEncoding::kShiftJis>(
        U(pattern.data() + size), U(pattern.data() + pattern.size())));
    ++characters;
    regex_t* regex = nullptr;
    OnigErrorInfo info;
    const int r = Compile(pattern.substr(0, size), &gShiftJis, ignoreCase, &regex, &info);
    onig_free(regex);
    if (r == code) return characters;
  }
  return characters;
}

}  // namespace

std::unique_ptr<Matcher> RegexMatcher::Make(const char* pattern, size_t size, bool ignoreCase,
                                            MatchError* error) {
  InitializeOnce();
  const SearchForms forms(pattern, size);
  auto shiftJis = std::make_unique<Compiled>();
  OnigErrorInfo info{};
  const int r =
      Compile(*forms.In(LineEncoding::kShiftJis), &gShiftJis, ignoreCase, &shiftJis->regex, &info);
  if (r != 0) {
    if (error != nullptr) {
      OnigUChar message[ONIG_MAX_ERROR_MESSAGE_LEN];
      onig_error_code_to_str(message, r, &info);
      error->kind = MatchError::Kind::kBadExpression;
      error->reason = reinterpret_cast<const char*>(message);
      error->position = ErrorPosition(std::string(pattern, size), ignoreCase, r);
    }
    return nullptr;
  }
  std::unique_ptr<Compiled> utf8;
  if (const std::string* form = forms.In(LineEncoding::kUtf8)) {
    utf8 = std::make_unique<Compiled>();
    if (Compile(*form, &gUtf8, ignoreCase, &utf8->regex, &info) != 0) utf8.reset();
  }
  std::unique_ptr<LiteralSearch> literal;
  const std::string required = RequiredLiteral::Of(pattern, size);
  if (!required.empty()) {
    literal =
        std::make_unique<LiteralSearch>(SearchForms(required.data(), required.size()), ignoreCase);
  }
  return std::unique_ptr<Matcher>(
      new RegexMatcher(std::move(shiftJis), std::move(utf8), std::move(literal)));
}

RegexMatcher::RegexMatcher(std::unique_ptr<Compiled> shiftJis, std::unique_ptr<Compiled> utf8,
                           std::unique_ptr<LiteralSearch> literal)
    : shiftJis_(std::move(shiftJis)), utf8_(std::move(utf8)), literal_(std::move(literal)) {}

RegexMatcher::~RegexMatcher() = default;

const char* RegexMatcher::NextCandidate(const char* from, const char* end) const {
  return literal_ != nullptr ? literal_->Next(from, end) : from;
}

LineMatch RegexMatcher::Find(const char* begin, const char* end, const char* from,
                             const char* hint) const {
  const LineEncoding encoding = EncodingOf(begin, end);
  const Compiled* compiled = encoding == LineEncoding::kUtf8 ? utf8_.get() : shiftJis_.get();
  if (compiled == nullptr) return {};
  // A match holds the literal, so a line without it after from has none.
  if (literal_ != nullptr &&
      literal_->Find(encoding, hint != nullptr && hint > from ? hint : from, end) == nullptr) {
    return {};
  }
  // No region: the search gives the start, and a match from there, tried in the same order,
  // gives the same match's length. Nothing is kept per thread.
  const int r =
      onig_search(compiled->regex, U(begin), U(end), U(from), U(end), nullptr, ONIG_OPTION_NONE);
  LineMatch match;
  if (r == ONIG_MISMATCH) return match;
  const int length = r >= 0 ? onig_match(compiled->regex, U(begin), U(end), U(begin + r), nullptr,
                                         ONIG_OPTION_NONE)
                            : r;
  if (length < 0) {
    match.gaveUp = true;  // a retry or stack limit, or memory
    return match;
  }
  match.begin = begin + r;
  match.end = match.begin + length;
  return match;
}

}  // namespace filters
