#include "output.h"

#include <ostream>

#include "platform/format/utf8_text.h"

namespace tockary::cli {

std::string oneLine(std::string_view text) {
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      line += "\\n";
    } else if (c == '\r') {
      line += "\\r";
    } else {
      line += c;
    }
  }
  return line;
}

namespace {

std::string plain(const Json& value) {
  // Stored text may hold bytes that are not UTF-8 (written by another program).
  if (value.is_string()) return oneLine(replacingInvalidUtf8(value.get<std::string>()));
  if (value.is_null()) return "(none)";
  return value.dump();
}

void printPlain(std::ostream& out, const Json& value, const std::string& prefix) {
  if (value.is_object()) {
    for (const auto& [name, item] : value.items()) {
      if (item.is_object() || item.is_array()) {
        printPlain(out, item, prefix + name + ".");
      } else {
        out << prefix << name << ": " << plain(item) << '\n';
      }
    }
  } else if (value.is_array()) {
    std::size_t index = 0;
    for (const auto& item : value) {
      if (item.is_object() || item.is_array()) {
        if (index > 0 && item.is_object()) out << '\n';
        printPlain(out, item, prefix);
      } else {
        out << prefix.substr(0, prefix.size() - 1) << ": " << plain(item) << '\n';
      }
      ++index;
    }
  }
}

}  // namespace

void Output::print(std::ostream& out) const {
  if (json_) {
    // Invalid UTF-8 in stored text becomes U+FFFD rather than ending the output.
    out << root_.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
  } else {
    printPlain(out, root_, "");
  }
}

}  // namespace tockary::cli
