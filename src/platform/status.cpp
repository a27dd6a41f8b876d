#include "platform/status.h"

namespace tockary {

namespace {

bool needsQuotes(const std::string& text) {
  if (text.empty()) return true;
  for (char c : text) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '_' || c == '.' || c == '-';
    if (!plain) return true;
  }
  return false;
}

}  // namespace

std::string Status::userInfoText() const {
  std::string text = "{";
  for (const auto& [key, value] : userInfo_) {
    text += key + " = ";
    text += needsQuotes(value) ? "\"" + value + "\"" : value;
    text += ";";
    if (&value != &userInfo_.rbegin()->second) text += " ";
  }
  text += "}";
  return text;
}

}  // namespace tockary
