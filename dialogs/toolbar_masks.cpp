#include "dialogs/toolbar_masks.h"

namespace pavik {

ToolBarTicks ticksFromMasks(const ToolBarMasks& masks) {
    ToolBarTicks ticks{};
    for (size_t b = 0; b < ToolBarMaskSpecs.size(); ++b) {
        const ToolBarMaskSpec& spec = ToolBarMaskSpecs[b];
        if (!spec.accepts(masks[b])) continue;
        for (int k = 0; k < spec.buttons; ++k) ticks[spec.firstRow + k] = (masks[b] >> k & 1) != 0;
    }
    return ticks;
}

ToolBarMasks masksFromTicks(const ToolBarTicks& ticks) {
    ToolBarMasks masks{};
    for (size_t b = 0; b < ToolBarMaskSpecs.size(); ++b) {
        const ToolBarMaskSpec& spec = ToolBarMaskSpecs[b];
        for (int k = 0; k < spec.buttons; ++k)
            if (ticks[spec.firstRow + k]) masks[b] |= 1 << k;
    }
    return masks;
}

}  // namespace pavik
