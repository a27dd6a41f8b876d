#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date.h"
#include "platform/status.h"
#include "platform/ui/navigation_bar.h"

namespace tockary {

enum class SheetStyle { ActionSheet, Alert };
enum class ActionStyle { Default, Cancel, Destructive };
// The style as front ends and scripts name it: "default", "cancel", "destructive".
std::string_view actionStyleName(ActionStyle style);
enum class KeyboardKind { Default, Number };

// Text drawn in a named font at a point size.
struct AttributedText {
  std::string text;
  std::string fontName;
  double fontSize = 0;
};

// One button of a sheet. Front ends and tests choose it by `identity`, which never changes with
// its title (the screen's action name, such as "confirmWear"); the title is only shown.
struct SheetAction {
  std::string identity;
  std::string title;
  ActionStyle style = ActionStyle::Default;
  std::function<void()> handler;  // may be empty: the action only closes the sheet
};

// The identities of the actions that only close a sheet.
inline constexpr std::string_view kCancelAction = "cancel";
inline constexpr std::string_view kOkAction = "ok";
// "Cancel", set apart as cancel actions are.
SheetAction cancelAction();
// "OK" in the given style; it only closes the sheet.
SheetAction okAction(ActionStyle style = ActionStyle::Default);

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

// How a picture's area is drawn around and behind the picture.
struct PictureDecoration {
  std::optional<Rgba> background;
  double cornerRadius = 0;
  Rgba borderColor;
  double borderWidth = 0;
  double shadowRadius = 0;  // a black shadow of the picture's frame, of this blur
  double shadowOpacity = 0;
  double shadowOffsetX = 0;
  double shadowOffsetY = 0;
};

// A turn of a picture once the sheet is shown: an affine rotation by `angle` radians over
// `duration` seconds (drawn as the platform interpolates it, by the angle modulo a full turn),
// then back to rest over `returnDuration` seconds.
struct SpinAnimation {
  double angle = 0;
  double duration = 0;
  double returnDuration = 0;
  friend bool operator==(const SpinAnimation&, const SpinAnimation&) = default;
};

// How a picture reaches its place (and opacity) once the sheet is shown: over `duration`
// seconds, as a spring of this damping ratio (1: no overshoot) and initial velocity.
struct SpringAnimation {
  double duration = 0;
  double damping = 1;
  double initialVelocity = 0;
  friend bool operator==(const SpringAnimation&, const SpringAnimation&) = default;
};

// A decorative picture placed on the sheet, in the sheet's coordinates. With neither an asset
// nor a picture it is an empty area drawn only by its decoration.
struct SheetImage {
  std::string assetName;  // an image of the asset catalogue; empty when `picture` is given
  Bytes picture;          // encoded image bytes (a watch's own picture)
  Frame frame;
  std::optional<Frame> animatedTo;           // where the picture moves once the sheet is shown
  double alpha = 1;                          // its opacity, decoration included
  std::optional<double> animatedAlpha;       // the opacity it reaches once the sheet is shown
  std::optional<SpringAnimation> animation;  // how it reaches animatedTo and animatedAlpha
  PictureDecoration decoration;
  // Placed with its centre on the sheet's horizontal centre (the frame's x is then ignored).
  bool centredHorizontally = false;
  // The frames' x counts from the sheet's horizontal centre rather than its left edge.
  bool xFromCentre = false;
  std::optional<SpinAnimation> spin;
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

  // The action with this identity, or nullptr.
  const SheetAction* action(std::string_view identity) const;
  // The action with this identity, else the first one with exactly this title, or nullptr; for
  // front ends whose user names an action either way.
  const SheetAction* actionNamed(std::string_view identityOrTitle) const;
  // Runs the handler of the action with this identity. An identity the sheet does not have is an
  // error naming the actions it has, and nothing runs. The handler may replace or destroy this
  // sheet (it is run from a copy).
  [[nodiscard]] Status press(std::string_view identity) const;
  // What Esc or a tap beside the sheet presses: the action with the identity "cancel", else the
  // first of style Cancel, else the only action; nullptr when none of these is (the sheet waits
  // for an answer).
  const SheetAction* dismissAction() const;
  // What Enter in a text field presses: the one action that neither cancels nor destroys;
  // nullptr when there is none or more than one.
  const SheetAction* defaultAction() const;
  // The actions as `identity ("Title")`, joined by ", ", for messages that list them.
  std::string actionList() const;

  // The headline and message as shown: the attributed text when set, else the plain text,
  // else empty.
  std::string displayedTitle() const;
  std::string displayedMessage() const;
};

}  // namespace tockary
