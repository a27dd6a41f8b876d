#include "forms/image_choice.h"

#include "platform/ui/diagnostics.h"

namespace tockary {

Sheet imageChoiceSheet(Presenter& presenter, std::string title, std::weak_ptr<bool> alive,
                       std::function<void(PickedImage)> chosen, std::function<void()> noCamera) {
  const auto open = [alive] {
    const auto flag = alive.lock();
    return flag && *flag;
  };
  const auto pick = [&presenter, open, chosen = std::move(chosen)](ImageSource source) {
    presenter.pickImage(source, [open, chosen](PickedImage picked) {
      if (open()) chosen(std::move(picked));
    });
  };
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = std::move(title);
  sheet.actions.push_back(
      {"camera", "Camera", ActionStyle::Default, [&presenter, open, pick, noCamera] {
         if (!open()) return;
         if (presenter.cameraAvailable()) {
           pick(ImageSource::Camera);
         } else if (noCamera) {
           noCamera();
         }
       }});
  sheet.actions.push_back({"photoGallery", "Photo Gallery", ActionStyle::Default, [open, pick] {
                             if (open()) pick(ImageSource::PhotoLibrary);
                           }});
  sheet.actions.push_back(cancelAction());
  return sheet;
}

std::optional<Result<Image>> decodePickedImage(const ImageCodec& codec, PickedImage picked) {
  if (!picked) return std::nullopt;
  Result<Image> image =
      picked->isOk() ? codec.decode(picked->value()) : Result<Image>(picked->status());
  if (!image) diagnostic(image.status().description());
  return image;
}

}  // namespace tockary
