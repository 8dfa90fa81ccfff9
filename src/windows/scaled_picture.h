#pragma once
// A picture built into the program (a BITMAP resource), stretched once to the screen's scale
// and kept ready to draw.

#include "windows/device_scale.h"

#include <windows.h>

namespace win {

class ScaledPicture {
public:
    ScaledPicture(int resourceId, const DeviceScale& scale);
    ~ScaledPicture();
    ScaledPicture(const ScaledPicture&) = delete;
    ScaledPicture& operator=(const ScaledPicture&) = delete;

    // Whether the resource was found and decoded.
    bool Loaded() const { return bitmap_ != nullptr; }
    SIZE Size() const { return size_; }
    // Copies the part of the picture that starts at `from` into `area` of the target, at the
    // picture's own scale: no stretching at drawing time.
    void Draw(HDC target, const RECT& area, POINT from) const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    SIZE size_{0, 0};
};

} // namespace win
