#include "CDialog.h"

#include "CWinApp.h"
#include "DialogPlacement.h"

#include <vector>

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCEA(templateId)), m_pParentWnd(parent)
{
}

CDialog::CDialog(const char* templateName, CWnd* parent) : m_lpszTemplateName(templateName), m_pParentWnd(parent)
{
}

CDialog::~CDialog()
{
    // The derived object is gone by now: its map must not see the destruction.
    if (m_hWnd) {
        HWND hwnd = m_hWnd;
        UnsubclassWindow();
        ::DestroyWindow(hwnd);
    }
}

HWND CDialog::CreateFromTemplate(HWND parent, bool* wantsVisible)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(instance, m_lpszTemplateName, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    const DWORD size = found ? ::SizeofResource(instance, found) : 0;
    if (!bytes || size < sizeof(DLGTEMPLATE))
        return nullptr;

    // The dialog is created hidden and shown once its initialisation has run, so a
    // dialog that ends during OnInitDialog never appears.
    std::vector<unsigned char> copy(static_cast<const unsigned char*>(bytes),
                                    static_cast<const unsigned char*>(bytes) + size);
    const bool extended = size >= 16 && copy[2] == 0xFF && copy[3] == 0xFF;
    DWORD* style = reinterpret_cast<DWORD*>(&copy[extended ? 12 : 0]);
    *wantsVisible = (*style & WS_VISIBLE) != 0;
    *style &= ~static_cast<DWORD>(WS_VISIBLE);

    m_ending = false;
    m_result = -1;
    return ::CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()), parent,
                                        &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::DoModal()
{
    HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    const bool disableParent = parent && ::IsWindowEnabled(parent);
    if (disableParent)
        ::EnableWindow(parent, FALSE);

    bool visible = false;
    HWND hwnd = CreateFromTemplate(parent, &visible);
    if (hwnd && !m_ending) {
        ::ShowWindow(hwnd, SW_SHOWNORMAL);
        MSG msg;
        while (!m_ending) {
            const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));   // leave WM_QUIT for the outer loop
                break;
            }
            if (got < 0)
                break;
            if (!WalkPreTranslateTree(hwnd, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }
    if (disableParent)
        ::EnableWindow(parent, TRUE);
    if (hwnd) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        // Still subclassed, so WM_DESTROY reaches the map; WM_NCDESTROY unbinds.
        ::DestroyWindow(hwnd);
    }
    return hwnd ? m_result : -1;
}

BOOL CDialog::Create(CWnd* parent)
{
    if (parent)
        m_pParentWnd = parent;
    bool visible = false;
    HWND hwnd = CreateFromTemplate(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, &visible);
    if (hwnd && visible && !m_ending)
        ::ShowWindow(hwnd, SW_SHOWNORMAL);
    return hwnd != nullptr;
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_ending = true;
    if (m_hWnd)
        PostMessage(WM_NULL);   // wakes the modal loop so it sees the end
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (!m_hWnd)
        return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && (HIWORD(wParam) == BN_CLICKED || lParam == 0)) {
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOK();
            result = 0;
            return TRUE;
        case IDCANCEL:
            OnCancel();
            result = 0;
            return TRUE;
        default:
            break;
        }
    }
    if (message == WM_HELP) {
        // F1: the help command goes to the application, as a menu command would.
        if (CWinApp* app = AfxGetApp()) {
            app->OnWndMsg(WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0, result);
            result = TRUE;
            return TRUE;
        }
    }
    if (message == WM_COMMAND && lParam == 0) {
        if (CWinApp* app = AfxGetApp())
            return app->OnWndMsg(message, wParam, lParam, result);
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    // Only WM_INITDIALOG is handled here: it ties the object to the window, whose
    // messages then reach the object through the subclass procedure first. Every
    // other message arriving here is one the object left to the dialog's defaults.
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* self = reinterpret_cast<CDialog*>(lParam);
    if (!self || !self->SubclassWindow(hwnd))
        return TRUE;
    RECT before;
    ::GetWindowRect(hwnd, &before);
    BOOL focusDefault = TRUE;
    try {
        focusDefault = self->OnInitDialog();
    } catch (...) {
        self->EndDialog(-1);
        if (CWinApp* app = AfxGetApp())
            app->ProcessWndProcException(WM_INITDIALOG);
        return TRUE;
    }
    // A dialog that its initialisation did not place is centred, over its owner or
    // on the screen, as the framework's dialogs are.
    RECT after;
    if (::IsWindow(hwnd) && ::GetWindowRect(hwnd, &after) && ::EqualRect(&before, &after) &&
        !(::GetWindowLongA(hwnd, GWL_STYLE) & DS_CENTER))
        CenterOverOwner(hwnd);
    return focusDefault;
}

namespace {
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoA(monitor, &info))
        reinterpret_cast<std::vector<MonitorArea>*>(context)->push_back(
            {info.rcMonitor, info.rcWork, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}
}

void CDialog::CenterOverOwner(HWND hwnd)
{
    std::vector<MonitorArea> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    HWND owner = ::GetWindow(hwnd, GW_OWNER);
    RECT ownerRect;
    const bool overOwner = owner && ::IsWindowVisible(owner) && !::IsIconic(owner) && ::GetWindowRect(owner, &ownerRect);
    POINT cursor{0, 0};
    ::GetCursorPos(&cursor);
    RECT work = PlacementWorkArea(monitors, overOwner ? &ownerRect : nullptr, cursor);
    if (::IsRectEmpty(&work))
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT window;
    ::GetWindowRect(hwnd, &window);
    const POINT corner = CenteredPosition(window.right - window.left, window.bottom - window.top,
                                          overOwner ? ownerRect : work, work);
    ::SetWindowPos(hwnd, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
