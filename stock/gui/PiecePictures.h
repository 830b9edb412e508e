#pragma once
// Small pictures of single track pieces, drawn by the program's own piece
// drawing: the rows of the Tracks Stock dialog and of the Stock Control
// window show each piece (and each border) as it is drawn on the circuit,
// all at one scale, so that the pieces compare as the real ones do.

#include <QPixmap>

namespace quillet {

// Width and height of every piece picture, in pixels.
inline constexpr int kPiecePictureWidth = 66;
inline constexpr int kPiecePictureHeight = 48;

// The two-lane piece of `type` heading right (curves turning left), in the
// NINCO width or, with `nincoWidth` false, the SCX one, with the border
// flag `border` (1..6 as TTrack::Border numbers them; 0 for none). Drawn at
// detail level 3 on a transparent ground, centred, smoothed.
QPixmap PiecePicture(int type, int border = 0, bool nincoWidth = true);

}  // namespace quillet
