#pragma once

// Reads PDFs back as a reader would, with poppler's tools (poppler-utils).

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/image/image_codec.h"
#include "support/temp_dir.h"

namespace tockary::testing {

// The path in single quotes for the shell.
inline std::string shellQuoted(const std::filesystem::path& path) {
  std::string quoted = "'";
  for (char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// What `command` printed; a command that fails fails the test.
inline std::string commandOutput(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot run " << command;
    return out;
  }
  char chunk[4096];
  for (std::size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) out.append(chunk, n);
  EXPECT_EQ(pclose(pipe), 0) << command;
  return out;
}

// One field of `pdfinfo`, as it prints it ("Title", "Page size", "Pages"); empty when absent.
inline std::string pdfInfo(const std::filesystem::path& pdf, const std::string& field) {
  const std::string info = commandOutput("pdfinfo " + shellQuoted(pdf) + " 2>&1");
  const std::string key = "\n" + field + ":";
  const std::size_t at = ("\n" + info).find(key);
  if (at == std::string::npos) return {};
  std::size_t begin = at + key.size() - 1;
  begin = info.find_first_not_of(' ', begin);
  return info.substr(begin, info.find('\n', begin) - begin);
}

// The text of every page, laid out as on the page (`pdftotext -layout`).
inline std::string pdfText(const std::filesystem::path& pdf) {
  return commandOutput("pdftotext -layout " + shellQuoted(pdf) + " - 2>&1");
}

// The fonts the PDF embeds (`pdffonts`).
inline std::string pdfFonts(const std::filesystem::path& pdf) {
  return commandOutput("pdffonts " + shellQuoted(pdf) + " 2>&1");
}

// The first page as pixels at `dpi` dots per inch (`pdftoppm`), on white.
inline Image pdfPage(const std::filesystem::path& pdf, int dpi) {
  const TempDir out;
  commandOutput("pdftoppm -r " + std::to_string(dpi) + " -f 1 -l 1 -png -singlefile " +
                shellQuoted(pdf) + " " + shellQuoted(out.path() / "page") + " 2>&1");
  const std::string png = readFile(out.path() / "page.png");
  Result<Image> image = ImageCodec().decode(Bytes(png.begin(), png.end()));
  EXPECT_TRUE(image.isOk()) << image.status().description();
  return image.isOk() ? image.value() : Image();
}

}  // namespace tockary::testing
