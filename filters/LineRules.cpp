#include "filters/LineRules.h"

#include <cstring>

#include "text/PercentDecode.h"

namespace filters {

std::string_view LineConverter::Convert(const char* begin, const char* end) {
  const size_t size = static_cast<size_t>(end - begin);
  const bool escapes = std::memchr(begin, '%', size) != nullptr;
  // Nothing to decode and no converter: the line as it is (a pane text holds no NUL).
  if (convert_ == nullptr && !escapes) return std::string_view(begin, size);
  char* decoded = decoded_.Get(size + 1);
  size_t n = size;
  if (escapes) {
    n = text::PercentDecode(begin, end, decoded);
  } else {
    std::memcpy(decoded, begin, n);
  }
  decoded[n] = '\0';
  if (convert_ == nullptr) return std::string_view(decoded, std::strlen(decoded));
  const size_t room = 2 * n + 1;
  char* converted = converted_.Get(room);
  converted[0] = '\0';  // a converter that writes nothing yields an empty line
  convert_(converted, decoded);
  const void* nul = std::memchr(converted, 0, room);
  return std::string_view(
      converted,
      nul == nullptr ? room : static_cast<size_t>(static_cast<const char*>(nul) - converted));
}

}  // namespace filters
