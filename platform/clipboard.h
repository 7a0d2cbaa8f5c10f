#pragma once
// Plain text onto the clipboard.
#include <string>

namespace quor {

enum class ClipboardCopy {
    kDone,     // the text is on the clipboard
    kPending,  // still waiting on the clipboard's previous owner: done when that program answers
    kFailed,   // memory or the clipboard refused, or an earlier copy still waiting
};

// Puts `text` (in the system's code page) on the clipboard as CF_TEXT, whole. Emptying the
// clipboard tells its previous owner and waits for that program's answer, so the copy is made by
// a thread of its own; this thread waits for it at most `waitMs`, taking meanwhile only the
// messages other threads send it. One copy is made at a time.
ClipboardCopy CopyTextToClipboard(std::string text, unsigned waitMs = 1000) noexcept;

// What a dialog says when a copy failed.
inline constexpr wchar_t kClipboardRefused[] = L"クリップボードにコピーできませんでした。";

}  // namespace quor
