#include "hooklib/commands/slot_authority.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <cstdio>
#include <cstring>

#include "hooklib/core/shared_block.h"
#include "platform/unique_any.h"

namespace quor {
namespace {

constexpr char kMappingName[] = "Local\\QuorvelleMouseCuts";
constexpr DWORD kMappingSize = kMouseCutSlots * kTextSlot;

// The copy as this process holds it (made here, or found protected): kept open for the
// process's life, so that the copy lives while any program that set or installed anything does.
HANDLE g_held = nullptr;

struct TokenFacts {
    char user[256];       // the user's SID as text
    char integrity[256];  // the integrity level's SID as text, empty where the system has none
    DWORD level;          // its last part, the level itself (0x2000 medium, 0x3000 high...)
};

DWORD LevelOf(PSID sid) noexcept {
    const UCHAR parts = *::GetSidSubAuthorityCount(sid);
    return parts ? *::GetSidSubAuthority(sid, parts - 1) : 0;
}

bool SidText(PSID sid, char (&out)[256]) noexcept {
    char* text = nullptr;
    if (!::ConvertSidToStringSidA(sid, &text)) return false;
    unique_local owned(text);
    return std::snprintf(out, sizeof out, "%s", text) > 0;
}

bool ReadToken(TokenFacts& facts) noexcept {
    facts.user[0] = facts.integrity[0] = '\0';
    facts.level = 0;
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
    unique_handle token(raw);
    alignas(8) BYTE buffer[512];
    DWORD size = 0;
    if (!::GetTokenInformation(token.get(), TokenUser, buffer, sizeof buffer, &size) ||
        !SidText(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, facts.user))
        return false;
    if (::GetTokenInformation(token.get(), TokenIntegrityLevel, buffer, sizeof buffer, &size)) {
        const PSID level = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
        if (SidText(level, facts.integrity)) facts.level = LevelOf(level);
    }
    return true;
}

// Full access for the current user alone; a mandatory label at this process's level, no write up.
HANDLE CreateProtectedMapping(const TokenFacts& facts) noexcept {
    char sddl[700];
    if (facts.integrity[0])
        std::snprintf(sddl, sizeof sddl, "D:P(A;;GA;;;%s)S:(ML;;NW;;;%s)", facts.user, facts.integrity);
    else
        std::snprintf(sddl, sizeof sddl, "D:P(A;;GA;;;%s)", facts.user);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        return nullptr;
    unique_local ownedDescriptor(descriptor);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    HANDLE mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0, kMappingSize, kMappingName);
    if (mapping && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        // Someone was first: whatever it is, it is judged like any other mapping of that name.
        ::CloseHandle(mapping);
        return nullptr;
    }
    return mapping;
}

bool SameSid(PSID sid, const char* text) noexcept {
    char actual[256];
    return sid && ::IsValidSid(sid) && SidText(sid, actual) && std::strcmp(actual, text) == 0;
}

// Whether the mapping carries the protection we give it: one entry granting the current user,
// and, where the system keeps integrity labels, a label that forbids writing up.
bool IsProtected(HANDLE mapping, const TokenFacts& facts) noexcept {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetSecurityInfo(mapping, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                          &descriptor) != ERROR_SUCCESS)
        return false;
    unique_local ownedDescriptor(descriptor);
    if (!dacl || dacl->AceCount != 1) return false;
    void* ace = nullptr;
    if (!::GetAce(dacl, 0, &ace)) return false;
    const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
    if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE ||
        !SameSid(const_cast<DWORD*>(&allowed->SidStart), facts.user))
        return false;
    if (!facts.integrity[0]) return true;
    PACL sacl = nullptr;
    PSECURITY_DESCRIPTOR labelDescriptor = nullptr;
    if (::GetSecurityInfo(mapping, SE_KERNEL_OBJECT, LABEL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, &sacl,
                          &labelDescriptor) != ERROR_SUCCESS)
        return false;
    unique_local ownedLabel(labelDescriptor);
    if (!sacl || sacl->AceCount < 1 || !::GetAce(sacl, 0, &ace)) return false;
    // No write up, at a level no lower than ours: what a lower program made does not count.
    const auto* label = static_cast<const SYSTEM_MANDATORY_LABEL_ACE*>(ace);
    return label->Header.AceType == SYSTEM_MANDATORY_LABEL_ACE_TYPE &&
           (label->Mask & SYSTEM_MANDATORY_LABEL_NO_WRITE_UP) != 0 &&
           LevelOf(const_cast<DWORD*>(&label->SidStart)) >= facts.level;
}

// The copy opened with `access`, or null when it is missing or not protected as it must be.
unique_handle OpenAuthority(DWORD access, const TokenFacts& facts) noexcept {
    unique_handle mapping(::OpenFileMappingA(access | READ_CONTROL, FALSE, kMappingName));
    if (!mapping || !IsProtected(mapping.get(), facts)) return {};
    return mapping;
}

class View {
public:
    View(HANDLE mapping, DWORD access) noexcept : data_(::MapViewOfFile(mapping, access, 0, 0, kMappingSize)) {}
    ~View() {
        if (data_) ::UnmapViewOfFile(data_);
    }
    View(const View&) = delete;
    View& operator=(const View&) = delete;
    char* slot(int i) const noexcept { return static_cast<char*>(data_) + i * kTextSlot; }
    explicit operator bool() const noexcept { return data_ != nullptr; }

private:
    void* data_;
};

}  // namespace

void EnsureSlotAuthority() noexcept {
    if (g_held) return;
    TokenFacts facts;
    if (!ReadToken(facts)) return;
    if (unique_handle existing{::OpenFileMappingA(FILE_MAP_READ, FALSE, kMappingName)}) {
        // Another program's copy: held here too if it is protected; one that is not stays no copy.
        if (unique_handle held = OpenAuthority(FILE_MAP_READ, facts)) g_held = held.release();
        return;
    }
    g_held = CreateProtectedMapping(facts);
}

void RecordAuthoritativeSlot(int slot, const char* text) noexcept {
    if (slot < 0 || slot >= kMouseCutSlots) return;
    EnsureSlotAuthority();
    TokenFacts facts;
    if (!ReadToken(facts)) return;
    const unique_handle mapping = OpenAuthority(FILE_MAP_WRITE, facts);
    if (!mapping) return;
    const View view(mapping.get(), FILE_MAP_WRITE);
    if (!view) return;
    char* copy = view.slot(slot);
    int n = 0;
    if (text)
        for (; n < kTextSlot - 1 && text[n] != '\0'; ++n) copy[n] = text[n];
    copy[n] = '\0';
}

bool SlotTextIsAuthoritative(int slot, const char* text) noexcept {
    if (slot < 0 || slot >= kMouseCutSlots || !text) return false;
    TokenFacts facts;
    if (!ReadToken(facts)) return false;
    const unique_handle mapping = OpenAuthority(FILE_MAP_READ, facts);
    if (!mapping) return false;
    const View view(mapping.get(), FILE_MAP_READ);
    return view && std::strncmp(view.slot(slot), text, kTextSlot) == 0;
}

}  // namespace quor
