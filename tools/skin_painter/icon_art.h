#pragma once
// The program's icon: the brand's initials "OZ" in white on a black oval, transparent around
// the oval.

#include "ico_writer.h"

#include <QImage>

namespace painter {

// The design at size x size pixels, antialiased, premultiplied ARGB.
QImage IconArt(int size);
// The 32 x 32 icon image: 256 grey levels and a mask that is transparent exactly outside the
// oval (498 pixels).
IndexedIcon IconImage32();

} // namespace painter
