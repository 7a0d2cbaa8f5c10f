#pragma once
// The hook library's exported functions, linked by name by the resident program.
#include <windows.h>

#ifdef QUORDLL_BUILD
#define QUORDLL_API extern "C"
#else
#define QUORDLL_API extern "C" __declspec(dllimport)
#endif

// A registered message that the library's window-procedure hook carries out in the list view's
// own thread, paused or not: the list view's view (its LVS_TYPEMASK bits) becomes lParam's. Sent
// with a time limit, it changes another program's list view without waiting on that program for
// longer.
#define QUOR_LIST_VIEW_MESSAGE "Quorvelle List View"

// The command names (GetMouseCutCmd) are bytes of this code page in every process, whatever its
// own: settings files written on Japanese Windows hold them so.
#define QUOR_COMMAND_NAME_CODE_PAGE 932

QUORDLL_API void SetUnAvailable(int value);
QUORDLL_API int GetUnAvailable();
QUORDLL_API void SetAllowSnap(int value);
QUORDLL_API void SetAllowSnapInside(int value);
QUORDLL_API void SetAllowOut(int value);
QUORDLL_API void SetAllowTaskBar(int value);
QUORDLL_API void SetSnap(int value);
QUORDLL_API void SetSizeExt(int value);
QUORDLL_API void SetAutoArrange(int value);
QUORDLL_API void SetDeskIconText(int value);
QUORDLL_API void SetDeskIconTextBk(int value);
QUORDLL_API void SetDeskIconTextColor(int value);
QUORDLL_API void SetExpUp(int value);
QUORDLL_API void SetExpRename(int value);
QUORDLL_API void SetTransparent(int value);
QUORDLL_API void SetRedirect(int value);
QUORDLL_API void SetRedirectActive(int value);
QUORDLL_API void SetVolume(int value);
QUORDLL_API void SetVolumeDelta(int value);
QUORDLL_API void SetVD(int value);
QUORDLL_API void SetDisableClose(int value);
QUORDLL_API void SetDisableMax(int value);
QUORDLL_API void SetDisableMin(int value);
QUORDLL_API void SetShowDesk(int value);
QUORDLL_API void SetDisableKeyAlt(int value);
QUORDLL_API void SetDisableKeyWin(int value);
QUORDLL_API void SetDisableKeyIns(int value);
QUORDLL_API void SetDisableKeyMenu(int value);
QUORDLL_API void SetDisableKeyCaps(int value);
QUORDLL_API void SetDisableKeyHankaku(int value);
QUORDLL_API void SetDisableKeyKana(int value);
QUORDLL_API void SetDisableKeyF1(int value);
QUORDLL_API void SetnIgnore(int value);
QUORDLL_API void SetnIgnoreExe(int value);
QUORDLL_API void SetAlpha(int value);
QUORDLL_API void SetTaskTray(int value);
QUORDLL_API void SetIgnoreMouse(int value);
QUORDLL_API void SetIgnoreKeyboard(int value);
QUORDLL_API void SetSoftLaser(int value);
QUORDLL_API void SetIgnore(int index, const char* text);
QUORDLL_API void SetIgnoreExe(int index, const char* text);
QUORDLL_API void SetMouseCut(int slot, const char* text);
QUORDLL_API const char* GetMouseCutCmd(int index);
QUORDLL_API unsigned int GetStatMouse(int index);
QUORDLL_API void SetStatMouse(int index, unsigned int value);
QUORDLL_API unsigned int GetStatKeyboard(int index);
QUORDLL_API void SetStatKeyboard(int index, unsigned int value);
QUORDLL_API double GetStatMouseMove();
QUORDLL_API void SetStatMouseMove(double value);
QUORDLL_API unsigned int GetStatTotalTime();
QUORDLL_API void SetStatTotalTime(unsigned int value);
QUORDLL_API void StatClear();
QUORDLL_API HHOOK SetHook();
QUORDLL_API void UnSetHook();
