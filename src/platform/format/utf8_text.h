#pragma once

#include <string>
#include <string_view>

namespace tockary {

// True when `text` is well-formed UTF-8 (no stray or overlong bytes, no surrogates).
bool isValidUtf8(std::string_view text);

// `text` with every ill-formed sequence replaced by U+FFFD, for showing stored text that another
// program (or an older version) wrote with invalid bytes. Well-formed text is returned as it is.
std::string replacingInvalidUtf8(std::string_view text);

// Whether two texts are equal when ASCII letters are taken without their case; other bytes must
// be equal (for names of the program's own, which are ASCII).
bool equalIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace tockary
