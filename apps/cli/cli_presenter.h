#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/presenter.h"

namespace tockary::cli {

// The command line's presenter. A command never asks the user: before it runs a screen's
// operation it says which action answers each sheet the screen will present (--yes, --choose, a
// sort entry), in order, by identity or by exact title. A sheet with no answer left is kept for
// the command to print. An answer naming an action the sheet does not have presses nothing and
// is kept as the refusal, which the command reports (exit 2) instead of printing anything.
class CliPresenter final : public Presenter {
 public:
  struct Answer {
    std::string action;
    // Typed into the sheet's text fields, in order, before the action is pressed.
    std::vector<std::string> fieldTexts;
  };

  void answerNextSheet(Answer answer) { answers_.push_back(std::move(answer)); }
  // What the image picker gives when a screen asks for a picture; without it the pick is
  // cancelled.
  void givePicture(Bytes picture) { picture_ = std::move(picture); }

  void present(Sheet sheet) override;
  // Navigation is not shown on the command line.
  void push(ScreenRequest) override {}
  void pop(int) override {}
  void share(ShareRequest request) override { shared_.push_back(std::move(request)); }
  void pickImage(ImageSource source, std::function<void(PickedImage)> done) override;
  bool cameraAvailable() const override { return false; }

  // What the screens handed to the share sheet, in order.
  const std::vector<ShareRequest>& sharedRequests() const { return shared_; }
  // The sheets presented and not answered, in order.
  const std::vector<Sheet>& shownSheets() const { return shown_; }
  // The identities of the actions pressed, in order.
  const std::vector<std::string>& pressedActions() const { return pressed_; }
  // Why an answer was refused ("The sheet ... has no action ...; it has: ..."), if one was.
  const std::optional<std::string>& refusal() const { return refusal_; }

 private:
  std::deque<Answer> answers_;
  std::optional<Bytes> picture_;
  std::vector<Sheet> shown_;
  std::vector<ShareRequest> shared_;
  std::vector<std::string> pressed_;
  std::optional<std::string> refusal_;
};

}  // namespace tockary::cli
