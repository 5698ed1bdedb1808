#pragma once
// The owner of one GDI object: it deletes the object in its destructor, cannot be
// copied and may be moved. An object must not be deleted while a device context
// still has it selected (Windows then refuses and the handle leaks), so select it
// through a CSelectGuard that ends before the owner does.

#include "COwnedHandle.h"

template <class Handle>
BOOL WINAPI DeleteGdiObject(Handle handle)
{
    return ::DeleteObject(handle);
}

template <class Handle>
class CGdiObject : public COwnedHandle<Handle, &DeleteGdiObject<Handle>> {
    using Owner = COwnedHandle<Handle, &DeleteGdiObject<Handle>>;

public:
    using Owner::Owner;
    // FALSE when there was nothing to delete or the system refused.
    BOOL DeleteObject() { return Owner::Free(); }

protected:
    using Owner::m_handle;
};
