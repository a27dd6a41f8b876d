#include "platform/ui/sheet.h"

namespace tockary {

const SheetAction* Sheet::action(std::string_view wanted) const {
  for (const SheetAction& a : actions) {
    if (a.title == wanted) return &a;
  }
  return nullptr;
}

bool Sheet::press(std::string_view wanted) const {
  const SheetAction* a = action(wanted);
  if (a == nullptr) return false;
  // A handler often presents the next sheet, which may free the one that holds it.
  const std::function<void()> handler = a->handler;
  if (handler) handler();
  return true;
}

std::string Sheet::displayedTitle() const {
  if (attributedTitle) return attributedTitle->text;
  return title.value_or("");
}

std::string Sheet::displayedMessage() const {
  if (attributedMessage) return attributedMessage->text;
  return message.value_or("");
}

}  // namespace tockary
