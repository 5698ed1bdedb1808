#include "FolderSecurity.h"

#include <windows.h>
#include <aclapi.h>

namespace {

// Rights over a folder that let a user put a file of his there or replace one.
const ACCESS_MASK kChangingRights = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD | DELETE |
                                    WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                                    GENERIC_ALL;

// Everyone, Users and Authenticated Users.
bool IsOrdinaryUsers(PSID sid)
{
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    const struct {
        SID_IDENTIFIER_AUTHORITY* authority;
        BYTE count;
        DWORD first, second;
    } groups[] = {
        {&world, 1, SECURITY_WORLD_RID, 0},
        {&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS},
        {&nt, 1, SECURITY_AUTHENTICATED_USER_RID, 0},
    };
    for (const auto& group : groups) {
        PSID known = nullptr;
        if (!::AllocateAndInitializeSid(group.authority, group.count, group.first, group.second, 0, 0, 0, 0, 0, 0,
                                        &known))
            continue;
        const bool same = ::EqualSid(sid, known) != FALSE;
        ::FreeSid(known);
        if (same)
            return true;
    }
    return false;
}

// Owner of what GetNamedSecurityInfo hands back.
class CSecurityDescriptor {
public:
    CSecurityDescriptor() = default;
    ~CSecurityDescriptor()
    {
        if (m_descriptor)
            ::LocalFree(m_descriptor);
    }
    CSecurityDescriptor(const CSecurityDescriptor&) = delete;
    CSecurityDescriptor& operator=(const CSecurityDescriptor&) = delete;

    PSECURITY_DESCRIPTOR* Out() { return &m_descriptor; }

private:
    PSECURITY_DESCRIPTOR m_descriptor = nullptr;
};

} // namespace

bool IsOpenToOrdinaryUsers(const char* folder, unsigned long* error)
{
    if (error)
        *error = 0;
    if (!folder || !*folder) {
        if (error)
            *error = ERROR_INVALID_PARAMETER;
        return false;
    }
    PACL dacl = nullptr;
    CSecurityDescriptor descriptor;
    const DWORD status = ::GetNamedSecurityInfoA(folder, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                                 nullptr, &dacl, nullptr, descriptor.Out());
    if (status != ERROR_SUCCESS) {
        if (error)
            *error = status;
        return false;
    }
    return IsDaclOpenToOrdinaryUsers(dacl);
}

bool IsDaclOpenToOrdinaryUsers(const ACL* dacl)
{
    if (!dacl)
        return true;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* entry = nullptr;
        if (!::GetAce(const_cast<ACL*>(dacl), i, &entry))
            continue;
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        // An inherit-only entry is for what the folder will hold, not for the folder.
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE))
            continue;
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        if ((allowed->Mask & kChangingRights) && IsOrdinaryUsers(&allowed->SidStart))
            return true;
    }
    return false;
}
