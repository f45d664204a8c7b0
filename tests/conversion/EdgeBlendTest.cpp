#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "conversion/EdgeBlend.h"

namespace slanter {
namespace {

void ExpectEdge(double fx, double fy, int dx, int dy, double weight) {
    const EdgeChoice choice = ChooseEdge(fx, fy);
    EXPECT_FALSE(choice.centre) << fx << "," << fy;
    EXPECT_EQ(choice.dx, dx) << fx << "," << fy;
    EXPECT_EQ(choice.dy, dy) << fx << "," << fy;
    EXPECT_EQ(choice.weight, weight) << fx << "," << fy;
}

TEST(EdgeBlend, CentreZoneKeepsThePixel) {
    EXPECT_TRUE(ChooseEdge(0.5, 0.5).centre);
    EXPECT_TRUE(ChooseEdge(0.25, 0.25).centre);
    EXPECT_TRUE(ChooseEdge(0.7499999, 0.25).centre);
    EXPECT_FALSE(ChooseEdge(0.75, 0.5).centre);
    EXPECT_FALSE(ChooseEdge(0.5, 0.24999).centre);
}

TEST(EdgeBlend, NearestEdgeAndWeightWorkedByHand) {
    // Just outside the centre zone on the right: full weight to the own pixel.
    ExpectEdge(0.75, 0.5, 1, 0, 1.0);
    // On the diagonal fx = fy the rows with fy <= fx apply.
    ExpectEdge(0.1, 0.1, 0, -1, 0.7);
    ExpectEdge(0.9, 0.9, 1, 0, 0.7);
    // fx + fy = 1 exactly belongs to the rows with fx + fy <= 1.
    ExpectEdge(0.125, 0.875, -1, 0, 0.75);
    // Upper edge.
    ExpectEdge(0.5, 0.875, 0, 1, 0.75);
    // On the left edge: an exact half blend.
    ExpectEdge(0.0, 0.5, -1, 0, 0.5);
}

TEST(EdgeBlend, HalfBlendOfTwoHundredAndOneHundredAndOne) {
    EXPECT_EQ(BlendColors(200, 101, 0.5), 150);
    EXPECT_EQ(BlendColors(200 << 8, 101 << 8, 0.5), 150 << 8);
    EXPECT_EQ(BlendColors(200 << 16, 101 << 16, 0.5), 150 << 16);
    EXPECT_EQ(BlendColors(0x00ABCDEF, 0x00123456, 1.0), 0x00ABCDEF);
    // 0.7 * 255 + 0.3 * 0 = 178.5 in exact arithmetic of the double 0.7.
    EXPECT_EQ(BlendColors(255, 0, 0.7), 178);
    // A cell without a colour (-1) splits into red 255, green 0, blue 0.
    EXPECT_EQ(BlendColors(-1, 0, 0.5), 127);
}

// The blend takes an integer route; it must agree with the 80-bit formula everywhere.
TEST(EdgeBlend, IntegerFormEqualsTheExtendedFormula) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> fraction(0.0, 1.0);
    for (int n = 0; n < 200000; ++n) {
        double fx = fraction(random);
        double fy = fraction(random);
        if (n % 5 == 0)
            fx = std::ldexp(fx, -int(random() % 60)); // tiny fractions round 0.5 + 2 fx
        if (n % 7 == 0)
            fy = std::nextafter(1.0, 0.0) - std::ldexp(fy, -int(random() % 60));
        const EdgeChoice choice = ChooseEdge(fx, fy);
        const std::int32_t own = std::int32_t(random() & 0xFFFFFF);
        const std::int32_t neighbour = n % 11 == 0 ? -1 : std::int32_t(random() & 0xFFFFFF);
        const long double w = choice.weight;
        std::int32_t expected = 0;
        for (int k = 0, scale = 1; k < 3; ++k, scale *= 256) {
            const int a = k < 2 ? (own / scale) & 255 : own / scale;
            const int b = k < 2 ? (neighbour / scale) & 255 : neighbour / scale;
            expected += scale * static_cast<std::int32_t>(a * w + (1 - w) * b);
        }
        ASSERT_EQ(BlendColors(own, neighbour, choice.weight), expected)
            << std::hexfloat << choice.weight << " " << own << " " << neighbour;
    }
}

} // namespace
} // namespace slanter
