#pragma once
// The authoritative copy of the 24 mouse-shortcut texts.
//
// The shared block can be written by any process that maps the library, and the command executor
// runs a slot's text in whichever program took the click (Explorer for the desktop and the
// taskbar). So a slot runs only when its text equals this copy, which lives in a named file mapping
// that only the current user can open, labelled at its creator's integrity level with no write up:
// a program of lower integrity can neither write it nor create it first.

namespace quor {

// Creates the copy if there is none (with its slots empty); the creating process keeps it open.
void EnsureSlotAuthority() noexcept;

// Writes a slot's text into the copy, when this process may write it. The text is bounded like
// the block's own slot.
void RecordAuthoritativeSlot(int slot, const char* text) noexcept;

// Whether the copy exists with its protection and holds exactly this text for the slot.
bool SlotTextIsAuthoritative(int slot, const char* text) noexcept;

}  // namespace quor
