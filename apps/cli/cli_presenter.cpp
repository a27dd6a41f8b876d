#include "cli_presenter.h"

#include <utility>

namespace tockary::cli {

void CliPresenter::present(Sheet sheet) {
  // After a refusal nothing more is answered: the command stops there.
  if (answers_.empty() || refusal_) {
    shown_.push_back(std::move(sheet));
    return;
  }
  Answer answer = std::move(answers_.front());
  answers_.pop_front();
  const SheetAction* action = sheet.actionNamed(answer.action);
  if (action == nullptr) {
    refusal_ = sheet.press(answer.action).description();
    return;
  }
  for (std::size_t i = 0; i < sheet.textFields.size() && i < answer.fieldTexts.size(); ++i) {
    *sheet.textFields[i].text = answer.fieldTexts[i];
  }
  pressed_.push_back(action->identity);
  // The handler may present the next sheet, which comes back here.
  Status pressed = sheet.press(action->identity);
  if (!pressed) refusal_ = pressed.description();
}

void CliPresenter::pickImage(ImageSource /*source*/, std::function<void(PickedImage)> done) {
  std::optional<Bytes> picture = std::exchange(picture_, std::nullopt);
  done(picture ? PickedImage(std::move(*picture)) : PickedImage());
}

}  // namespace tockary::cli
