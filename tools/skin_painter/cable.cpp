// The lower right of the device: a mechanical arm holding a ribbed brown cable that loops out
// from the casing and down into a capsule-shaped connector on the input strip. The gap the
// loop encloses is the window's hole, cut afterwards.

#include "relief.h"
#include "skin_parts.h"
#include "texture.h"

#include <QPainterPath>
#include <QPainterPathStroker>
#include <cmath>

namespace painter {
namespace {

const MetalStyle kArmMetal{FromBytes(118, 121, 125), 0.06f, 0.03f, 0.03f, 173u};
const MetalStyle kBridgeMetal{FromBytes(104, 107, 111), 0.07f, 0.03f, 0.06f, 179u};
const MetalStyle kConnectorMetal{FromBytes(160, 163, 166), 0.04f, 0.02f, 0.02f, 181u};

const QPointF kHub(311.5, 337.5);
const QPointF kClamp(343.0, 336.0);
// Where the cable leaves the casing.
const QPointF kPort(331.5, 320.5);

QPainterPath cableCentreLine() {
    QPainterPath line;
    line.moveTo(kPort);
    line.cubicTo(338, 321, 343, 327, 343.5, 336);
    line.cubicTo(344, 344, 344, 350, 340.5, 355.5);
    line.cubicTo(338, 359, 335, 361, 332.5, 366);
    return line;
}

Mask stroke(const Canvas& canvas, const QPainterPath& line, qreal width, Qt::PenCapStyle cap) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    return Mask::FromPath(stroker.createStroke(line), canvas.width(), canvas.height());
}

// Brown rubber with a rib every 2.5 pixels along the cable, lit as a round tube.
void paintCable(Canvas& canvas, const Mask& device) {
    const QPainterPath line = cableCentreLine();
    const Mask tube = stroke(canvas, line, 7.0, Qt::FlatCap).intersected(device);
    DropShadow(canvas, tube, 2, 2, 1, 0.5f);
    // Distance along the cable for each pixel: sample the centre line finely.
    std::vector<QPointF> samples;
    for (int i = 0; i <= 400; ++i) {
        samples.push_back(line.pointAtPercent(qreal(i) / 400.0));
    }
    const qreal length = line.length();
    Composite(canvas, tube, [&](int x, int y) {
        const QPointF p(x + 0.5, y + 0.5);
        std::size_t best = 0;
        qreal bestDistance = 1e9;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const QPointF d = samples[i] - p;
            const qreal dd = d.x() * d.x() + d.y() * d.y();
            if (dd < bestDistance) {
                bestDistance = dd;
                best = i;
            }
        }
        const float along = float(length * qreal(best) / 400.0);
        const float rib = 0.5f + 0.5f * std::cos(along / 2.6f * 6.2832f);
        const float across = float(std::sqrt(bestDistance)) / 3.5f;
        const float round = std::sqrt(std::max(0.0f, 1.0f - across * across));
        const Rgb brown = FromBytes(118, 74, 42) * (0.45f + 0.7f * round) * (0.72f + 0.35f * rib);
        return brown * (0.95f + 0.1f * Hash(x, y, 191u));
    });
    Bevel(canvas, tube, 1.5f, 0.4f);
}

// A rubber-lined socket in the casing that the cable comes out of.
void paintPort(Canvas& canvas) {
    QPainterPath flange;
    flange.addEllipse(kPort, 6.0, 6.0);
    const Mask flangeMask = Mask::FromPath(flange, canvas.width(), canvas.height());
    DropShadow(canvas, flangeMask, 1, 2, 1, 0.5f);
    Composite(canvas, flangeMask, MetalShader(kConnectorMetal));
    Bevel(canvas, flangeMask, 2.5f, 0.6f);
    QPainterPath socket;
    socket.addEllipse(kPort, 3.8, 3.8);
    const Mask socketMask = Mask::FromPath(socket, canvas.width(), canvas.height());
    Composite(canvas, socketMask, [](int x, int y) {
        return FromBytes(36, 30, 26) * (0.9f + 0.2f * Hash(x, y, 193u));
    });
    Bevel(canvas, socketMask, 1.5f, -0.5f);
}

