#pragma once
// Plain text onto the clipboard.
#include <string>

namespace quor {

// Puts `text` (in the system's code page) on the clipboard as CF_TEXT, whole. Emptying the
// clipboard tells its previous owner and waits for that program's answer, so the copy is made by
// a thread of its own; this thread waits for it at most `waitMs`, taking the messages other
// threads send it meanwhile (the input hooks' calls among them). True when the text is on the
// clipboard by then; false when the clipboard or memory was refused, or the copy is still waiting
// on the previous owner (it finishes when that program answers).
bool CopyTextToClipboard(std::string text, unsigned waitMs = 1000) noexcept;

}  // namespace quor
