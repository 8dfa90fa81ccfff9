#pragma once
// Where the window's hot spots and controls lie on the device, in skin pixels from the window's
// top-left corner. The window, its layout, the skin painter and the tests all take them from
// here; the painted features sit under these boxes.

#include <QRect>
#include <QSize>

namespace shape {

// The window's client area.
inline constexpr QSize kClientSize{347, 429};

// The round hot spots: the discs inscribed in these boxes.
inline constexpr QRect kCloseSpot{279, 65, 15, 15};
inline constexpr QRect kMinimiseSpot{279, 84, 15, 15};
inline constexpr QRect kHelpSpot{279, 104, 15, 15};

// The highlight pictures over the spots: Picture2 close, Picture3 minimise, Picture1 help.
inline constexpr QRect kCloseHighlight{279, 65, 16, 16};
inline constexpr QRect kMinimiseHighlight{279, 84, 16, 16};
inline constexpr QRect kHelpHighlight{279, 104, 16, 16};

// The arrows: Picture4 previous match, Picture5 next match.
inline constexpr QRect kPreviousArrow{121, 266, 24, 19};
inline constexpr QRect kNextArrow{219, 266, 24, 19};

// The search box Text1 in the input strip.
inline constexpr QRect kSearchBox{4, 393, 336, 33};

// The labels on the screen: Label6 Nom, Label8 Description, Label5 cd; and the counter Label4
// on the plate between the arrows.
inline constexpr QRect kNomLabel{107, 66, 150, 15};
inline constexpr QRect kDescriptionLabel{105, 98, 153, 130};
inline constexpr QRect kCdLabel{130, 236, 112, 27};
inline constexpr QRect kCounterLabel{146, 269, 71, 16};

// The data control Data1, in the black corner outside the window's region.
inline constexpr QRect kDataControl{276, -1, 73, 23};

} // namespace shape
