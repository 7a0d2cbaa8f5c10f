// The library's exported setters and getters over the shared block.
#include "hooklib/commands/laser_cursor.h"
#include "hooklib/commands/slot_authority.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/quordll.h"
#include "hooklib/window/tray_table.h"

using quor::Block;

namespace {

// Indexes come from the resident program; one outside its table is dropped rather
// than written into the block every process shares.
template <typename T, size_t N>
T* Entry(T (&table)[N], int index) noexcept {
    return index >= 0 && static_cast<size_t>(index) < N ? &table[index] : nullptr;
}

// Reads at most 255 bytes of the source, so an unterminated argument is never read past.
void CopyText(char (*slot)[quor::kTextSlot], const char* text) noexcept {
    if (!slot) return;
    int n = 0;
    if (text)
        for (; n < quor::kTextSlot - 1 && text[n] != '\0'; ++n) (*slot)[n] = text[n];
    (*slot)[n] = '\0';
}

}  // namespace

#define QUOR_STORE(name) \
    QUORDLL_API void Set##name(int value) { Block().name = value; }

QUOR_STORE(UnAvailable)
QUOR_STORE(AllowSnap)
QUOR_STORE(AllowSnapInside)
QUOR_STORE(AllowOut)
QUOR_STORE(AllowTaskBar)
QUOR_STORE(Snap)
QUOR_STORE(SizeExt)
QUOR_STORE(AutoArrange)
QUOR_STORE(DeskIconText)
QUOR_STORE(DeskIconTextBk)
QUOR_STORE(DeskIconTextColor)
QUOR_STORE(ExpUp)
QUOR_STORE(ExpRename)
QUOR_STORE(Transparent)
QUOR_STORE(Redirect)
QUOR_STORE(RedirectActive)
QUOR_STORE(Volume)
QUOR_STORE(VolumeDelta)
QUOR_STORE(VD)
QUOR_STORE(DisableClose)
QUOR_STORE(DisableMax)
QUOR_STORE(DisableMin)
QUOR_STORE(ShowDesk)
QUOR_STORE(DisableKeyAlt)
QUOR_STORE(DisableKeyWin)
QUOR_STORE(DisableKeyIns)
QUOR_STORE(DisableKeyMenu)
QUOR_STORE(DisableKeyCaps)
QUOR_STORE(DisableKeyHankaku)
QUOR_STORE(DisableKeyKana)
QUOR_STORE(DisableKeyF1)
QUOR_STORE(nIgnore)
QUOR_STORE(nIgnoreExe)
QUOR_STORE(Alpha)

#undef QUOR_STORE

QUORDLL_API int GetUnAvailable() { return Block().UnAvailable; }

QUORDLL_API void SetTaskTray(int value) { quor::ApplyTaskTraySetting(value); }

QUORDLL_API void SetIgnoreMouse(int value) {
    quor::SharedBlock& b = Block();
    if (value == 1) {
        // The point is half the work area's size, not offset by its origin.
        RECT work{};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        ::SetCursorPos((work.right - work.left) / 2, (work.bottom - work.top) / 2);
    }
    b.IgnoreMouse = (value == 1 && b.IgnoreKeyboard == 1) ? 0 : value;
}

QUORDLL_API void SetIgnoreKeyboard(int value) {
    quor::SharedBlock& b = Block();
    b.IgnoreKeyboard = (value == 1 && b.IgnoreMouse == 1) ? 0 : value;
}

QUORDLL_API void SetSoftLaser(int value) {
    quor::SharedBlock& b = Block();
    b.SoftLaser = value;
    b.LaserState = 0;
    if (value == 0) quor::RestoreCursors();
}

QUORDLL_API void SetIgnore(int index, const char* text) { CopyText(Entry(Block().Ignore, index), text); }

QUORDLL_API void SetIgnoreExe(int index, const char* text) {
    CopyText(Entry(Block().IgnoreExe, index), text);
}

QUORDLL_API void SetMouseCut(int slot, const char* text) {
    CopyText(Entry(Block().MouseCut, slot), text);
    quor::RecordAuthoritativeSlot(slot, text);
}

QUORDLL_API const char* GetMouseCutCmd(int index) {
    char(*entry)[quor::kTextSlot] = Entry(Block().MouseCutCmd, index);
    return entry ? *entry : "";
}

QUORDLL_API unsigned int GetStatMouse(int index) {
    unsigned int* entry = Entry(Block().StatMouse, index);
    return entry ? *entry : 0;
}

QUORDLL_API void SetStatMouse(int index, unsigned int value) {
    if (unsigned int* entry = Entry(Block().StatMouse, index)) *entry = value;
}

QUORDLL_API unsigned int GetStatKeyboard(int index) {
    unsigned int* entry = Entry(Block().StatKeyboard, index);
    return entry ? *entry : 0;
}

QUORDLL_API void SetStatKeyboard(int index, unsigned int value) {
    if (unsigned int* entry = Entry(Block().StatKeyboard, index)) *entry = value;
}

QUORDLL_API double GetStatMouseMove() { return Block().StatMouseMove; }
QUORDLL_API void SetStatMouseMove(double value) { Block().StatMouseMove = value; }
QUORDLL_API unsigned int GetStatTotalTime() { return Block().StatTotalTime; }
QUORDLL_API void SetStatTotalTime(unsigned int value) { Block().StatTotalTime = value; }

QUORDLL_API void StatClear() {
    quor::SharedBlock& b = Block();
    b.StatMouseMove = 0.0;
    b.StatTotalTime = 0;
    for (auto& counter : b.StatMouse) counter = 0;
    for (auto& counter : b.StatKeyboard) counter = 0;
}
