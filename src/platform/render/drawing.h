#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/date.h"
#include "platform/ui/navigation_bar.h"
#include "platform/ui/sheet.h"

namespace tockary {

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// A shadow under text or a shape: offset and blur radius in points; its opacity is the colour's.
struct Shadow {
  double dx = 0;
  double dy = 0;
  double blurRadius = 0;
  Rgba colour{0, 0, 0, 1};
  friend bool operator==(const Shadow&, const Shadow&) = default;
};

// Text in one named font ("HelveticaNeue", "HelveticaNeue-Bold", "Courier-Bold", ...). Tabs stop
// every 28 points, as the phone lays text out.
struct TextRun {
  std::string text;
  std::string fontName;
  double pointSize = 12;
  Rgba colour{0, 0, 0, 1};
  std::optional<Shadow> shadow;
  friend bool operator==(const TextRun&, const TextRun&) = default;
};

enum class TextAlignment { Left, Centre, Right };

// Runs laid out from the top left of `frame` (the line fragment's origin), wrapped at its width
// and clipped to it.
struct DrawnText {
  std::vector<TextRun> runs;
  Frame frame;
  TextAlignment alignment = TextAlignment::Left;
  friend bool operator==(const DrawnText&, const DrawnText&) = default;
};

// How a picture fills its frame: stretched to it (as the phone draws an image in a rectangle),
// whole within it, or covering it (cut at the frame).
enum class PictureScaling { Stretch, AspectFit, AspectFill };

// A picture scaled into `frame`: encoded PNG or JPEG bytes, or else an image of the asset
// catalogue by name.
struct DrawnPicture {
  Bytes encoded;
  std::string assetName;
  Frame frame;
  PictureScaling scaling = PictureScaling::Stretch;
  double cornerRadius = 0;  // clipped to the frame with its corners rounded so
  friend bool operator==(const DrawnPicture&, const DrawnPicture&) = default;
};

struct DrawnRule {
  Point from;
  Point to;
  double width = 1;
  Rgba colour{0, 0, 0, 1};
  friend bool operator==(const DrawnRule&, const DrawnRule&) = default;
};

// A rectangle, its corners rounded by `cornerRadius`, filled, with a border drawn inside the frame
// and a shadow of its shape under it.
struct FilledRect {
  Frame frame;
  Rgba colour{0, 0, 0, 1};
  double cornerRadius = 0;
  double borderWidth = 0;
  Rgba borderColour{0, 0, 0, 0};
  std::optional<Shadow> shadow = std::nullopt;
  friend bool operator==(const FilledRect&, const FilledRect&) = default;
};

using DrawingElement = std::variant<DrawnText, DrawnPicture, DrawnRule, FilledRect>;

// A page or an image as a value: its size in points and what is drawn on it, in order. Screens
// build drawings; the renderers turn them into PDF pages or PNG images.
struct Drawing {
  Size size;
  std::vector<DrawingElement> elements;
};

}  // namespace tockary
