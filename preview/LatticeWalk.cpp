#include "preview/LatticeWalk.h"

#include "engine/Extended.h"
#include "preview/ViewExitTracker.h"

namespace slanter {

namespace {

// The corner of copy (j, k) worked out afresh from T: adding and taking away U step by step
// drifts, and the drift can move the copy at T by a pixel off the tile's corner.
PreviewVector LatticeCorner(const PreviewSpace& space, std::int64_t j, std::int64_t k) {
    const Extended ej = static_cast<Extended>(j);
    const Extended ek = static_cast<Extended>(k);
    return {StoreDouble(space.T.u + ej * space.U.u + ek * space.V.u),
            StoreDouble(space.T.v + ej * space.U.v + ek * space.V.v)};
}

// The rows below: done once the row just drawn runs below the corner of the view that
// lies lowest across the rows, so the next one lies wholly below the view.
bool BelowView(const PreviewSpace& space, PreviewVector p) {
    const Extended tn = space.tn;
    const Extended R = space.R;
    const Extended reach = space.rightUp ? (1 + tn) * R : (1 - tn) * R;
    return p.v <= tn * p.u - reach;
}

// The rows upward: done once the next row starts above the view's highest corner.
bool AboveView(const PreviewSpace& space, PreviewVector p) {
    const Extended tn = space.tn;
    const Extended R = space.R;
    const Extended reach = space.rightUp ? (1 + tn) * R : (1 - tn) * R;
    return p.v > tn * p.u + reach;
}

class RowWalker {
  public:
    RowWalker(const PreviewSpace& space, const std::function<void(const LatticeCopy&)>& draw,
              std::int64_t budget)
        : space_(space), test_(space), draw_(draw), budget_(budget) {}

    void StartAtCorner() {
        test_.RectPassedView(true, {});
        copy_ = {0, 0, space_.T};
    }

    // Back until a copy has left the view, then forward drawing until one has left it.
    bool WalkRow() {
        while (!test_.RectPassedView(false, copy_.corner)) {
            if (!Spend())
                return false;
            --copy_.j;
            copy_.corner = LatticeCorner(space_, copy_.j, copy_.k);
        }
        while (!test_.RectPassedView(false, copy_.corner)) {
            if (!Spend())
                return false;
            draw_(copy_);
            ++copy_.j;
            copy_.corner = LatticeCorner(space_, copy_.j, copy_.k);
        }
        return true;
    }

    bool RowDown() {
        --copy_.k;
        copy_.corner = LatticeCorner(space_, copy_.j, copy_.k);
        return Spend();
    }

    bool RowUp() {
        ++copy_.k;
        copy_.corner = LatticeCorner(space_, copy_.j, copy_.k);
        return Spend();
    }

    PreviewVector Corner() const { return copy_.corner; }
    std::int64_t Steps() const { return used_; }

  private:
    bool Spend() {
        if (used_ >= budget_)
            return false;
        ++used_;
        return true;
    }

    const PreviewSpace& space_;
    ViewExitTracker test_;
    const std::function<void(const LatticeCopy&)>& draw_;
    std::int64_t budget_;
    std::int64_t used_ = 0;
    LatticeCopy copy_;
};

} // namespace

LatticeWalkResult WalkLattice(const PreviewSpace& space,
                              const std::function<void(const LatticeCopy&)>& draw,
                              std::int64_t stepBudget) {
    RowWalker walker(space, draw, stepBudget);
    const auto cut = [&walker] { return LatticeWalkResult{false, walker.Steps()}; };

    walker.StartAtCorner();
    do {
        if (!walker.RowDown() || !walker.WalkRow())
            return cut();
    } while (!BelowView(space, walker.Corner()));

    walker.StartAtCorner();
    do {
        if (!walker.WalkRow() || !walker.RowUp())
            return cut();
    } while (!AboveView(space, walker.Corner()));
    return {true, walker.Steps()};
}

} // namespace slanter
