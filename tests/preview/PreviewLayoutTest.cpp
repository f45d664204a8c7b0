#include <gtest/gtest.h>

#include "preview/PreviewLayout.h"

namespace slanter {
namespace {

TEST(PreviewLayout, TheLatticeAloneIsTheWholeClientArea) {
    const PreviewLayout layout = LayOutPreview({201, 201}, false, 400, 17);
    EXPECT_EQ(layout.client, (TPoint{201, 201}));
    EXPECT_FALSE(layout.pictureView);
}

// The designed form puts the picture view at (205, 0) and the option at (4, 205), 193 wide.
TEST(PreviewLayout, ThePictureViewLiesBesideTheLatticeAndTheOptionBelowIt) {
    const PreviewLayout layout = LayOutPreview({201, 201}, true, 201, 17);
    EXPECT_EQ(layout.view, (PreviewPart{205, 0, 201, 201}));
    EXPECT_EQ(layout.option, (PreviewPart{4, 205, 193, 17}));
    // The option reaches below a view as high as the lattice: 201 + 4 + 17 + 4.
    EXPECT_EQ(layout.client, (TPoint{406, 226}));
}

TEST(PreviewLayout, AViewTallerThanLatticeAndOptionSetsTheHeight) {
    EXPECT_EQ(LayOutPreview({201, 201}, true, 480, 17).client, (TPoint{685, 480}));
}

} // namespace
} // namespace slanter
