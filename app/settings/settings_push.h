#pragma once
// The settings as the hook library takes them: every value through its setter, in a fixed order.
#include "app/settings/settings_record.h"

namespace quor {

// Brings the snap distance into range in the record, then pushes the record into the library.
void PushSettings(SettingsRecord& record) noexcept;

}  // namespace quor
