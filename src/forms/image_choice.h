#pragma once

#include <functional>
#include <memory>
#include <string>

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

}  // namespace tockary