void paintArm(Canvas& canvas, const Mask& device) {
    QPainterPath bar;
    bar.moveTo(kHub);
    bar.lineTo(kClamp);
    const Mask arm = stroke(canvas, bar, 8.0, Qt::FlatCap).intersected(device);
    DropShadow(canvas, arm, 2, 2, 1, 0.55f);
    Composite(canvas, arm, MetalShader(kArmMetal));
    Bevel(canvas, arm, 2.5f, 0.6f);

    QPainterPath hub;
    hub.addEllipse(kHub, 7.5, 7.5);
    const Mask hubMask = Mask::FromPath(hub, canvas.width(), canvas.height());
    DropShadow(canvas, hubMask, 2, 2, 1, 0.55f);
    Composite(canvas, hubMask, MetalShader(kArmMetal));
    Bevel(canvas, hubMask, 3.0f, 0.65f);
    Rivet(canvas, kHub, 3.0f, FromBytes(170, 172, 174));
}

void paintClamp(Canvas& canvas, const Mask& device) {
    QPainterPath ring;
    ring.addRoundedRect(QRectF(kClamp.x() - 5.0, kClamp.y() - 3.5, 10.0, 7.0), 2.0, 2.0);
    const Mask clamp = Mask::FromPath(ring, canvas.width(), canvas.height()).intersected(device);
    DropShadow(canvas, clamp, 1, 2, 1, 0.5f);
    Composite(canvas, clamp, MetalShader(kConnectorMetal));
    Bevel(canvas, clamp, 2.0f, 0.6f);
}

void paintConnector(Canvas& canvas, const Mask& device) {
    QPainterPath capsule;
    capsule.addRoundedRect(QRectF(324.5, 361.0, 16.0, 27.0), 8.0, 8.0);
    const Mask body = Mask::FromPath(capsule, canvas.width(), canvas.height()).intersected(device);
    DropShadow(canvas, body, -2, 0, 1, 0.45f);
    Composite(canvas, body, [](int x, int y) {
        // A polished cylinder standing upright: bright stripe left of its axis.
        const float u = (float(x) + 0.5f - 332.5f) / 8.0f;
        const float shine = std::exp(-(u + 0.35f) * (u + 0.35f) * 9.0f);
        const float shade = std::sqrt(std::max(0.0f, 1.0f - u * u));
        return Lighten(MetalAt(kConnectorMetal, x, y) * (0.5f + 0.55f * shade), 0.45f * shine);
    });
    Bevel(canvas, body, 2.0f, 0.45f);
    // Grooves round the capsule's waist.
    for (int y : {371, 375, 379}) {
        for (int x = 325; x <= 340; ++x) {
            if (body.inside(x, y)) {
                canvas.at(x, y) = canvas.at(x, y) * 0.6f;
                canvas.at(x, y + 1) = Lighten(canvas.at(x, y + 1), 0.2f);
            }
        }
    }
}

// The ribbed bar under the cable that joins the casing to the strip.
void paintBridge(Canvas& canvas, const Mask& device) {
    const Mask bridge = Mask::FromRegion(QRegion(layout::kBridge), canvas.width(), canvas.height())
                            .intersected(device);
    Composite(canvas, bridge, MetalShader(kBridgeMetal));
    for (int y = layout::kBridge.y() + 3; y < layout::kBridge.bottom() - 1; y += 3) {
        for (int x = layout::kBridge.x() + 4; x < 320; ++x) {
            canvas.at(x, y) = canvas.at(x, y) * 0.62f;
            canvas.at(x, y + 1) = Lighten(canvas.at(x, y + 1), 0.18f);
        }
    }
    Bevel(canvas, bridge, 2.5f, 0.5f);
}

} // namespace

void PaintCableLoop(Canvas& canvas, const Mask& device) {
    paintBridge(canvas, device);
    paintArm(canvas, device);
    paintConnector(canvas, device);
    paintPort(canvas);
    paintCable(canvas, device);
    paintClamp(canvas, device);
}

} // namespace painter
