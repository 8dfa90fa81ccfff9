#include "windows/scaled_picture.h"

namespace win {
namespace {

// The resource as Windows decodes it, at its own size; released once it has been scaled.
class ResourceBitmap {
public:
    explicit ResourceBitmap(int resourceId)
        : bitmap_(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                  MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0,
                                                  LR_CREATEDIBSECTION))) {}
    ~ResourceBitmap() {
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
    }
    ResourceBitmap(const ResourceBitmap&) = delete;
    ResourceBitmap& operator=(const ResourceBitmap&) = delete;

    HBITMAP Handle() const { return bitmap_; }
    SIZE Size() const {
        BITMAP facts{};
        GetObjectW(bitmap_, sizeof facts, &facts);
        return SIZE{facts.bmWidth, facts.bmHeight};
    }

private:
    HBITMAP bitmap_;
};

} // namespace

ScaledPicture::ScaledPicture(int resourceId, const DeviceScale& scale) {
    const ResourceBitmap source(resourceId);
    if (source.Handle() == nullptr) {
        return;
    }
    const SIZE own = source.Size();
    size_ = SIZE{scale.ToScreen(own.cx), scale.ToScreen(own.cy)};

    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, size_.cx, size_.cy);
    ReleaseDC(nullptr, screen);
    previous_ = SelectObject(dc_, bitmap_);

    HDC sourceDc = CreateCompatibleDC(dc_);
    HGDIOBJ sourcePrevious = SelectObject(sourceDc, source.Handle());
    // Whole pixels repeated, never blended: the skin's colours stay exactly the painted ones.
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, 0, 0, size_.cx, size_.cy, sourceDc, 0, 0, own.cx, own.cy, SRCCOPY);
    SelectObject(sourceDc, sourcePrevious);
    DeleteDC(sourceDc);
}

ScaledPicture::~ScaledPicture() {
    if (dc_ != nullptr) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) {
        DeleteObject(bitmap_);
    }
}

void ScaledPicture::Draw(HDC target, const RECT& area, POINT from) const {
    if (dc_ == nullptr) {
        return;
    }
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_, from.x,
           from.y, SRCCOPY);
}

} // namespace win
