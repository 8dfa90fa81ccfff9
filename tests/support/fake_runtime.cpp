#include "fake_runtime.h"

#include <utility>

namespace {

std::string list(std::initializer_list<std::int64_t> values) {
    std::string text;
    for (const std::int64_t value : values) {
        if (!text.empty()) {
            text += ',';
        }
        text += std::to_string(value);
    }
    return text;
}

// Even-odd rule: a pixel's centre is inside when a ray from it crosses the edges an odd number
// of times.
bool insidePolygon(const std::vector<app::POINTAPI>& points, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const app::POINTAPI a = points[i], b = points[j];
        if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * double(b.x - a.x) / (b.y - a.y)) {
            inside = !inside;
        }
    }
    return inside;
}

} // namespace

std::string NameOf(app::Picture picture) {
    return "Picture" + std::to_string(int(picture));
}

std::string NameOf(app::Label label) {
    return "Label" + std::to_string(int(label));
}

app::HRGN FakeRuntime::add(std::function<bool(std::int32_t, std::int32_t)> contains) {
    regions_.emplace(++lastRegion_, std::move(contains));
    return lastRegion_;
}

void FakeRuntime::record(std::string call) {
    calls.push_back(std::move(call));
}

std::vector<std::string> FakeRuntime::Take() {
    return std::exchange(calls, {});
}

bool FakeRuntime::Contains(app::HRGN region, std::int32_t x, std::int32_t y) const {
    const auto found = regions_.find(region);
    return found != regions_.end() && found->second(x, y);
}

app::HRGN FakeRuntime::CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                     std::int32_t bottom) {
    const app::HRGN handle = add([=](std::int32_t x, std::int32_t y) {
        return x >= left && x < right && y >= top && y < bottom;
    });
    record("CreateRectRgn(" + list({left, top, right, bottom}) + ")=" + std::to_string(handle));
    return handle;
}

app::HRGN FakeRuntime::CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                         std::int32_t bottom) {
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
    const app::HRGN handle = add([=](std::int32_t x, std::int32_t y) {
        const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    });
    record("CreateEllipticRgn(" + list({left, top, right, bottom}) + ")=" + std::to_string(handle));
    return handle;
}

app::HRGN FakeRuntime::CreatePolygonRgn(const app::POINTAPI* points, std::int32_t count,
                                        std::int32_t fillMode) {
    std::vector<app::POINTAPI> copy(points, points + count);
    polygons.push_back(copy);
    const app::HRGN handle = add([copy = std::move(copy)](std::int32_t x, std::int32_t y) {
        return insidePolygon(copy, x + 0.5, y + 0.5);
    });
    record("CreatePolygonRgn(" + list({count, fillMode}) + ")=" + std::to_string(handle));
    return handle;
}

std::int32_t FakeRuntime::CombineRgn(app::HRGN dest, app::HRGN src1, app::HRGN src2,
                                     std::int32_t mode) {
    record("CombineRgn(" + list({dest, src1, src2, mode}) + ")");
    if (!regions_.contains(dest) || !regions_.contains(src1) || !regions_.contains(src2)) {
        return 0;
    }
    auto first = regions_[src1], second = regions_[src2];
    if (mode == app::kRgnCopy) {
        regions_[dest] = first;
    } else if (mode == app::kRgnDiff) {
        regions_[dest] = [=](std::int32_t x, std::int32_t y) {
            return first(x, y) && !second(x, y);
        };
    } else {
        return 0;
    }
    return 1;
}

std::int32_t FakeRuntime::DeleteObject(app::HRGN region) {
    record("DeleteObject(" + std::to_string(region) + ")");
    return regions_.erase(region) == 1 ? 1 : 0;
}

std::int32_t FakeRuntime::PtInRegion(app::HRGN region, std::int32_t x, std::int32_t y) {
    record("PtInRegion(" + list({region, x, y}) + ")");
    return Contains(region, x, y) ? 1 : 0;
}

std::int32_t FakeRuntime::SetWindowRgn(app::HWND window, app::HRGN region, std::int32_t redraw) {
    record("SetWindowRgn(" + list({window, region, redraw}) + ")");
    windowRegion = region;
    return 1;
}

std::int32_t FakeRuntime::ReleaseCapture() {
    record("ReleaseCapture()");
    return 1;
}

std::intptr_t FakeRuntime::SendMessageA(app::HWND window, std::uint32_t message,
                                        std::intptr_t wParam, std::intptr_t lParam) {
    record("SendMessageA(" + list({window, message, wParam, lParam}) + ")");
    return 0;
}

app::HWND FakeRuntime::hWnd() {
    record("hWnd");
    return 7;
}

void FakeRuntime::Hide() {
    record("Hide()");
    hidden = true;
}

void FakeRuntime::SetWindowState(std::int32_t state) {
    record("WindowState=" + std::to_string(state));
    windowState = state;
}

void FakeRuntime::SetMousePointer(std::int32_t pointer) {
    record("MousePointer=" + std::to_string(pointer));
    mousePointer = pointer;
    pointerChanges.push_back(pointer);
}

float FakeRuntime::TwipsPerPixelX() {
    return twipsX;
}

float FakeRuntime::TwipsPerPixelY() {
    return twipsY;
}

bool FakeRuntime::Visible(app::Picture picture) {
    return visible[picture];
}

void FakeRuntime::SetVisible(app::Picture picture, bool shown) {
    record(NameOf(picture) + ".Visible=" + (shown ? "1" : "0"));
    visible[picture] = shown;
}

std::string FakeRuntime::Caption(app::Label label) {
    return captions[label];
}

void FakeRuntime::SetCaption(app::Label label, const std::string& caption) {
    record(NameOf(label) + ".Caption=" + caption);
    captions[label] = caption;
}

std::string FakeRuntime::Text1Text() {
    return text1;
}

std::int32_t FakeRuntime::MsgBox(const std::string& prompt, std::int32_t style,
                                 const std::string& title) {
    record("MsgBox(" + prompt + "," + std::to_string(style) + "," + title + ")");
    boxes.push_back(prompt);
    return app::vbOK;
}

bool FakeRuntime::PrevInstance() {
    record("PrevInstance");
    return previousCopy;
}

std::string FakeRuntime::AppPath() {
    return appPath;
}

void FakeRuntime::End() {
    record("End()");
    throw ProgramEnded{};
}

void FakeRuntime::Beep() {
    record("Beep()");
    ++beeps;
}

void FakeRuntime::DoEvents() {
    record("DoEvents()");
    ++pumps;
    if (onDoEvents) {
        onDoEvents();
    }
}
