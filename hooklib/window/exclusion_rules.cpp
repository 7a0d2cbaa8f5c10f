#include "hooklib/window/exclusion_rules.h"

#include <cstring>

namespace quor {

bool ClassMatchesIgnoreEntry(const char* className, const char* entry) {
    const size_t n = std::strlen(entry);
    if (n == 0) return false;
    if (entry[n - 1] == '*') return std::strncmp(className, entry, n - 1) == 0;
    return std::strcmp(className, entry) == 0;
}

bool PathMatchesIgnoreExe(const char* modulePath, const char* entry) {
    return std::strlen(entry) <= std::strlen(modulePath) && std::strstr(modulePath, entry) != nullptr;
}

bool IsDockingToolClass(const char* className) {
    static constexpr const char* kClasses[] = {
        "TToolDockForm",      "Afx:400000:8:10011:0:0", "TBPWindow",        "TPropertyInspector",
        "TProjectManagerForm", "TCallStackWindow",      "TToDoListWindow",  "TWatchWindow",
        "TClassBrowser",      "TLocalVarsWindow",       "TThreadStatus",    "TModulesView",
        "TDebugLogView",      "TCodeguardLog",
    };
    for (const char* cls : kClasses)
        if (std::strcmp(className, cls) == 0) return true;
    return false;
}

bool IsExcludedMdiFrameTitle(const char* title) { return std::strncmp(title, "Jasc Paint Shop", 15) == 0; }

}  // namespace quor
