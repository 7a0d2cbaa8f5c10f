#pragma once
// The state every Windows test begins in and leaves the bench in. At rest: no program a test
// started is still running and no window of another program shows; no key or mouse button is
// held; nothing is on the clipboard; no settings file lies beside the programs; and the library's
// shared block (which outlives each test program, since the bench's keeper keeps the library
// mapped) has empty window tables, no drag under way and no mode switched on. Besides, a test
// puts back the system parameters (as the registry holds them), the registry values it replaced and
// the files beside the programs as it found them.
#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace bench {

// A registry value as stored: its type and its bytes.
struct StoredValue {
    DWORD type = 0;
    std::string bytes;
    bool operator==(const StoredValue&) const = default;
};

struct RestState {
    std::vector<std::pair<DWORD, std::string>> processes;  // not the bench's own: id and name
    std::vector<std::pair<HWND, std::string>> shownWindows;  // visible top-level windows of other processes
    std::vector<int> keysDown;                             // virtual-key codes
    std::vector<int> keysToggledOn;                        // Caps Lock, Num Lock, Scroll Lock, Kana
    int clipboardFormats = 0;
    std::map<std::string, StoredValue> registry;             // system parameters and values tests replace
    std::set<std::string> files;                             // names in the programs' folder
    std::vector<std::string> block;                          // the shared block's fields not at rest
};

// The state as it is now.
RestState ReadRestState();

// What keeps `now` from being at rest, one line each.
std::vector<std::string> NotAtRest(const RestState& now);
// What `now` changed from `before` (parameters, registry values, files), one line each.
std::vector<std::string> ChangedSince(const RestState& before, const RestState& now);

// The registry values compared: the system parameters as the registry holds them (for good, and
// for the session only), and the browser a test replaces.
std::map<std::string, StoredValue> ReadComparedRegistry();
// Writes them back as `before` holds them, and deletes those added since.
void RestoreRegistry(const std::map<std::string, StoredValue>& before);

// What the bench held when its first test program began (the registry values, the files beside
// the programs, the keys that stay on), kept in the bench's folder; nullopt until it is saved.
std::optional<RestState> LoadBenchBaseline();
void SaveBenchBaseline(const RestState& state);

// Ends the programs, closes the windows (a menu with Escape) and lets go of the keys found, empties the clipboard, puts the block at rest,
// deletes settings files and the files added since `before`, and writes back its registry values.
void ReturnToRest(const RestState& before, const RestState& now);

}  // namespace bench
