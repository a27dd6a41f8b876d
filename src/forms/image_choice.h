#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/image/image_codec.h"
#include "platform/ui/presenter.h"
#include "platform/ui/sheet.h"

namespace tockary {

// The action sheet from which an editor takes a picture, under `title`: "Camera" (identity
// "camera"), "Photo Gallery" ("photoGallery") and "Cancel". Each of the first two asks `presenter`
// for a picture from its source and hands the answer to `chosen`, unless the screen closed
// meanwhile (`alive` expired or false). Without a camera, "Camera" runs `noCamera` instead; when
// that is empty nothing happens.
Sheet imageChoiceSheet(Presenter& presenter, std::string title, std::weak_ptr<bool> alive,
                       std::function<void(PickedImage)> chosen,
                       std::function<void()> noCamera = {});

// The picture a pick answered, decoded; nullopt when the user cancelled. A refused file or bytes
// that do not decode give the error, which also goes to the diagnostics.
std::optional<Result<Image>> decodePickedImage(const ImageCodec& codec, PickedImage picked);

}  // namespace tockary
