#include "conversion/win32/ZoomedScreenPart.h"

#include "conversion/ResultZoom.h"

namespace slanter {

ScreenPicture ZoomedScreenPart(const ScreenPicture& picture, int view, TPoint shown,
                               const RECT& part) {
    const TPoint extent{part.right - part.left, part.bottom - part.top};
    if (picture.IsEmpty() || extent.X <= 0 || extent.Y <= 0)
        return ScreenPicture();
    ScreenPicture sampled = picture.Blank(extent.X, extent.Y);
    const TPoint size{picture.Width(), picture.Height()};
    const TPoint topLeft{part.left, part.top};
    if (picture.IsIndexed())
        SampleZoomedView(picture.Indices(), size.X, size, view, shown, topLeft, extent,
                         sampled.Indices());
    else
        SampleZoomedView(picture.Colours(), size.X, size, view, shown, topLeft, extent,
                         sampled.Colours());
    return sampled;
}

} // namespace slanter
