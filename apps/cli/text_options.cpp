#include "commands.h"
#include "platform/format/utf8_text.h"

namespace tockary::cli {

const CLI::Validator& utf8Text() {
  // No description: the help shows the option as it was.
  static const CLI::Validator validator(
      [](std::string& value) -> std::string {
        return isValidUtf8(value) ? "" : "the value is not valid UTF-8; accepted: UTF-8 text";
      },
      "");
  return validator;
}

CLI::App* addWatchIdArgument(CLI::App* command, std::string& id) {
  command->add_option("ID", id, "The watch's id, as `tockary list` shows it (12 or Kello/12)")
      ->required()
      ->check(utf8Text());
  return command;
}

}  // namespace tockary::cli
