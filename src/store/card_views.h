#pragma once

// The two rounded card backgrounds the screens draw behind grouped content.

namespace tockary {

struct CardColor {
  double red, green, blue, alpha;
};

inline constexpr CardColor kCardBlack{0, 0, 0, 1};
inline constexpr CardColor kCardDarkGray{1.0 / 3, 1.0 / 3, 1.0 / 3, 1};
inline constexpr CardColor kCardLightGray{2.0 / 3, 2.0 / 3, 2.0 / 3, 1};

struct CardStyle {
  double cornerRadius;
  double borderWidth;
  CardColor borderColor;
  CardColor shadowColor;
  double shadowOffsetX, shadowOffsetY;
  double shadowRadius;
  double shadowOpacity;
  bool clipsSubviews;  // content is clipped to the rounded card...
  bool masksToBounds;  // ...but the layer is not, so the shadow stays visible
};

inline constexpr CardStyle kCustomView{8.0, 1.4,  kCardDarkGray, kCardBlack, 0,
                                       0,   12.0, 0.5,           true,       false};
inline constexpr CardStyle kCustomLightView{8.0, 1.4, kCardDarkGray, kCardLightGray, 0,
                                            0,   4.0, 0.6,           true,           false};

}  // namespace tockary
