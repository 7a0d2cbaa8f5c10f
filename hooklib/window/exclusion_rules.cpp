#include "hooklib/window/exclusion_rules.h"

#include <cstring>

namespace quor {

bool ClassMatchesIgnoreEntry(std::string_view className, std::string_view entry) {
    if (entry.empty()) return false;
    if (entry.back() == '*') return className.starts_with(entry.substr(0, entry.size() - 1));
    return className == entry;
}

bool PathMatchesIgnoreExe(std::string_view modulePath, std::string_view entry) {
    return entry.size() <= modulePath.size() && modulePath.find(entry) != std::string_view::npos;
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
