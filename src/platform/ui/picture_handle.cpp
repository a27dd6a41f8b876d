#include "platform/ui/picture_handle.h"

#include <vector>

namespace tockary {

namespace {

constexpr std::string_view kAssetPrefix = "asset";

std::vector<std::string_view> parts(std::string_view text) {
  std::vector<std::string_view> result;
  std::size_t start = 0;
  for (std::size_t slash = text.find('/'); slash != std::string_view::npos;
       slash = text.find('/', start)) {
    result.push_back(text.substr(start, slash - start));
    start = slash + 1;
  }
  result.push_back(text.substr(start));
  return result;
}

bool usable(std::string_view part) {
  return !part.empty() && part.find('/') == std::string_view::npos;
}

}  // namespace

PictureHandle PictureHandle::asset(std::string_view name) {
  PictureHandle handle;
  if (!usable(name)) return handle;
  handle.asset_ = std::string(name);
  handle.token_ = std::string(kAssetPrefix) + "/" + handle.asset_;
  return handle;
}

PictureHandle PictureHandle::stored(std::string_view record, std::string_view face,
                                    std::string_view fallbackAsset) {
  PictureHandle handle;
  const auto slash = record.find('/');
  if (slash == std::string_view::npos || !usable(record.substr(0, slash)) ||
      !usable(record.substr(slash + 1)) || record.substr(0, slash) == kAssetPrefix ||
      !usable(face) || (!fallbackAsset.empty() && !usable(fallbackAsset))) {
    return handle;
  }
  handle.record_ = std::string(record);
  handle.face_ = std::string(face);
  handle.asset_ = std::string(fallbackAsset);
  handle.token_ = handle.record_ + "/" + handle.face_;
  if (!fallbackAsset.empty()) handle.token_ += "/" + handle.asset_;
  return handle;
}

std::optional<PictureHandle> PictureHandle::fromToken(std::string_view token) {
  const auto p = parts(token);
  PictureHandle handle;
  if (p.size() == 2 && p[0] == kAssetPrefix) {
    handle = asset(p[1]);
  } else if (p.size() == 3 || p.size() == 4) {
    handle = stored(token.substr(0, p[0].size() + 1 + p[1].size()), p[2],
                    p.size() == 4 ? p[3] : std::string_view());
  }
  if (handle.isEmpty() || handle.token() != token) return std::nullopt;
  return handle;
}

}  // namespace tockary
