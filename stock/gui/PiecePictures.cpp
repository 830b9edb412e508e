#include "stock/gui/PiecePictures.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/Tracks.h"
#include "render/PainterCanvas.h"

namespace quillet {

namespace {

// Millimetres per pixel of the finished picture: a standard straight
// (400 mm) takes 62 pixels, a bordered NINCO curve still fits the height.
constexpr double kPictureScale = 6.5;
// Drawn this many times larger, then scaled down smoothly: the piece
// drawing itself draws without smoothing.
constexpr int kOversample = 2;
constexpr int kDetail = 5;

}  // namespace

QPixmap PiecePicture(int type, int border, bool nincoWidth) {
    const double scale = kPictureScale / kOversample;
    TCircuit circuit(0, 0);
    circuit.scale = scale;
    circuit.detailLevel = kDetail;
    if (!circuit.Append(type, 1, nincoWidth ? 1 : 0)) return {};
    TTrack& piece = circuit.Track(1);
    if (border >= 1 && border <= kBorderFlags) piece.SetBorder(border, true);
    circuit.ReLay(false);

    // Centre the piece (borders included) in the picture.
    const TBoundingBox box = circuit.ComputeBoundingBox();
    const int width = kPiecePictureWidth * kOversample;
    const int height = kPiecePictureHeight * kOversample;
    circuit.startX += width * scale / 2.0 - (box.left + box.right) / 2.0;
    circuit.startY += height * scale / 2.0 - (box.top + box.bottom) / 2.0;
    circuit.ReLay(false);

    QImage large(width, height, QImage::Format_ARGB32_Premultiplied);
    large.fill(Qt::transparent);
    {
        PainterCanvas canvas(&large);
        for (const TTrack& t : circuit.Tracks()) t.Draw(circuit, canvas, false);
    }
    return QPixmap::fromImage(
        large.scaled(kPiecePictureWidth, kPiecePictureHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace quillet
