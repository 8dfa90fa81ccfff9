#pragma once
// The window is laid out in skin pixels (the design density, 96 pixels per inch). On a denser
// screen the program is drawn larger by the screen's scale, so that the outline, the hot spots,
// the pictures and the controls keep their places on the painted device.

#include <windows.h>

namespace win {

class DeviceScale {
public:
    // Pixels per inch of the screen, 96 at 100 %.
    explicit DeviceScale(int dotsPerInch);

    int DotsPerInch() const { return dotsPerInch_; }
    // Twips (1/1440 inch) per screen pixel: 15 at 96 pixels per inch, 12 at 120.
    float TwipsPerPixel() const;

    // A length or coordinate in skin pixels as screen pixels, rounded to the nearest (ties to
    // even), as the window region's vertices are.
    int ToScreen(int skinPixels) const;
    RECT ToScreen(int x, int y, int width, int height) const;
    // The height of a font of the given size in points, as CreateFont takes it (negative: the
    // character height without internal leading).
    int FontHeight(double points) const;

private:
    int dotsPerInch_;
};

} // namespace win
