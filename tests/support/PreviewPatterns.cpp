#include "support/PreviewPatterns.h"

namespace slanter::testing {

void ForEveryPattern(int width, int height, const std::function<void(const TSlanter&)>& check) {
    for (const bool horizontal : {true, false}) {
        TSlanter engine;
        engine.SetHorizontal(horizontal);
        engine.SetSourceSize({width, height});
        for (const bool rightUp : {true, false}) {
            engine.SetRightUp(rightUp);
            for (int index = 0; index < engine.PatternCount(); ++index) {
                engine.SetPatternIndex(index);
                check(engine);
            }
        }
    }
}

std::string DescribeSelection(const TSlanter& engine) {
    return std::to_string(engine.SourceWidth()) + "x" + std::to_string(engine.SourceHeight()) +
           (engine.Horizontal() ? " rows" : " columns") +
           (engine.RightUp() ? " rising right" : " rising left") + " pattern " +
           std::to_string(engine.PatternIndex());
}

} // namespace slanter::testing
