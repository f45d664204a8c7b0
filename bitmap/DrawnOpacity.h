#pragma once

namespace slanter {

class KeptLayer;
class THandyBitmap;

// The opacity of a picture the platform only draws over a background (an icon), found
// from two drawings of it, over white and over black: what shows through a pixel differs
// between them by (1 - opacity) x 255 in every channel. Fills kept with the straight
// colours and opacities and answers true when a pixel is less than opaque; otherwise, or
// when the drawings are not two colour pictures of one size, kept stays as it was.
bool KeepDrawnOpacity(const THandyBitmap& onWhite, const THandyBitmap& onBlack, KeptLayer& kept);

} // namespace slanter
