#include "conversion/ResultSaveFilter.h"

namespace slanter {

std::string ResultSaveFilter(bool japanese) {
    return japanese ? "ビットマップファイル (*.bmp)|*.bmp|PNGファイル (*.png)|*.png|"
                      "すべてのファイル (*.*)|*.*"
                    : "Bitmap Files (*.bmp)|*.bmp|PNG Files (*.png)|*.png|All Files (*.*)|*.*";
}

} // namespace slanter
