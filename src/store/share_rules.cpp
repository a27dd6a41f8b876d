#include "store/share_rules.h"

#include "platform/format/utf8_text.h"

namespace tockary {

namespace {

constexpr std::size_t kFileNameLimit = 255;

bool continuesCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::string fileNameFromText(std::string_view stem, std::string_view extension) {
  std::string name = replacingInvalidUtf8(stem);
  for (char& c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F) c = '-';
  }
  const std::size_t room =
      kFileNameLimit > extension.size() ? kFileNameLimit - extension.size() : 0;
  if (name.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && continuesCharacter(name[cut])) --cut;
    name.resize(cut);
  }
  name += extension;
  // "." and ".." name folders, not files.
  if (name.find_first_not_of('.') == std::string::npos) name.assign(name.size(), '-');
  return name;
}

}  // namespace tockary
