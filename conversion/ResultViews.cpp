#include "conversion/ResultViews.h"

namespace slanter {

namespace {

constexpr int kLastPaintBox = 9;
constexpr int kGridSide = 3;

} // namespace

int ViewSide(int view) {
    switch (view) {
    case 4:
        return 2;
    case 9:
        return 3;
    default:
        return 1;
    }
}

std::vector<TileCell> ViewTiles(int view, TPoint size) {
    const int side = ViewSide(view);
    std::vector<TileCell> tiles;
    for (int box = 2; box <= kLastPaintBox; ++box) {
        const int column = (box - 1) % kGridSide;
        const int row = (box - 1) / kGridSide;
        if (column < side && row < side)
            tiles.push_back({box, {column * size.X, row * size.Y}});
    }
    return tiles;
}

TPoint ViewClientSize(int view, TPoint size) {
    const int side = ViewSide(view);
    return {side * size.X, side * size.Y};
}

} // namespace slanter
