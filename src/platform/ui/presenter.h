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
  // Offers file paths or texts to the share sheet.
  virtual void share(std::vector<std::string> items) = 0;
  // Asks for a picture; `done` gets the answer, possibly later, after the caller has returned.
  virtual void pickImage(ImageSource source, std::function<void(PickedImage)> done) = 0;
  virtual bool cameraAvailable() const = 0;
};

// Keeps every request in order instead of showing it; tests (and the CLI) answer for the user.
class RecordingPresenter final : public Presenter {
 public:
  struct Pop {
    int count = 0;
  };
  struct Share {
    std::vector<std::string> items;
  };
  struct ImagePick {
    ImageSource source = ImageSource::PhotoLibrary;
  };
  using Event = std::variant<Sheet, ScreenRequest, Pop, Share, ImagePick>;

  void present(Sheet sheet) override;
  void push(ScreenRequest request) override;
  void pop(int count) override;
  void share(std::vector<std::string> items) override;
  // Records the request and keeps `done` until answerImagePick; a newer pick replaces it.
  void pickImage(ImageSource source, std::function<void(PickedImage)> done) override;
  bool cameraAvailable() const override { return cameraAvailable_; }
  void setCameraAvailable(bool available) { cameraAvailable_ = available; }

  const std::vector<Event>& events() const { return events_; }
  std::vector<Sheet> sheets() const;
  // The most recently presented sheet, or nullptr.
  const Sheet* lastSheet() const;
  // Presses an action of the last sheet; false when there is no sheet or no such action.
  bool pressOnLastSheet(std::string_view title);

  bool imagePickPending() const { return static_cast<bool>(pendingPick_); }
  // Answers the pending pick (nullopt = cancelled); false when none is pending.
  bool answerImagePick(PickedImage picture);

  void clear();

 private:
  std::vector<Event> events_;
  std::function<void(PickedImage)> pendingPick_;
  bool cameraAvailable_ = true;
};

}  // namespace tockary
