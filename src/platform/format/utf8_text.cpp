#include "platform/format/utf8_text.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tockary {

bool isValidUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int64_t>(text.size());
  // Most text is ASCII, valid whatever follows: pass over it eight bytes at a time.
  std::int64_t start = 0;
  for (std::uint64_t word = 0; start + 8 <= length; start += 8) {
    std::memcpy(&word, bytes + start, sizeof word);
    if ((word & 0x8080808080808080ULL) != 0) break;
  }
  for (std::int64_t i = start; i < length;) {
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) return false;
  }
  return true;
}

std::string replacingInvalidUtf8(std::string_view text) {
  if (isValidUtf8(text)) return std::string(text);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int64_t>(text.size());
  std::string replaced;
  replaced.reserve(text.size() + 8);
  // ICU replaces each maximal ill-formed subpart, as Unicode recommends.
  for (std::int64_t i = 0; i < length;) {
    UChar32 c = 0;
    U8_NEXT_OR_FFFD(bytes, i, length, c);
    char encoded[U8_MAX_LENGTH];
    std::int32_t size = 0;
    U8_APPEND_UNSAFE(encoded, size, c);
    replaced.append(encoded, static_cast<std::size_t>(size));
  }
  return replaced;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace tockary
