#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/date.h"
#include "platform/status.h"
#include "platform/ui/share.h"
#include "platform/ui/sheet.h"

namespace tockary {

enum class ImageSource { PhotoLibrary, Camera };

// What a picture pick answers: the picture's encoded bytes, or why the chosen file cannot be used
// (a folder, a file too large); nullopt when the user cancelled.
using PickedImage = std::optional<Result<Bytes>>;

// A screen to open. Records travel as store identities in text form ("Kello/12").
struct ScreenRequest {
  std::string screen;
  std::string objectId;
  std::map<std::string, std::string> arguments;
};

// Everything a screen shows beyond its own fields: sheets, navigation, share sheet, pictures.
class Presenter {
 public:
  virtual ~Presenter() = default;

  virtual void present(Sheet sheet) = 0;
  virtual void push(ScreenRequest request) = 0;
  // Closes the `count` topmost screens.
  virtual void pop(int count) = 0;
  // Opens the share sheet on the request's items, without the activities it excludes.
  virtual void share(ShareRequest request) = 0;
  // Asks for a picture; `done` gets the answer, possibly later, after the caller has returned.
  virtual void pickImage(ImageSource source, std::function<void(PickedImage)> done) = 0;
  virtual bool cameraAvailable() const = 0;
};

}  // namespace tockary
