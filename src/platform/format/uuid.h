#pragma once

#include <string>

namespace tockary {

// A fresh random (version 4, RFC 4122 variant) UUID as 36 characters: upper-case hexadecimal in
// groups of 8-4-4-4-12 separated by hyphens, e.g. "3F2504E0-4F89-41D3-9A0C-0305E82C3301".
std::string uuidString();

}  // namespace tockary
