#include "engine/ExtendedPrecision.h"

namespace slanter {

void UseExtendedPrecision() {
#if defined(__i386__) || defined(__x86_64__)
    // Bits 8 and 9 of the control word choose the precision; both set is 64 bits.
    unsigned short control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    control = static_cast<unsigned short>(control | 0x0300);
    __asm__ volatile("fldcw %0" : : "m"(control));
#endif
}

} // namespace slanter
