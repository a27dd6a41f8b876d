#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date.h"

namespace tockary {

enum class SheetStyle { ActionSheet, Alert };
enum class ActionStyle { Default, Cancel, Destructive };
enum class KeyboardKind { Default, Number };

// Text drawn in a named font at a point size.
struct AttributedText {
  std::string text;
  std::string fontName;
  double fontSize = 0;
};

struct SheetAction {
  std::string title;
  ActionStyle style = ActionStyle::Default;
  std::function<void()> handler;  // may be empty: the action only closes the sheet
};

struct SheetTextField {
  std::string placeholder;
  KeyboardKind keyboard = KeyboardKind::Default;
  // Shared by every copy of the sheet: a handler captures it before the sheet is presented and
  // reads what the front end or a test typed into the presented copy.
  std::shared_ptr<std::string> text = std::make_shared<std::string>();
};

struct Frame {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  friend bool operator==(const Frame&, const Frame&) = default;
};

// A decorative picture placed on the sheet, in the sheet's coordinates.
struct SheetImage {
  std::string assetName;  // an image of the asset catalogue; empty when `picture` is given
  Bytes picture;          // encoded image bytes (a watch's own picture)
  Frame frame;
  std::optional<Frame> animatedTo;  // where the picture moves once the sheet is shown
};

// A question or a message for the user, as a value: the screen builds it, a presenter shows it.
struct Sheet {
  SheetStyle style = SheetStyle::Alert;
  std::optional<std::string> title;
  std::optional<std::string> message;
  // What is displayed in place of title and message when set.
  std::optional<AttributedText> attributedTitle;
  std::optional<AttributedText> attributedMessage;
  std::vector<SheetAction> actions;
  std::vector<SheetTextField> textFields;
  std::vector<SheetImage> images;

  // The first action titled `title`, or nullptr.
  const SheetAction* action(std::string_view title) const;
  // Runs the handler of the first action titled `title`; false when there is no such action.
  // The handler may replace or destroy this sheet (it is run from a copy).
  bool press(std::string_view title) const;

  // The headline and message as shown: the attributed text when set, else the plain text,
  // else empty.
  std::string displayedTitle() const;
  std::string displayedMessage() const;
};

}  // namespace tockary
