#include "support/DecodeTwice.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "bitmap/HandyBitmap.h"
#include "bitmap/WorkingPicture.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SLANTER_HEAP_HOOKS 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SLANTER_HEAP_HOOKS 1
#endif

#ifdef SLANTER_HEAP_HOOKS
// The sanitizers' runtime has it; GCC ships no header that declares it.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*,
                                                                            std::size_t),
                                                         void (*freeHook)(const volatile void*));
#endif

namespace slanter::testing {

namespace {

#ifdef SLANTER_HEAP_HOOKS
// Blocks up to this size come from the sanitizer's primary allocator, which clears a
// calloc block after this hook has run; larger ones are fresh pages calloc trusts to be
// zero, so they are left alone.
constexpr std::size_t kMostFilledBytes = 64 * 1024;
unsigned char fill = 0;

void FillBlock(const volatile void* block, std::size_t size) {
    if (block != nullptr && size <= kMostFilledBytes)
        std::memset(const_cast<void*>(block), fill, size);
}

void FillWith(unsigned char value) {
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(FillBlock, nullptr);
    (void)installed;
    fill = value;
}
#else
void FillWith(unsigned char) {}
#endif

struct Outcome {
    std::string reason;
    THandyBitmap picture;
};

Outcome Decode(const std::string& file, unsigned char fill) {
    FillWith(fill);
    Outcome outcome;
    outcome.reason = LoadWorkingPicture(file, outcome.picture);
    FillWith(0);
    return outcome;
}

std::string Difference(const THandyBitmap& a, const THandyBitmap& b) {
    if (a.biWidth() != b.biWidth() || a.biHeight() != b.biHeight() ||
        a.biBitCount() != b.biBitCount() || a.PaletteCount() != b.PaletteCount())
        return "the pictures' sizes, depths or palettes differ";
    for (std::int32_t k = 0; k < a.PaletteCount(); ++k)
        if (a.GetPaletteColor(k) != b.GetPaletteColor(k))
            return "palette entry " + std::to_string(k) + " differs";
    // A picture of no width (our reader takes one) has no rows to compare.
    for (std::int32_t y = 0; a.biWidth() > 0 && y < a.biHeight(); ++y) {
        const std::int32_t* rowA = a.CellRow(y);
        const std::int32_t* rowB = b.CellRow(y);
        if (rowA == nullptr || rowB == nullptr ||
            std::memcmp(rowA, rowB, sizeof(std::int32_t) * std::size_t(a.biWidth())) != 0)
            return "row " + std::to_string(y) + " differs";
    }
    return {};
}

} // namespace

std::string CheckDecodesAlike(const std::string& file, const std::string& scratch) {
    Outcome first = Decode(file, 0x00);
    const Outcome second = Decode(file, 0xA5);
    if (first.reason != second.reason)
        return "refused once only: '" + first.reason + "' / '" + second.reason + "'";
    if (!first.reason.empty())
        return {};
    if (std::string difference = Difference(first.picture, second.picture); !difference.empty())
        return difference;
    // The size read from the headers alone is the one decoded.
    std::int32_t width = 0, height = 0;
    if (!WorkingPictureSize(file, width, height).empty() || width != first.picture.biWidth() ||
        height != first.picture.biHeight())
        return "the headers give another size: " + std::to_string(width) + " x " +
               std::to_string(height);
    const bool empty = first.picture.biWidth() <= 0 || first.picture.biHeight() <= 0;
    if (!empty && !first.picture.SaveToFile(scratch))
        return "the picture cannot be saved: " + first.picture.ErrorText();
    return {};
}

} // namespace slanter::testing
