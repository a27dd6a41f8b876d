#include "platform/assets/asset_catalog.h"

#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace tockary {

namespace {

std::filesystem::path defaultFolder() {
  std::error_code ec;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    auto installed = program.parent_path().parent_path() / "share" / "tockary" / "assets";
    if (std::filesystem::is_directory(installed, ec)) return installed;
  }
  // Built and run from a checkout. The build names the folder: __FILE__ may be relative (a
  // compiler cache rewrites it), and then it would depend on where the program runs.
  return std::filesystem::path(TOCKARY_SOURCE_ASSETS);
}

}  // namespace

AssetCatalog::AssetCatalog() : folder_(defaultFolder()) {}

AssetCatalog::AssetCatalog(std::filesystem::path folder) : folder_(std::move(folder)) {}

Result<Bytes> AssetCatalog::imageNamed(std::string_view name) const {
  const auto missing = [&] {
    return Status::error("no such asset \"" + std::string(name) + "\"",
                         {{"folder", folder_.string()}});
  };
  if (name.empty() || name.front() == '.' || name.find('/') != std::string_view::npos ||
      name.find('\\') != std::string_view::npos || name.find('\0') != std::string_view::npos)
    return missing();
  std::string file(name);
  if (!file.ends_with(".png")) file += ".png";
  const auto path = folder_ / file;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return missing();
  std::ifstream in(path, std::ios::binary);
  if (!in) return missing();
  Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (bytes.empty()) return missing();
  return bytes;
}

}  // namespace tockary
