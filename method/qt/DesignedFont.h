#pragma once

namespace slanter {

// The method window is designed in the Japanese system font "ＭＳ Ｐゴシック", 12 pixels
// high. Where that family is missing, a Japanese gothic whose figures are as narrow stands
// in for it, so that seven digits still fit a column 50 pixels wide and the Japanese
// captions show. Called before the first window that uses the family is made.
void SubstituteDesignedFont();

} // namespace slanter
