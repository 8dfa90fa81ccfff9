#pragma once
// Where the device's features lie on the skin, in skin pixels. The window's controls and hot
// spots stand on some of them, and those boxes come from the window's own geometry; QRect
// bounds are inclusive.

#include "shape/device_geometry.h"

#include <QPoint>
#include <QRect>
#include <array>

namespace painter::layout {

constexpr QRect rectOf(shape::Box box) {
    return QRect(box.left, box.top, box.width, box.height);
}

inline constexpr int kSkinWidth = 353;
inline constexpr int kSkinHeight = 437;

// The dark name plate on the title block.
inline constexpr QRect kNamePlate{128, 25, 120, 14};

// The green screen (x 102..261, y 63..262) and the metal bezel around it, which widens at the
// bottom into the arrow bar (y 263..286).
inline constexpr QRect kScreen{102, 63, 160, 200};
inline constexpr QRect kBezel{94, 55, 176, 232};
inline constexpr QRect kArrowBar{94, 263, 176, 24};

// Arrows: the picture boxes' full images are 25 x 19; the triangles stay in the first 24
// columns, the boxes.
inline constexpr QRect kLeftArrowBox = rectOf(shape::kPreviousArrow);
inline constexpr QRect kRightArrowBox = rectOf(shape::kNextArrow);
inline constexpr QRect kLeftArrowImage = kLeftArrowBox.adjusted(0, 0, 1, 0);
inline constexpr QRect kRightArrowImage = kRightArrowBox.adjusted(0, 0, 1, 0);
// Plain metal between the arrows, where the counter is written.
inline constexpr QRect kCounterPlate = rectOf(shape::kCounterLabel);

// The recess with the three round buttons under the highlights: close (cross), minimise
// (minus), help (?).
inline constexpr QRect kRecess{274, 55, 27, 71};
inline constexpr int kButtonSize = shape::kCloseHighlight.width;
enum class ButtonMark { Cross, Minus, Question };
struct ButtonPlace {
    QPoint topLeft;
    ButtonMark mark;
};
inline constexpr std::array<ButtonPlace, 3> kButtons = {{
    {rectOf(shape::kCloseHighlight).topLeft(), ButtonMark::Cross},
    {rectOf(shape::kMinimiseHighlight).topLeft(), ButtonMark::Minus},
    {rectOf(shape::kHelpHighlight).topLeft(), ButtonMark::Question},
}};

// The logo in the lower casing.
inline constexpr QRect kLogo{45, 300, 261, 66};

// The input strip: 3-pixel frame around a black interior.
inline constexpr QRect kStripOuter{1, 384, 343, 45};
inline constexpr QRect kStripInterior{4, 388, 336, 37};

// The bar joining the strip to the casing under the cable, and the capsule connector.
inline constexpr QRect kBridge{251, 372, 91, 13};

} // namespace painter::layout
