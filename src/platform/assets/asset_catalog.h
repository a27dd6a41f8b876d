#pragma once

#include <filesystem>
#include <string_view>

#include "platform/date.h"
#include "platform/status.h"

namespace tockary {

// The pictures built into the app ("insertpic_front.png", status icons, badges, ...), found by the
// name the app gives them. Each is a PNG file in one folder.
class AssetCatalog {
 public:
  // The installed folder (<prefix>/share/tockary/assets beside the running program's bin/) when
  // it exists, else the assets/ folder of the source tree the program was built from.
  AssetCatalog();
  explicit AssetCatalog(std::filesystem::path folder);

  // The PNG bytes of the named image; the name may leave out ".png". A name that is not a plain
  // file name (empty, with a path separator, starting with ".") or that names no file is a
  // "no such asset" error; so is a file that cannot be read.
  Result<Bytes> imageNamed(std::string_view name) const;

  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

}  // namespace tockary
