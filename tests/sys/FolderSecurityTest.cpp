// Who may change a folder, read from the access list a test gives it.

#include "FolderSecurity.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

namespace {

// The DACL of `sddl`, the system's own notation, read by the rule; `ok` false when
// the notation is refused.
bool OpenBy(const char* sddl, bool& ok)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ok = ::ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr) != FALSE;
    if (!ok)
        return false;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    ::GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    const bool open = IsDaclOpenToOrdinaryUsers(dacl);
    ::LocalFree(descriptor);
    return open;
}

} // namespace

TEST(FolderSecurity, OrdinaryUsersWhoMayChangeTheFolderAreSeen)
{
    // SY the system, BA the administrators, WD everyone, BU users, AU authenticated
    // users; FA all rights, FR reading, 0x2 adding a file, 0x40 deleting in it.
    const struct {
        const char* dacl;
        bool open;
    } cases[] = {
        {"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)", false},
        {"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FR;;;BU)(A;OICI;FR;;;WD)", false},
        {"D:P(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;AU)", true},   // what C:\ gives them below it
        {"D:P(A;OICI;FA;;;BA)(A;OICI;0x2;;;BU)", true},
        {"D:P(A;OICI;FA;;;BA)(A;;0x40;;;WD)", true},
        {"D:P(A;OICI;FA;;;BA)(A;OICI;GW;;;BU)", true},
        // For what the folder will hold, not for the folder itself.
        {"D:P(A;OICI;FA;;;BA)(A;OICIIO;FA;;;AU)", false},
        // A refusal is not a grant.
        {"D:P(A;OICI;FA;;;BA)(D;OICI;FA;;;WD)", false},
        // A user of its own is not "ordinary users" as a group.
        {"D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;S-1-5-21-1-2-3-1001)", false},
        // An empty DACL lets nobody in.
        {"D:P", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dacl);
        bool ok = false;
        EXPECT_EQ(c.open, OpenBy(c.dacl, ok));
        EXPECT_TRUE(ok) << "notation refused";
    }
    EXPECT_TRUE(IsDaclOpenToOrdinaryUsers(nullptr)) << "no DACL at all: everyone may do anything";
}

// Wine makes a folder's DACL from its Unix mode (a folder others may write to gives
// Everyone the right to change it); CTest prepares one of each (sys_acl_folders).
TEST(FolderSecurity, TheFoldersOwnAccessListIsRead)
{
    unsigned long error = 0xdeadbeef;
    EXPECT_TRUE(IsOpenToOrdinaryUsers(ACL_FOLDERS "\\open", &error));
    EXPECT_EQ(0ul, error);
    error = 0xdeadbeef;
    EXPECT_FALSE(IsOpenToOrdinaryUsers(ACL_FOLDERS "\\closed", &error));
    EXPECT_EQ(0ul, error);
    EXPECT_FALSE(IsOpenToOrdinaryUsers("C:\\no such folder here", &error));
    EXPECT_NE(0ul, error);
}
