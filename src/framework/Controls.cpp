#include "Controls.h"

#include "TextConversion.h"

#include <string>

namespace {

// Entry `index` of a list or combo box (`getLength`/`getText`: LB_GETTEXTLEN/LB_GETTEXT
// or CB_GETLBTEXTLEN/CB_GETLBTEXT), in the ANSI code page; empty when there is no
// such entry. The common controls 6 list and combo boxes are Unicode windows: an
// ANSI get-text message to them is converted on its way, and Wine converts it
// through a fixed buffer of 512 wide characters that a longer entry overruns. So a
// Unicode window is asked with the wide message, into a buffer sized from the
// entry's own length, and the text converted here; an ANSI window (common controls
// 5, or one subclassed with an ANSI procedure) takes the ANSI message unconverted.
CString EntryText(HWND control, UINT getLength, UINT getText, int index)
{
    const WPARAM entry = static_cast<WPARAM>(index);
    if (!::IsWindowUnicode(control)) {
        const LRESULT length = ::SendMessageA(control, getLength, entry, 0);
        if (length < 0)
            return CString();
        std::string buffer(static_cast<size_t>(length) + 1, '\0');
        const LRESULT copied = ::SendMessageA(control, getText, entry, reinterpret_cast<LPARAM>(&buffer[0]));
        return copied < 0 ? CString() : CString(buffer.c_str());
    }
    const LRESULT length = ::SendMessageW(control, getLength, entry, 0);
    if (length < 0)
        return CString();
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = ::SendMessageW(control, getText, entry, reinterpret_cast<LPARAM>(&buffer[0]));
    if (copied <= 0 || copied > length)
        return CString();
    return AfxAnsiFromWide(buffer.c_str(), static_cast<int>(copied));
}

} // namespace

BEGIN_MESSAGE_MAP(CButton, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

void CComboBox::GetLBText(int index, CString& text) const
{
    text = EntryText(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

void CListBox::GetText(int index, CString& text) const
{
    text = EntryText(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, index);
}
