#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tockary {

// A picture a screen shows, handed to a front end without its bytes: one of the app's own
// pictures by name, or a record's stored picture by the record and its face, optionally with an
// app picture to show when the record has none. Front ends treat the token as opaque text and
// hand it back to have the picture read; it never names a stored attribute.
class PictureHandle {
 public:
  // No picture at all.
  PictureHandle() = default;
  static PictureHandle asset(std::string_view name);
  // `record` is the record's id as text ("Kello/12"), `face` a word of the record's kind
  // ("front", "back").
  static PictureHandle stored(std::string_view record, std::string_view face,
                              std::string_view fallbackAsset = {});
  // The handle a token stands for; nullopt for text that is no token.
  static std::optional<PictureHandle> fromToken(std::string_view token);

  bool isEmpty() const { return token_.empty(); }
  bool isAsset() const { return !isEmpty() && record_.empty(); }
  bool isStored() const { return !record_.empty(); }
  // The app picture: the one named, or the fallback of a stored picture (maybe empty).
  const std::string& assetName() const { return asset_; }
  const std::string& record() const { return record_; }
  const std::string& face() const { return face_; }
  // "asset/nopic.png", "Kello/12/front" or "Kello/12/front/insertpic_front.png".
  const std::string& token() const { return token_; }

  friend bool operator==(const PictureHandle& a, const PictureHandle& b) {
    return a.token_ == b.token_;
  }

 private:
  std::string asset_, record_, face_, token_;
};

}  // namespace tockary
