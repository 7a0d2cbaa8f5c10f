#include "app/settings/window_defaults.h"

#include "hooklib/quordll.h"

namespace quor {

void PushWindowBehaviourDefaults() noexcept {
    SetSnap(20);
    SetAllowSnap(1);
    SetAllowSnapInside(1);
    SetAllowOut(1);
    SetAllowTaskBar(0);  // the stored setting "do not move the taskbar" is 1; the library takes its negation
    SetSizeExt(1);
    SetTransparent(1);
}

}  // namespace quor
