#pragma once

#include <optional>
#include <string_view>

#include "platform/assets/asset_catalog.h"
#include "platform/store/object_store.h"
#include "platform/ui/picture_handle.h"

namespace tockary {

// The two faces of a watch's pictures, as handles name them.
inline constexpr std::string_view kFrontFace = "front";
inline constexpr std::string_view kBackFace = "back";
// The one face of a warranty card's picture.
inline constexpr std::string_view kCardFace = "card";

// The handle of a watch's picture on one side, with the app picture to show when it has none.
PictureHandle watchPicture(const ObjectID& watch, bool front, std::string_view fallbackAsset = {});
// The handle of a warranty card's (Takuu's) picture.
PictureHandle warrantyCardPicture(const ObjectID& card);

// Reads the pictures handles name: app pictures from the catalogue, records' pictures from the
// store. A record without the picture (or gone) gives the handle's fallback, if it has one.
// Reads the store: use it on the thread that uses the context.
class PictureReader {
 public:
  // Both must outlive the reader.
  PictureReader(ManagedObjectContext& context, const AssetCatalog& assets);

  // The encoded picture, or nullopt when there is none to show.
  std::optional<Bytes> read(const PictureHandle& handle) const;
  // Whether the record itself has the picture (false for app pictures).
  bool hasStoredPicture(const PictureHandle& handle) const;

 private:
  std::optional<Bytes> stored(const PictureHandle& handle) const;

  ManagedObjectContext& context_;
  const AssetCatalog& assets_;
};

}  // namespace tockary
