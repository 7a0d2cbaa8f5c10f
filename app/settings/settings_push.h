#pragma once
// The settings as the hook library takes them: every value through its setter, in a fixed order.
#include <string_view>

#include "app/framework/ini_document.h"
#include "app/settings/settings_record.h"

namespace quor {

// Brings the snap distance into range in the record, then pushes the record into the library.
void PushSettings(SettingsRecord& record) noexcept;

// Reads the settings section and pushes it, with the shortcut window opacity "Alpha"; returns the
// record as pushed.
SettingsRecord LoadAndPushSettings(const IniDocument& file, std::string_view section);

}  // namespace quor
