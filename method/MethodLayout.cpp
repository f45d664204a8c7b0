#include "method/MethodLayout.h"

namespace slanter {

namespace {

constexpr int kRoomBesideCommands = 50;
constexpr int kRoomBelowCommands = 4;
constexpr int kPanelMargin = 4;

} // namespace

Extent LeastClientArea(const BoxBounds& convertButton) {
    return {convertButton.left + convertButton.width + kRoomBesideCommands,
            convertButton.top + convertButton.height + kRoomBelowCommands};
}

ResizeStep NextResizeStep(Extent client, const BoxBounds& convertButton, int panelLeft,
                          int panelTop) {
    const Extent least = LeastClientArea(convertButton);
    if (client.width < least.width)
        return {ResizeStep::Kind::GrowWidth, {least.width, client.height}, {}, 0};
    if (client.height < least.height)
        return {ResizeStep::Kind::GrowHeight, {client.width, least.height}, {}, 0};
    const Extent panel{client.width - kPanelMargin - panelLeft,
                       client.height - kPanelMargin - panelTop};
    return {ResizeStep::Kind::LayOut, client, panel, panel.width};
}

} // namespace slanter
