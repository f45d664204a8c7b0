#include "shell/PictureSizeAsker.h"

#include <utility>

namespace slanter {

namespace {

PictureSizeAsker& Current() {
    static PictureSizeAsker asker;
    return asker;
}

} // namespace

PictureSizeAsker SetPictureSizeAsker(PictureSizeAsker asker) {
    return std::exchange(Current(), std::move(asker));
}

const PictureSizeAsker& CurrentPictureSizeAsker() {
    return Current();
}

} // namespace slanter
