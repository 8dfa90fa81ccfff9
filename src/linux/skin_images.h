#pragma once
// The pictures built into the program: the skin, the five lit overlays and the icon, each kept
// whole (file header included) in Qt's resource system.

#include <QImage>

namespace ui {

// Registers the built-in pictures; call once before the first LoadSkinImage.
void InitResources();
// Decodes a built-in picture, e.g. ":/skin.bmp".
QImage LoadSkinImage(const char* resourcePath);

} // namespace ui
