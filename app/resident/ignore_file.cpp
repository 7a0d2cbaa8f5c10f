#include "app/resident/ignore_file.h"

#include <windows.h>

#include "app/framework/profile_file.h"
#include "app/resident/ignore_list.h"
#include "hooklib/quordll.h"

namespace quor {

void LoadIgnoreList() noexcept {
    SetnIgnore(0);
    SetnIgnoreExe(0);
    const FileContents file = ReadSmallFile(FileBesideProgram(L"Ignore.txt"));
    if (file.state != FileContents::State::kRead) return;
    const IgnoreList list = ParseIgnoreList(file.text);
    for (size_t i = 0; i < list.windowClasses.size(); ++i) {
        SetIgnore(static_cast<int>(i), list.windowClasses[i].c_str());
        SetnIgnore(static_cast<int>(i + 1));
    }
    for (size_t i = 0; i < list.programFiles.size(); ++i) {
        SetIgnoreExe(static_cast<int>(i), list.programFiles[i].c_str());
        SetnIgnoreExe(static_cast<int>(i + 1));
    }
}

}  // namespace quor
