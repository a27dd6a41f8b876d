#include "support/recording_presenter.h"

#include <utility>

namespace tockary {

void RecordingPresenter::present(Sheet sheet) { events_.emplace_back(std::move(sheet)); }

void RecordingPresenter::push(ScreenRequest request) { events_.emplace_back(std::move(request)); }

void RecordingPresenter::pop(int count) { events_.emplace_back(Pop{count}); }

void RecordingPresenter::share(ShareRequest request) {
  events_.emplace_back(Share{std::move(request)});
}

void RecordingPresenter::pickImage(ImageSource source, std::function<void(PickedImage)> done) {
  events_.emplace_back(ImagePick{source});
  pendingPick_ = std::move(done);
}

std::vector<Sheet> RecordingPresenter::sheets() const {
  std::vector<Sheet> result;
  for (const Event& e : events_) {
    if (const Sheet* s = std::get_if<Sheet>(&e)) result.push_back(*s);
  }
  return result;
}

const Sheet* RecordingPresenter::lastSheet() const {
  for (auto it = events_.rbegin(); it != events_.rend(); ++it) {
    if (const Sheet* s = std::get_if<Sheet>(&*it)) return s;
  }
  return nullptr;
}

Status RecordingPresenter::press(std::string_view identity) {
  const Sheet* sheet = lastSheet();
  if (sheet == nullptr) return Status::error("No sheet is shown");
  // Sheet::press runs the handler from a copy, so a handler that presents again (and so
  // moves the recorded sheets) is safe.
  return sheet->press(identity);
}

bool RecordingPresenter::answerImagePick(PickedImage picture) {
  if (!pendingPick_) return false;
  // Taken out first: the callback may start the next pick.
  auto done = std::exchange(pendingPick_, nullptr);
  done(std::move(picture));
  return true;
}

void RecordingPresenter::clear() {
  events_.clear();
  pendingPick_ = nullptr;
}

}  // namespace tockary
