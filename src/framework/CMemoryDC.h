#pragma once
// Memory device contexts that the program creates and owns.
//
// CCompatibleDC owns a bare memory context (DeleteDC in its destructor). Deleting a
// context does not delete what is selected into it, so an object that must live as
// long as the context (a cached picture) is kept beside it:
//
//     CCompatibleDC m_cacheDC;      // declared in this order, so the selection
//     CBitmap       m_cacheBitmap;  // ends first, then the bitmap is deleted,
//     CSelectGuard  m_cacheSelect;  // then the context
//
// CMemoryDC is a context with its own compatible bitmap of a given size already
// selected: an off-screen picture for one paint.

#include "CBitmap.h"
#include "CDC.h"
#include "CSelectGuard.h"

#include <utility>

class CCompatibleDC : public CDC {
public:
    CCompatibleDC() = default;
    // A memory context compatible with `reference`; null means the screen.
    explicit CCompatibleDC(HDC reference) { CreateCompatibleDC(reference); }
    ~CCompatibleDC() { DeleteDC(); }
    CCompatibleDC(const CCompatibleDC&) = delete;
    CCompatibleDC& operator=(const CCompatibleDC&) = delete;
    CCompatibleDC(CCompatibleDC&& other) noexcept : CDC(std::exchange(other.m_hDC, nullptr)) {}
    CCompatibleDC& operator=(CCompatibleDC&& other) noexcept
    {
        if (this != &other) {
            DeleteDC();
            m_hDC = std::exchange(other.m_hDC, nullptr);
        }
        return *this;
    }

    // Deletes the context held until now, then creates one.
    BOOL CreateCompatibleDC(HDC reference)
    {
        DeleteDC();
        m_hDC = ::CreateCompatibleDC(reference);
        return m_hDC != nullptr;
    }
    BOOL DeleteDC()
    {
        if (!m_hDC)
            return FALSE;
        return ::DeleteDC(std::exchange(m_hDC, nullptr));
    }
};

// Its context, bitmap and selection are members of their own, not inherited: nothing
// outside can delete the context or create another while the bitmap is selected.
class CMemoryDC : public CDC {
public:
    CMemoryDC() = default;
    // See Create.
    CMemoryDC(HDC target, int width, int height) { Create(target, target, width, height); }
    ~CMemoryDC() { Release(); }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    // A context compatible with `contextReference` (null: the screen) holding a
    // bitmap of width x height compatible with `bitmapReference`. Its pixels are
    // undefined until drawn. FALSE, holding nothing, when any step failed.
    BOOL Create(HDC contextReference, HDC bitmapReference, int width, int height)
    {
        Release();
        if (!m_context.CreateCompatibleDC(contextReference) ||
            !m_bitmap.CreateCompatibleBitmap(bitmapReference, width, height) ||
            !m_selection.Select(m_context, m_bitmap)) {
            Release();
            return FALSE;
        }
        m_hDC = m_context;
        return TRUE;
    }
    BOOL Create(HDC target, int width, int height) { return Create(target, target, width, height); }
    // Puts the context's own bitmap back, then deletes the picture and the context.
    void Release()
    {
        m_selection.Restore();
        m_bitmap.DeleteObject();
        m_context.DeleteDC();
        m_hDC = nullptr;
    }
    HBITMAP GetBitmap() const { return m_bitmap; }

private:
    // In this order, so that the selection ends first, then the bitmap, then the context.
    CCompatibleDC m_context;
    CBitmap m_bitmap;
    CSelectGuard m_selection;
};
