#pragma once
// Scales a decoded picture to the size the screen's DPI asks for, so that a picture drawn for one
// DPI shows at its size on another without a platform's stretching.

#include "base/jpeg_picture.h"

namespace haloquill {

// `source` resampled to `width` by `height`: each pixel the mean of the source pixels it covers
// when reducing, and blended from the nearest ones when enlarging. The picture itself when the
// size is its own or not a size at all.
DecodedPicture ScaledPicture(const DecodedPicture& source, int width, int height);

} // namespace haloquill
