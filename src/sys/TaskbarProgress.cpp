#include "TaskbarProgress.h"

#include "SystemLibrary.h"

#include <shobjidl.h>

namespace {

// The taskbar's class and the interface with progress, as the system registers them.
const CLSID kTaskbarListClass = {0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
const IID kTaskbarList3 = {0xEA1AFB91, 0x9E28, 0x4B86, {0x90, 0xE9, 0x9E, 0x9F, 0x8A, 0x5E, 0xEF, 0xAF}};

using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
using CoCreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
using CoUninitializeFn = void(WINAPI*)();

} // namespace

CTaskbarProgress::~CTaskbarProgress()
{
    if (m_list)
        m_list->Release();
    if (m_comStarted)
        if (auto uninitialize = AfxGetProcedure<CoUninitializeFn>(m_ole, "CoUninitialize"))
            uninitialize();
    if (m_ole)
        ::FreeLibrary(m_ole);
}

// The program imports system libraries of the oldest Windows it runs on only: COM
// is loaded when the progress is first shown.
bool CTaskbarProgress::Reach()
{
    if (m_tried)
        return m_list != nullptr;
    m_tried = true;
    m_ole = AfxLoadSystemLibrary("ole32.dll");
    if (!m_ole)
        return false;
    auto initialize = AfxGetProcedure<CoInitializeExFn>(m_ole, "CoInitializeEx");
    auto create = AfxGetProcedure<CoCreateInstanceFn>(m_ole, "CoCreateInstance");
    if (!initialize || !create)
        return false;
    m_comStarted = SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    void* list = nullptr;
    if (FAILED(create(kTaskbarListClass, nullptr, CLSCTX_INPROC_SERVER, kTaskbarList3, &list)) || !list)
        return false;
    m_list = static_cast<ITaskbarList3*>(list);
    if (FAILED(m_list->HrInit())) {
        m_list->Release();
        m_list = nullptr;
    }
    return m_list != nullptr;
}

void CTaskbarProgress::Show(HWND window, ULONGLONG done, ULONGLONG total)
{
    if (!window || !Reach())
        return;
    m_window = window;
    m_list->SetProgressState(window, TBPF_NORMAL);
    m_list->SetProgressValue(window, done, total);
}

void CTaskbarProgress::Clear()
{
    if (m_list && m_window && ::IsWindow(m_window))
        m_list->SetProgressState(m_window, TBPF_NOPROGRESS);
    m_window = nullptr;
}
