// The brand's name in large raised letters of rusty metal on the lower casing, with the
// second word smaller beneath it.

#include "lettering.h"
#include "relief.h"
#include "skin_parts.h"
#include "texture.h"

#include <cmath>

namespace painter {
namespace {

constexpr BlockStyle kNameStyle{40.0f, 8.5f, 7.0f};
constexpr BlockStyle kSecondStyle{13.0f, 3.2f, 9.0f};

Rgb rustAt(int x, int y) {
    const QRect& logo = layout::kLogo;
    // Lighter towards the top of the letters, where the light falls.
    const float v = std::clamp(float(y - logo.y()) / 48.0f, 0.0f, 1.0f);
    Rgb colour = Mix(FromBytes(184, 92, 44), FromBytes(120, 52, 24), v);
    const float patina = Fractal(x, y, 7.0f, 151u);
    colour = Mix(colour, FromBytes(92, 46, 26), std::clamp((patina - 0.55f) * 2.5f, 0.0f, 0.7f));
    const float bright = Fractal(x, y, 4.0f, 157u);
    colour = Mix(colour, FromBytes(214, 128, 66), std::clamp((bright - 0.62f) * 2.0f, 0.0f, 0.5f));
    // Pits in the corroded surface.
    if (Hash(x, y, 163u) > 0.93f) {
        colour = colour * 0.7f;
    }
    return colour * (0.95f + 0.1f * Hash(x, y, 167u));
}

void raisedLetters(Canvas& canvas, const QPainterPath& letters, float bevel) {
    const Mask mask = Mask::FromPath(letters, canvas.width(), canvas.height());
    DropShadow(canvas, mask, 3, 3, 2, 0.6f);
    Composite(canvas, mask, rustAt);
    Bevel(canvas, mask, bevel, 0.65f);
}

} // namespace

void PaintLogo(Canvas& canvas) {
    const QRect& logo = layout::kLogo;
    const float centre = float(logo.x()) + float(logo.width()) / 2.0f - 8.0f;
    const QString name = QStringLiteral("ORVANE");
    const QString second = QStringLiteral("ZELKIS");
    const QPointF nameOrigin(centre - BlockWidth(name, kNameStyle) / 2.0f, logo.y() + 2.0);
    raisedLetters(canvas, BlockWord(name, nameOrigin, kNameStyle), 3.0f);
    const QPointF secondOrigin(centre - BlockWidth(second, kSecondStyle) / 2.0f,
                               logo.y() + kNameStyle.height + 9.0);
    raisedLetters(canvas, BlockWord(second, secondOrigin, kSecondStyle), 1.5f);
}

} // namespace painter
