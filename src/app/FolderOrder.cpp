#include "FolderOrder.h"

#include <windows.h>

#include <algorithm>
#include <vector>

void SortOffered(const CStringArray& catalogue, const CStringArray& handled, CStringArray& offered)
{
    std::vector<CString> folders;
    for (int i = 0; i < catalogue.GetSize(); ++i)
        if (!handled.Contains(catalogue.GetAt(i)))
            folders.push_back(catalogue.GetAt(i));
    // A sorted list box places each new entry with this same comparison.
    std::stable_sort(folders.begin(), folders.end(), [](const CString& a, const CString& b) {
        return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, -1, b, -1) == CSTR_LESS_THAN;
    });
    for (const CString& folder : folders)
        offered.Add(folder);
}
