#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/date.h"

namespace tockary {

// One thing handed to the share sheet: a file already written (a report, an export), encoded
// bytes with the name and type they travel under (a card's picture), or a text.
struct ShareItem {
  struct File {
    std::filesystem::path path;
  };
  struct Data {
    Bytes bytes;
    std::string fileName;  // "Warranty card.png"; never a path
    std::string mimeType;  // "image/png"
  };
  std::variant<File, Data, std::string> content;

  static ShareItem file(std::filesystem::path path) { return {File{std::move(path)}}; }
  static ShareItem data(Bytes bytes, std::string fileName, std::string mimeType) {
    return {Data{std::move(bytes), std::move(fileName), std::move(mimeType)}};
  }
  static ShareItem text(std::string text) { return {std::move(text)}; }

  const File* asFile() const { return std::get_if<File>(&content); }
  const Data* asData() const { return std::get_if<Data>(&content); }
  const std::string* asText() const { return std::get_if<std::string>(&content); }
};

// The activities a share sheet may offer, by the names the screens exclude them with. The desktop
// has only some of them (saving to a file, opening with the default application, mail, copying);
// a screen excludes what it must never offer, whatever the machine has.
enum class ShareActivity {
  PostToFacebook,
  PostToTwitter,
  PostToWeibo,
  Print,
  CopyToPasteboard,
  AssignToContact,
  SaveToCameraRoll,
  AddToReadingList,
  PostToFlickr,
  PostToVimeo,
  PostToTencentWeibo,
  AirDrop,
  OpenInIBooks,
  Mail,
  SaveToFile,
  OpenWithDefaultApplication,
};

// The items in the order the share sheet hands them on, and what it must not offer.
struct ShareRequest {
  std::vector<ShareItem> items;
  std::vector<ShareActivity> excludedActivityTypes;
};

}  // namespace tockary
