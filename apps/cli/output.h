#pragma once

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>
#include <string_view>

namespace tockary::cli {

using Json = nlohmann::ordered_json;

// What a command shows, collected as ordered name/value pairs and printed either for people
// ("name: value" a line, line breaks inside a text as \n) or as JSON.
class Output {
 public:
  explicit Output(bool json) : json_(json) {}

  Json& root() { return root_; }
  void field(std::string_view name, Json value) { root_[std::string(name)] = std::move(value); }

  void print(std::ostream& out) const;

 private:
  bool json_;
  Json root_ = Json::object();
};

// A text on one line: a line break is written as \n.
std::string oneLine(std::string_view text);

}  // namespace tockary::cli
