#include <cstdint>
#include <cstring>
#include <limits>

#include <gtest/gtest.h>

#include "engine/Extended.h"
#include "engine/ExtendedPrecision.h"

namespace slanter {
namespace {

constexpr std::uint64_t kThirdIn64Bits = 0xAAAAAAAAAAAAAAABull;
// The same third rounded to a double's 53 bits, left in the 64-bit significand.
constexpr std::uint64_t kThirdIn53Bits = 0xAAAAAAAAAAAAA800ull;

// The x87 format keeps its 64 significand bits, the integer bit among them, in its lowest
// eight bytes.
std::uint64_t Significand(Extended value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The compiler folds constants at full precision whatever the unit is set to, so the
// division must take its operands from memory to show how the unit rounds.
Extended ThirdAtRunTime() {
    volatile Extended one = 1;
    volatile Extended three = 3;
    return one / three;
}

TEST(ExtendedPrecision, LongDoubleHasA64BitSignificand) {
    EXPECT_EQ(std::numeric_limits<Extended>::digits, 64);
    EXPECT_EQ(std::numeric_limits<double>::digits, 53);
    EXPECT_EQ(Significand(1.0L / 3), kThirdIn64Bits);
}

// The test program's start calls UseExtendedPrecision, as every program of ours does.
TEST(ExtendedPrecision, ArithmeticAtTheStartRoundsTo64Bits) {
    EXPECT_EQ(Significand(ThirdAtRunTime()), kThirdIn64Bits);
    // 1 + 2^-63 exists only with 64 significand bits.
    volatile Extended tiny = 0x1p-63L;
    EXPECT_NE(1 + tiny, 1.0L);
}

#if defined(__i386__) || defined(__x86_64__)
void SetDoublePrecision() {
    unsigned short control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    control = static_cast<unsigned short>((control & ~0x0300) | 0x0200);
    __asm__ volatile("fldcw %0" : : "m"(control));
}

TEST(ExtendedPrecision, UndoesARuntimeThatRoundsToDouble) {
    SetDoublePrecision();
    const std::uint64_t rounded = Significand(ThirdAtRunTime());
    UseExtendedPrecision();
    const std::uint64_t full = Significand(ThirdAtRunTime());
    EXPECT_EQ(rounded, kThirdIn53Bits);
    EXPECT_EQ(full, kThirdIn64Bits);
}
#endif

} // namespace
} // namespace slanter
