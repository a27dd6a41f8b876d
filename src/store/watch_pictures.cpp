#include "store/watch_pictures.h"

#include "store/records.h"

namespace tockary {

namespace {

// Where each record kind keeps the picture of each face.
struct StoredFace {
  std::string_view entity;
  std::string_view face;
  std::string_view attribute;
};
constexpr StoredFace kStoredFaces[] = {
    {"Kello", kFrontFace, "kellokuva"},
    {"Kello", kBackFace, "varasarake6"},
    {"Takuu", kCardFace, "takuuKortti"},
};

}  // namespace

PictureHandle watchPicture(const ObjectID& watch, bool front, std::string_view fallbackAsset) {
  return PictureHandle::stored(watch.text(), front ? kFrontFace : kBackFace, fallbackAsset);
}

PictureHandle warrantyCardPicture(const ObjectID& card) {
  return PictureHandle::stored(card.text(), kCardFace);
}

PictureReader::PictureReader(ManagedObjectContext& context, const AssetCatalog& assets)
    : context_(context), assets_(assets) {}

std::optional<Bytes> PictureReader::stored(const PictureHandle& handle) const {
  if (!handle.isStored()) return std::nullopt;
  const auto id = ObjectID::fromText(handle.record());
  if (!id) return std::nullopt;
  for (const StoredFace& known : kStoredFaces) {
    if (known.entity != id->entity || known.face != handle.face()) continue;
    const auto record = context_.existingObject(*id);
    if (!record) return std::nullopt;
    Value value = record->valueForKey(known.attribute);
    if (auto* bytes = std::get_if<Bytes>(&value)) return std::move(*bytes);
    return std::nullopt;
  }
  return std::nullopt;
}

bool PictureReader::hasStoredPicture(const PictureHandle& handle) const {
  return stored(handle).has_value();
}

std::optional<Bytes> PictureReader::read(const PictureHandle& handle) const {
  if (auto picture = stored(handle)) return picture;
  if (handle.assetName().empty()) return std::nullopt;
  auto asset = assets_.imageNamed(handle.assetName());
  if (!asset) return std::nullopt;
  return std::move(asset).value();
}

}  // namespace tockary
