#include <system_error>

#include "commands.h"
#include "platform/format/utf8_text.h"
#include "platform/outside_file.h"
#include "platform/render/renderer.h"

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

UsageError unknownValue(std::string_view what, std::string_view value, std::string_view accepted) {
  return {"unknown " + std::string(what) + " \"" + std::string(value) +
          "\"; accepted: " + std::string(accepted)};
}

CLI::App* addWatchIdArgument(CLI::App* command, std::string& id) {
  command->add_option("ID", id, "The watch's id, as `tockary list` shows it (12 or Kello/12)")
      ->required()
      ->check(utf8Text());
  return command;
}

std::filesystem::path outputFile(std::string_view option, const std::string& given,
                                 std::string_view exampleName) {
  namespace fs = std::filesystem;
  if (given.empty()) throw UsageError{std::string(option) + " needs a file name"};
  const fs::path file(given);
  if (Status usable = writableOutsideFile(file); !usable) {
    std::string line = std::string(option) + " \"" + given + "\" " + usable.description();
    std::error_code error;
    if (!exampleName.empty() && fs::is_directory(file, error)) {
      line += "; name a file in it, such as " + (file / exampleName).string();
    }
    throw UsageError{line};
  }
  std::error_code error;
  return fs::absolute(file, error);
}

void writeDrawingPng(const Drawing& drawing, const std::filesystem::path& file,
                     std::string_view what) {
  // Two pixels a point, as a fine screen shows the app.
  auto png = renderPng(drawing, 2);
  if (!png) {
    throw WriteFailure{std::string(what) + " could not be drawn: " + png.status().description()};
  }
  if (Status written = writeOutsideFile(file, *png); !written) {
    throw WriteFailure{std::string(what) + " was not written: " + file.string() + " " +
                       written.description()};
  }
}

}  // namespace tockary::cli
