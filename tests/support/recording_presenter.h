#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/status.h"
#include "platform/ui/presenter.h"

namespace tockary {

// A fake for tests: keeps every request in order instead of showing it, and lets the test answer
// for the user. Never part of a front end.
class RecordingPresenter final : public Presenter {
 public:
  struct Pop {
    int count = 0;
  };
  struct Share {
    ShareRequest request;
  };
  struct ImagePick {
    ImageSource source = ImageSource::PhotoLibrary;
  };
  using Event = std::variant<Sheet, ScreenRequest, Pop, Share, ImagePick>;

  void present(Sheet sheet) override;
  void push(ScreenRequest request) override;
  void pop(int count) override;
  void share(ShareRequest request) override;
  // Records the request and keeps `done` until answerImagePick; a newer pick replaces it.
  void pickImage(ImageSource source, std::function<void(PickedImage)> done) override;
  bool cameraAvailable() const override { return cameraAvailable_; }
  void setCameraAvailable(bool available) { cameraAvailable_ = available; }

  const std::vector<Event>& events() const { return events_; }
  std::vector<Sheet> sheets() const;
  // The most recently presented sheet, or nullptr.
  const Sheet* lastSheet() const;
  // Presses the action with this identity on the last sheet; an error when there is no sheet or
  // the sheet has no such action.
  [[nodiscard]] Status press(std::string_view identity);

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
