#include "output.h"

#include <ostream>

#include "platform/format/utf8_text.h"
#include "platform/ui/sheet.h"

namespace tockary::cli {

namespace {

// A sheet's decorative picture by name: an app picture's own name, a watch's picture, or the
// empty frame drawn around one.
std::string pictureName(const SheetImage& image) {
  if (!image.assetName.empty()) return image.assetName;
  return image.picture.empty() ? "frame" : "watch picture";
}

}  // namespace

std::string dumpJson(const Json& value, int indent) {
  return value.dump(indent, ' ', false, Json::error_handler_t::replace);
}

void PlainText::line(std::string_view raw) {
  // Stored text may hold bytes that are not UTF-8 (written by another program).
  std::string replaced;
  std::string_view text = raw;
  if (!isValidUtf8(raw)) text = replaced = replacingInvalidUtf8(raw);
  std::size_t start = 0;
  while (true) {
    const auto end = text.find('\n', start);
    const std::string_view part = text.substr(start, end - start);
    if (!part.empty()) text_.append(static_cast<std::size_t>(indent_), ' ').append(part);
    text_ += '\n';
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
}

void PlainText::field(std::string_view caption, std::string_view value) {
  const auto lineBreak = value.find('\n');
  if (lineBreak == std::string_view::npos && caption.find('\n') == std::string_view::npos &&
      isValidUtf8(caption) && isValidUtf8(value)) {
    // What line() makes of "caption: value", without the joined copy.
    text_.append(static_cast<std::size_t>(indent_), ' ').append(caption).append(": ");
    text_.append(value) += '\n';
    return;
  }
  if (lineBreak == std::string_view::npos) {
    line(std::string(caption) + ": " + std::string(value));
    return;
  }
  line(std::string(caption) + ":");
  indent(2);
  line(value);
  indent(-2);
}

void PlainText::sheet(const Sheet& sheet) {
  const std::string headline = sheet.displayedTitle();
  const std::string message = sheet.displayedMessage();
  if (!headline.empty()) line(headline);
  if (!message.empty()) line(message);
  for (const SheetImage& image : sheet.images) field("Picture", pictureName(image));
  for (const SheetTextField& textField : sheet.textFields) {
    field("Field", textField.placeholder.empty() ? "(to fill in)" : textField.placeholder);
  }
  for (const SheetAction& action : sheet.actions) {
    line("  " + action.title + "  (--choose " + action.identity + ")");
  }
}

void Output::print(std::ostream& out) const {
  if (asJson_) {
    out << dumpJson(json_) << '\n';
  } else {
    out << text_.text();
  }
}

Json sheetJson(const Sheet& sheet) {
  Json json = Json::object();
  json["headline"] = sheet.displayedTitle();
  json["message"] = sheet.displayedMessage();
  Json actions = Json::array();
  for (const auto& action : sheet.actions) {
    actions.push_back({{"identity", action.identity},
                       {"title", action.title},
                       {"style", actionStyleName(action.style)}});
  }
  json["actions"] = actions;
  if (!sheet.textFields.empty()) {
    Json fields = Json::array();
    for (const auto& field : sheet.textFields)
      fields.push_back({{"placeholder", field.placeholder}});
    json["textFields"] = fields;
  }
  if (!sheet.images.empty()) {
    Json images = Json::array();
    for (const auto& image : sheet.images) images.push_back(pictureName(image));
    json["images"] = images;
  }
  return json;
}

}  // namespace tockary::cli
