#pragma once

#include "preview/PreviewSpace.h"

namespace slanter {

// Side bits of a copy lying wholly beyond the view.
inline constexpr int kExitLeft = 1;
inline constexpr int kExitBelow = 2;
inline constexpr int kExitRight = 4;
inline constexpr int kExitAbove = 8;

// Tells when a walk along a row of copies has come out of the view: after a reset the
// first copy wholly outside counts, from then on only one beyond the side opposite to the
// side it last came out on.
class ViewExitTracker {
  public:
    explicit ViewExitTracker(const PreviewSpace& space) : space_(space) {}

    // With reset only forgets the recorded sides and answers false.
    bool RectPassedView(bool reset, PreviewVector corner);
    int ExitSides() const { return exitSides_; }

    // The sides beyond which the copy with this corner lies wholly.
    int SidesBeyond(PreviewVector corner) const;

  private:
    const PreviewSpace& space_;
    int exitSides_ = 0;
};

} // namespace slanter
