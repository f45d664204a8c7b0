#include "support/NaiveMapToSource.h"

#include "engine/Extended.h"
#include "engine/Slanter.h"

namespace slanter::testing {

namespace {

double Add(double a, double b) {
    return StoreDouble(Extended(a) + b);
}
double Sub(double a, double b) {
    return StoreDouble(Extended(a) - b);
}

} // namespace

SourcePosition NaiveMapToSource(const TSlanter& engine, TPoint pixel) {
    const double w = engine.SourceWidth();
    const double h = engine.SourceHeight();
    const Extended cs = engine.SelCos();
    const Extended sn = engine.SelSin();
    const double slide = engine.PatternSlide(engine.PatternIndex());
    const double px = pixel.X + 0.5;
    const double py = pixel.Y + 0.5;
    double sx = 0;
    double sy = 0;
    if (engine.RightUp()) {
        sx = StoreDouble(px * cs + py * sn);
        sy = StoreDouble(py * cs - px * sn);
    } else {
        sx = StoreDouble(px * cs - py * sn);
        sy = StoreDouble(py * cs + px * sn);
    }
    const bool up = engine.RightUp();
    if (engine.Horizontal()) {
        if (sy < h) {
            while (sy < 0) {
                sy = Add(sy, h);
                sx = up ? Add(sx, slide) : Sub(sx, slide);
            }
        } else {
            do {
                sy = Sub(sy, h);
                sx = up ? Sub(sx, slide) : Add(sx, slide);
            } while (!(sy < h));
        }
        if (sx < w) {
            while (sx < 0)
                sx = Add(sx, w);
        } else {
            do
                sx = Sub(sx, w);
            while (!(sx < w));
        }
    } else {
        if (sx < w) {
            while (sx < 0) {
                sx = Add(sx, w);
                sy = up ? Sub(sy, slide) : Add(sy, slide);
            }
        } else {
            do {
                sx = Sub(sx, w);
                sy = up ? Add(sy, slide) : Sub(sy, slide);
            } while (!(sx < w));
        }
        if (sy < h) {
            while (sy < 0)
                sy = Add(sy, h);
        } else {
            do
                sy = Sub(sy, h);
            while (!(sy < h));
        }
    }
    return {sx, sy};
}

} // namespace slanter::testing
