#pragma once

#include <optional>

namespace tockary {

enum class BarStyle { Default, Black };

struct Rgba {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

inline constexpr Rgba kBlack{0, 0, 0, 1};
// The platform's named greys.
inline constexpr Rgba kDarkGray{1.0 / 3, 1.0 / 3, 1.0 / 3, 1};
inline constexpr Rgba kGray{0.5, 0.5, 0.5, 1};
inline constexpr Rgba kLightGray{2.0 / 3, 2.0 / 3, 2.0 / 3, 1};

// How a screen asks for its navigation bar to look; the front end applies it.
struct NavigationBarStyle {
  BarStyle barStyle = BarStyle::Default;
  bool isTranslucent = true;
  std::optional<Rgba> barTintColor;  // nullopt: the platform's default
};

}  // namespace tockary
