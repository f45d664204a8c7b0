#include "shell/StoredPlacement.h"

#include <cstdint>

#include "shell/SettingsStore.h"

namespace slanter {

namespace {

std::string StateText(WindowShow show) {
    switch (show) {
    case WindowShow::Minimized:
        return "Minimized";
    case WindowShow::Maximized:
        return "Maximized";
    case WindowShow::Normal:
        break;
    }
    return "Normal";
}

WindowShow ShowOf(const std::string& state) {
    if (state == "Minimized")
        return WindowShow::Minimized;
    if (state == "Maximized")
        return WindowShow::Maximized;
    return WindowShow::Normal;
}

std::int32_t Read(const std::string& section, const char* name, std::int64_t current) {
    return ReadSetting(section, name, static_cast<std::int32_t>(current)).Integer();
}

} // namespace

void WritePlacement(const std::string& section, const StoredPlacement& placement, bool sizeable) {
    const PlacementRect& normal = placement.normal;
    if (sizeable) {
        WriteSetting(section, "Width", static_cast<std::int32_t>(normal.width));
        WriteSetting(section, "Height", static_cast<std::int32_t>(normal.height));
    }
    WriteSetting(section, "Left", static_cast<std::int32_t>(normal.left));
    WriteSetting(section, "Top", static_cast<std::int32_t>(normal.top));
    WriteSetting(section, "State", StateText(placement.show));
}

StoredPlacement ReadPlacement(const std::string& section, const PlacementRect& current,
                              bool sizeable) {
    StoredPlacement stored{current, WindowShow::Normal};
    stored.normal.left = Read(section, "Left", current.left);
    stored.normal.top = Read(section, "Top", current.top);
    if (sizeable) {
        stored.normal.width = Read(section, "Width", current.width);
        stored.normal.height = Read(section, "Height", current.height);
    }
    stored.show = ShowOf(ReadSetting(section, "State", "Normal").Text());
    return stored;
}

} // namespace slanter
