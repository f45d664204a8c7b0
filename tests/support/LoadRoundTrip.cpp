#include "support/LoadRoundTrip.h"

#include "bitmap/HandyBitmap.h"

namespace slanter::testing {

std::string CheckLoadRoundTrip(const std::string& file, const std::string& scratch) {
    THandyBitmap loaded;
    if (!loaded.LoadFromFile(file))
        return loaded.ErrorText().empty() ? "refused without a text" : "";
    if (!loaded.SaveToFile(scratch))
        return "a loaded picture does not save: " + loaded.ErrorText();
    THandyBitmap again;
    if (!again.LoadFromFile(scratch))
        return "a saved picture does not load: " + again.ErrorText();
    if (again.biWidth() != loaded.biWidth() || again.biHeight() != loaded.biHeight() ||
        again.biBitCount() != loaded.biBitCount() || again.PaletteCount() != loaded.PaletteCount())
        return "the saved picture has another shape";
    for (int k = 0; k < loaded.PaletteCount(); ++k)
        if (again.GetPaletteColor(k) != loaded.GetPaletteColor(k))
            return "palette entry " + std::to_string(k) + " changed";
    // A picture without columns may still claim two billion rows; it has no cells to walk.
    for (int y = 0; y < loaded.biHeight() && loaded.biWidth() > 0; ++y)
        for (int x = 0; x < loaded.biWidth(); ++x)
            if (again.GetPixelColor(x, y) != loaded.GetPixelColor(x, y) ||
                again.GetPixelIndex(x, y) != loaded.GetPixelIndex(x, y))
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + " changed";
    return {};
}

} // namespace slanter::testing
