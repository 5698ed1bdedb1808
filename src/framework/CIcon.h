#pragma once
// Owners of the user objects an icon is made of: CIcon holds one icon (DestroyIcon),
// CCursor one cursor (DestroyCursor). Neither may hold a shared icon or cursor
// (LoadIcon, LR_SHARED), which the system owns.

#include "COwnedHandle.h"

template <class Handle, BOOL (WINAPI* DestroyFn)(Handle)>
class CUserObject : public COwnedHandle<Handle, DestroyFn> {
public:
    using COwnedHandle<Handle, DestroyFn>::COwnedHandle;
    // FALSE when there was nothing to destroy or the system refused.
    BOOL Destroy() { return this->Free(); }
};

using CIcon = CUserObject<HICON, &::DestroyIcon>;
using CCursor = CUserObject<HCURSOR, &::DestroyCursor>;
