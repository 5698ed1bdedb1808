#include "NamedBlock.h"

#include "CKernelHandle.h"

#include <windows.h>
#include <cstring>

namespace standin {

namespace {

class MappedView {
public:
    MappedView(HANDLE mapping, DWORD size)
        : m_view(::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, size)) {}
    ~MappedView()
    {
        if (m_view)
            ::UnmapViewOfFile(m_view);
    }
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;

    const char* bytes() const { return static_cast<const char*>(m_view); }

private:
    void* m_view;
};

} // namespace

Block ReadNamedBlock(const char* name, unsigned long size)
{
    Block block;
    // The object lives only while its publisher holds a handle; opening it by
    // name is the whole hand-over, no file or path is involved.
    CKernelHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, name));
    if (!mapping.IsValid())
        return block;
    MappedView view(mapping.GetSafeHandle(), size);
    if (!view.bytes()) {
        block.state = Block::Unreadable;
        return block;
    }
    const void* nul = std::memchr(view.bytes(), '\0', size);
    const size_t length = nul ? static_cast<const char*>(nul) - view.bytes() : size;
    block.text.assign(view.bytes(), length);
    block.state = Block::Present;
    return block;
}

} // namespace standin
