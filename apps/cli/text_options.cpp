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

}  // namespace tockary::cli
