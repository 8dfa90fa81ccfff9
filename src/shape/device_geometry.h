#pragma once
// Where the window's hot spots and controls lie on the device, in skin pixels from the window's
// top-left corner. The window, its layout, the skin painter and the tests all take them from
// here; the painted features sit under these boxes.

namespace shape {

// A box of whole pixels; right and bottom are exclusive.
struct Box {
    int left, top, width, height;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
};

struct Size {
    int width, height;
};

// The window's client area.
inline constexpr Size kClientSize{347, 429};

// The round hot spots: the discs inscribed in these boxes.
inline constexpr Box kCloseSpot{279, 65, 15, 15};
inline constexpr Box kMinimiseSpot{279, 84, 15, 15};
inline constexpr Box kHelpSpot{279, 104, 15, 15};

// The highlight pictures over the spots: Picture2 close, Picture3 minimise, Picture1 help.
inline constexpr Box kCloseHighlight{279, 65, 16, 16};
inline constexpr Box kMinimiseHighlight{279, 84, 16, 16};
inline constexpr Box kHelpHighlight{279, 104, 16, 16};

// The arrows: Picture4 previous match, Picture5 next match.
inline constexpr Box kPreviousArrow{121, 266, 24, 19};
inline constexpr Box kNextArrow{219, 266, 24, 19};

// The search box Text1 in the input strip.
inline constexpr Box kSearchBox{4, 393, 336, 33};

// The labels on the screen: Label6 Nom, Label8 Description, Label5 cd; and the counter Label4
// on the plate between the arrows.
inline constexpr Box kNomLabel{107, 66, 150, 15};
inline constexpr Box kDescriptionLabel{105, 98, 153, 130};
inline constexpr Box kCdLabel{130, 236, 112, 27};
inline constexpr Box kCounterLabel{146, 269, 71, 16};

// The data control Data1, in the black corner outside the window's region.
inline constexpr Box kDataControl{276, -1, 73, 23};

} // namespace shape
