#include "platform/ui/sheet.h"

namespace tockary {

std::string_view actionStyleName(ActionStyle style) {
  switch (style) {
    case ActionStyle::Cancel:
      return "cancel";
    case ActionStyle::Destructive:
      return "destructive";
    case ActionStyle::Default:
      break;
  }
  return "default";
}

SheetAction cancelAction() {
  return {std::string(kCancelAction), "Cancel", ActionStyle::Cancel, {}};
}

SheetAction okAction(ActionStyle style) { return {std::string(kOkAction), "OK", style, {}}; }

const SheetAction* Sheet::action(std::string_view identity) const {
  for (const SheetAction& a : actions) {
    if (a.identity == identity) return &a;
  }
  return nullptr;
}

const SheetAction* Sheet::actionNamed(std::string_view identityOrTitle) const {
  if (const SheetAction* byIdentity = action(identityOrTitle)) return byIdentity;
  for (const SheetAction& a : actions) {
    if (a.title == identityOrTitle) return &a;
  }
  return nullptr;
}

Status Sheet::press(std::string_view identity) const {
  const SheetAction* a = action(identity);
  if (a == nullptr) {
    return Status::error("The sheet \"" + displayedTitle() + "\" has no action \"" +
                             std::string(identity) + "\"; it has: " + actionList(),
                         {{"action", std::string(identity)}});
  }
  // A handler often presents the next sheet, which may free the one that holds it.
  const std::function<void()> handler = a->handler;
  if (handler) handler();
  return Status::ok();
}

const SheetAction* Sheet::dismissAction() const {
  if (const SheetAction* cancel = action(kCancelAction)) return cancel;
  for (const SheetAction& a : actions) {
    if (a.style == ActionStyle::Cancel) return &a;
  }
  return actions.size() == 1 ? &actions.front() : nullptr;
}

const SheetAction* Sheet::defaultAction() const {
  const SheetAction* found = nullptr;
  for (const SheetAction& a : actions) {
    if (a.style != ActionStyle::Default || a.identity == kCancelAction) continue;
    if (found != nullptr) return nullptr;
    found = &a;
  }
  return found;
}

std::string Sheet::actionList() const {
  std::string list;
  for (const SheetAction& a : actions) {
    if (!list.empty()) list += ", ";
    list += a.identity + " (\"" + a.title + "\")";
  }
  return list;
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
