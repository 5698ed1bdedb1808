#include "CDataExchange.h"

#include "CWnd.h"

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    HWND item = pDX->m_pDlgWnd->GetDlgItem(id);
    if (item)
        control.BindDlgItem(item);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    HWND item = pDX->m_pDlgWnd->GetDlgItem(id);
    if (!item)
        return;
    if (pDX->m_bSaveAndValidate) {
        const int length = ::GetWindowTextLengthA(item);
        std::string buffer(static_cast<size_t>(length) + 1, '\0');
        ::GetWindowTextA(item, &buffer[0], length + 1);
        value = buffer.c_str();
    } else {
        ::SetWindowTextA(item, value);
    }
}
