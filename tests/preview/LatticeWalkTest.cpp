#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <set>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Slanter.h"
#include "preview/LatticeWalk.h"
#include "support/PreviewPatterns.h"

namespace slanter {
namespace {

using testing::DescribeSelection;
using testing::ForEveryPattern;

std::vector<LatticeCopy> DrawnCopies(const PreviewSpace& space, LatticeWalkResult* result) {
    std::vector<LatticeCopy> copies;
    const LatticeWalkResult walked =
        WalkLattice(space, [&copies](const LatticeCopy& copy) { copies.push_back(copy); });
    if (result)
        *result = walked;
    return copies;
}

PreviewSpace SpaceOf(const TSlanter& engine) {
    return *MakePreviewSpace(SelectedPreviewPattern(engine));
}

// Separating axes of the copy (a rectangle along U and Q) and the view square.
bool CopyMeetsView(const PreviewSpace& space, double pu, double pv) {
    const double us[4] = {pu, pu + space.U.u, pu + space.Q.u, pu + space.U.u + space.Q.u};
    const double vs[4] = {pv, pv + space.U.v, pv + space.Q.v, pv + space.U.v + space.Q.v};
    const double R = space.R;
    const double slack = 1e-6 * R; // copies that only touch the view are left out
    if (*std::max_element(us, us + 4) < -R + slack || *std::min_element(us, us + 4) > R - slack)
        return false;
    if (*std::max_element(vs, vs + 4) < -R + slack || *std::min_element(vs, vs + 4) > R - slack)
        return false;
    // Along U and along Q the copy spans [0, 1] of its own side.
    for (const PreviewVector axis : {space.U, space.Q}) {
        const double length2 = axis.u * axis.u + axis.v * axis.v;
        const double origin = (pu * axis.u + pv * axis.v) / length2;
        const double reach = R * (std::abs(axis.u) + std::abs(axis.v)) / length2;
        if (origin + 1 < -reach + 1e-9 || origin > reach - 1e-9)
            return false;
    }
    return true;
}

// Rows come once each, below the corner first (k = -1, -2, ...) and then from the corner
// up (k = 0, 1, ...); each row is drawn as one run of neighbouring copies, left to right
// along U; the copy at T is drawn.
void CheckRows(const TSlanter& engine) {
    const PreviewSpace space = SpaceOf(engine);
    LatticeWalkResult result;
    const std::vector<LatticeCopy> copies = DrawnCopies(space, &result);
    ASSERT_TRUE(result.complete);
    ASSERT_FALSE(copies.empty());

    std::vector<std::int64_t> rowOrder;
    bool atT = false;
    for (std::size_t n = 0; n < copies.size(); ++n) {
        const LatticeCopy& copy = copies[n];
        if (n == 0 || copy.k != copies[n - 1].k)
            rowOrder.push_back(copy.k);
        else
            ASSERT_EQ(copy.j, copies[n - 1].j + 1);
        atT = atT || (copy.j == 0 && copy.k == 0);
    }
    EXPECT_TRUE(atT);
    const auto zero = std::find(rowOrder.begin(), rowOrder.end(), 0);
    ASSERT_NE(zero, rowOrder.end());
    for (auto row = rowOrder.begin(); row != rowOrder.end(); ++row) {
        const std::int64_t expected = row < zero ? -(row - rowOrder.begin()) - 1 : row - zero;
        ASSERT_EQ(*row, expected);
    }
}

// Every copy that reaches into the view is drawn, found here by searching the lattice
// around the view rather than by walking it.
void CheckCoverage(const TSlanter& engine) {
    const PreviewSpace space = SpaceOf(engine);
    std::set<std::pair<std::int64_t, std::int64_t>> drawn;
    for (const LatticeCopy& copy : DrawnCopies(space, nullptr))
        drawn.insert({copy.j, copy.k});

    // Row k lies across U at T·n + k·SB .. + SB, with n the unit normal of U.
    const double nu = -space.U.v / space.SA, nv = space.U.u / space.SA;
    const double du = space.U.u / space.SA, dv = space.U.v / space.SA;
    const double reach = space.R * (std::abs(nu) + std::abs(nv));
    const double across = space.T.u * nu + space.T.v * nv;
    const auto kFirst = static_cast<std::int64_t>(std::floor((-reach - across) / space.SB)) - 1;
    const auto kLast = static_cast<std::int64_t>(std::ceil((reach - across) / space.SB)) + 1;
    int meeting = 0;
    for (std::int64_t k = kFirst; k <= kLast; ++k) {
        const double ku = space.T.u + k * space.V.u, kv = space.T.v + k * space.V.v;
        const double along = ku * du + kv * dv;
        const auto jFirst = static_cast<std::int64_t>(std::floor((-reach - along) / space.SA)) - 1;
        const auto jLast = static_cast<std::int64_t>(std::ceil((reach - along) / space.SA)) + 1;
        for (std::int64_t j = jFirst; j <= jLast; ++j) {
            if (!CopyMeetsView(space, ku + j * space.U.u, kv + j * space.U.v))
                continue;
            ++meeting;
            ASSERT_TRUE(drawn.count({j, k})) << "copy j " << j << " k " << k << " is missing";
        }
    }
    EXPECT_GT(meeting, 0);
}

TEST(LatticeWalk, EveryRowOnceInOrderAlongTheLattice) {
    for (const auto& [w, h] : {std::pair{64, 48}, std::pair{100, 100}, std::pair{7, 3},
                               std::pair{3, 40}, std::pair{300, 1}}) {
        ForEveryPattern(w, h, [](const TSlanter& engine) {
            SCOPED_TRACE(DescribeSelection(engine));
            CheckRows(engine);
        });
    }
}

TEST(LatticeWalk, EveryCopyReachingIntoTheViewIsDrawn) {
    for (const auto& [w, h] : {std::pair{64, 48}, std::pair{100, 100}, std::pair{7, 3},
                               std::pair{3, 40}, std::pair{300, 1}}) {
        ForEveryPattern(w, h, [](const TSlanter& engine) {
            SCOPED_TRACE(DescribeSelection(engine));
            CheckCoverage(engine);
        });
    }
}

// The walk of every pattern ends well inside the step budget, also for the pictures with
// the longest walks (one pixel across, thousands along).
TEST(LatticeWalk, EndsForEveryPatternOfLongThinAndLargePictures) {
    std::int64_t most = 0;
    for (const auto& [w, h] :
         {std::pair{6750, 1}, std::pair{9999, 1}, std::pair{1, 9999}, std::pair{5000, 3},
          std::pair{1, 1}, std::pair{2000, 2000}, std::pair{123, 4567}, std::pair{9999, 9999}}) {
        ForEveryPattern(w, h, [&most](const TSlanter& engine) {
            const LatticeWalkResult result =
                WalkLattice(SpaceOf(engine), [](const LatticeCopy&) {});
            EXPECT_TRUE(result.complete) << DescribeSelection(engine);
            most = std::max(most, result.steps);
        });
    }
    EXPECT_LT(most, kLatticeStepBudget / 10);
}

// A layout turned by pi puts each next row on the far side: the rows below the corner
// march up for ever. The budget ends it.
TEST(LatticeWalk, ALayoutWhoseRowsNeverLeaveIsCutShortAtTheBudget) {
    PreviewPattern pattern;
    pattern.angle = std::numbers::pi;
    pattern.slide = 3;
    pattern.tile = {10, 10};
    pattern.sourceWidth = 4;
    pattern.sourceHeight = 3;
    int drawn = 0;
    const LatticeWalkResult result = WalkLattice(
        *MakePreviewSpace(pattern), [&drawn](const LatticeCopy&) { ++drawn; }, 10000);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(result.steps, 10000);
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, 10000);
}

} // namespace
} // namespace slanter
