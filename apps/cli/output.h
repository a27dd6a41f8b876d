#pragma once

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>
#include <string_view>

namespace tockary {
struct Sheet;
}

namespace tockary::cli {

using Json = nlohmann::ordered_json;

// The same JSON any stored text gives: invalid UTF-8 in a value becomes U+FFFD, never an abort.
std::string dumpJson(const Json& value, int indent = 2);

// What a command shows people: lines as the app shows its screens, a caption and its value each.
class PlainText {
 public:
  // Room for a list row without growing.
  PlainText() { text_.reserve(512); }

  // A line as it is; its line breaks start new lines.
  void line(std::string_view text = {});
  // "Caption: value". A value of several lines continues on the lines below, indented.
  void field(std::string_view caption, std::string_view value);
  // A sheet as it is shown: its headline, its message, its pictures and its actions, each action
  // with the name that chooses it on the command line.
  void sheet(const Sheet& sheet);
  // What follows is indented by two more blanks (for the fields of a row).
  void indent(int by) { indent_ += by; }

  const std::string& text() const { return text_; }

 private:
  std::string text_;
  int indent_ = 0;
};

// What a command shows: `json` for scripts (--json), `text` for people. Commands fill the one
// that is printed.
class Output {
 public:
  explicit Output(bool asJson) : asJson_(asJson) {}

  bool asJson() const { return asJson_; }
  Json& json() { return json_; }
  PlainText& text() { return text_; }
  void print(std::ostream& out) const;

 private:
  bool asJson_;
  Json json_ = Json::object();
  PlainText text_;
};

// A sheet for scripts: headline, message, actions with identity, title and style, text fields
// and pictures.
Json sheetJson(const Sheet& sheet);

}  // namespace tockary::cli
