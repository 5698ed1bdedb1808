#pragma once
// A dialog whose background is a picture composed off-screen and copied to the
// window in one blit, so it never shows half drawn: a bitmap laid out in one of
// thirteen ways or, with no bitmap, a grey-to-white gradient over the whole window
// height. A bitmap can also shape the window (a transparent colour is cut out of
// its region), the window can be dragged by its client area, and the dialog owns a
// tooltip control to which it relays its messages.
//
// The composed picture is kept and built again only when the window's size, the
// bitmap, the draw mode, the system colours, high contrast or the DPI change: an
// erase is one blit of the part the erase covers (the context's clip box), and asks
// the system nothing, since the window's rectangles and high contrast are kept from
// the messages that change them (WM_SIZE, WM_DPICHANGED, WM_SETTINGCHANGE,
// WM_SYSCOLORCHANGE). With high contrast on, the background is the system's face
// colour and nothing else. The dialog also looks after its skinned buttons: it shows
// them the keyboard cues (Tab, an arrow or Alt), ends their hover look when it loses
// activation, and hands them the mouse messages their disabled tips need. A new DPI
// it records on its window (skin::KeepShownDpi), where they read it.

#include "CBitmap.h"
#include "CDialog.h"
#include "CMemoryDC.h"
#include "CToolTipCtrl.h"

#include <memory>
#include <vector>

class CSkinButton;

class CSkinDialog : public CDialog {
public:
    // Draw modes: how the bitmap is laid out over the client area.
    static constexpr BYTE DRAWMODE_TILE = 0;
    static constexpr BYTE DRAWMODE_CENTER = 1;
    static constexpr BYTE DRAWMODE_STRETCH = 2;
    static constexpr BYTE DRAWMODE_TILE_TOP = 3;
    static constexpr BYTE DRAWMODE_TILE_BOTTOM = 4;
    static constexpr BYTE DRAWMODE_TILE_LEFT = 5;
    static constexpr BYTE DRAWMODE_TILE_RIGHT = 6;
    static constexpr BYTE DRAWMODE_TOP_LEFT = 7;
    static constexpr BYTE DRAWMODE_TOP_RIGHT = 8;
    static constexpr BYTE DRAWMODE_TOP_CENTER = 9;
    static constexpr BYTE DRAWMODE_BOTTOM_LEFT = 10;
    static constexpr BYTE DRAWMODE_BOTTOM_RIGHT = 11;
    static constexpr BYTE DRAWMODE_BOTTOM_CENTER = 12;

    // Result codes of the setters.
    static constexpr int SKIN_OK = 0;
    static constexpr int SKIN_BITMAP_UNREADABLE = 1;    // the bitmap object could not be queried
    static constexpr int SKIN_BAD_DRAW_MODE = 2;        // draw mode 13 or more
    static constexpr int SKIN_REGION_FAILED = 3;        // no window region could be made from the bitmap

    // Colour that shapes nothing.
    static constexpr COLORREF NO_TRANSPARENT_COLOR = 0xFFFFFFFF;

    CSkinDialog();
    CSkinDialog(UINT templateId, CWnd* parent);
    CSkinDialog(const char* templateName, CWnd* parent);
    ~CSkinDialog() override;

    // Takes ownership of `hBitmap` (even when the call fails) and shows it as the
    // background; unless crTransparent is NO_TRANSPARENT_COLOR, every pixel of that
    // colour (its high byte ignored) becomes a hole in the window. Null removes
    // bitmap and shape. Returns SKIN_OK, SKIN_BITMAP_UNREADABLE or
    // SKIN_REGION_FAILED; after a failure the skin is absent and the bitmap deleted.
    int SetBitmap(HBITMAP hBitmap, COLORREF crTransparent = NO_TRANSPARENT_COLOR);
    // The same with bitmap resource `nBitmapID` of the program; a resource that
    // cannot be loaded removes the skin and returns SKIN_OK.
    int SetBitmap(UINT nBitmapID, COLORREF crTransparent = NO_TRANSPARENT_COLOR);
    // SKIN_BAD_DRAW_MODE, changing nothing, for 13 or more; repaints only when
    // bRepaint is exactly TRUE.
    int SetDrawMode(BYTE byMode, BOOL bRepaint = TRUE);
    // Sizes the window so that its client area is the bitmap's size, and centres
    // the bitmap. The top-left corner stays.
    int FitWindowToBitmap(BOOL bRepaint = TRUE);
    // Exactly 1: pressing the left button anywhere in the client area moves the window.
    int SetDragAnywhere(BOOL bEnable);

    BOOL PreTranslateMessage(MSG* msg) override;

    // The DPI the dialog is shown at (WM_DPICHANGED updates it).
    int GetDpi() const { return m_dpi; }
    // The skinned buttons among the dialog's controls.
    std::vector<CSkinButton*> SkinButtons() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Creates and activates the tooltip. A derived dialog calls it first.
    BOOL OnInitDialog() override;
    // Called with the off-screen picture of a bitmap background once it has been
    // copied to the window. The picture is the kept background: read it, but what is
    // drawn on it shows again in every later erase.
    virtual void OnBackgroundDrawn(CDC* pDC);
    // Called once the window has taken its new size after a move to a screen of
    // another density, before everything is drawn again: a derived dialog makes its
    // fonts again here.
    virtual void OnDpiChanged(int dpi);

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnSysColorChange();
    LRESULT OnSettingChange(WPARAM action, LPARAM area);
    LRESULT OnDpiChangedMessage(WPARAM dpi, LPARAM suggested);
    LRESULT OnActivateMessage(WPARAM state, LPARAM other);
    LRESULT OnActivateApp(WPARAM active, LPARAM thread);
    LRESULT OnChangeUIState(WPARAM change, LPARAM);
    LRESULT OnDestroyMessage(WPARAM, LPARAM);

    // The gradient over `rect` (the window rectangle in client coordinates, so its
    // top is above the client area): RGB(160, 160, 160) lightening with the square
    // of the distance from the top, in bands of height / 255 pixels.
    void DrawGradientBackground(CDC* pDC, CRect rect);
    void FillBand(CDC* pDC, int x, int y, int cx, int cy, COLORREF color);
    // Deletes the bitmap and takes the shape back from the window when bDelete is
    // TRUE; forgets both in any case. Draw mode and drag flag stay.
    void FreeResources(BOOL bDelete = TRUE);

    // The bitmap's pixels as 24-bit rows, top row first, blue-green-red, with no
    // padding: the width is rounded down to a multiple of 4 (and given back with
    // the height). Null when the pixels cannot be had.
    static std::unique_ptr<BYTE[]> GetBitmapBits24(HBITMAP hBitmap, DWORD* pWidth, DWORD* pHeight);
    // A region of the bitmap's working size (see GetBitmapBits24) less every pixel of
    // the colour (red, green, blue); the caller owns it. Null on failure.
    static HRGN CreateRegionFromBitmap(HBITMAP hBitmap, BYTE red, BYTE green, BYTE blue);

    CToolTipCtrl m_ToolTip;
    CBitmap m_hBitmap;          // the background bitmap, owned; empty for the gradient
    HRGN m_hRegion = nullptr;   // the window's shape; the window owns it once set
    DWORD m_dwBitmapWidth = 0;
    DWORD m_dwBitmapHeight = 0;
    BYTE m_byDrawMode = DRAWMODE_TILE;
    BOOL m_bDragAnywhere = FALSE;
    int m_dpi = 96;

    DECLARE_MESSAGE_MAP()

private:
    // What the kept picture was composed for; another value means composing again.
    struct BackgroundKey {
        CRect window;            // the window rectangle in client coordinates
        CRect client;
        HBITMAP bitmap;
        BYTE drawMode;
        bool highContrast;
        bool operator==(const BackgroundKey& other) const;
    };

    void InitSkin();
    // Takes the window's rectangles anew; the system is asked here, not at each erase.
    void KeepWindowRects();
    BackgroundKey CurrentBackgroundKey() const;
    // Composes the picture for `key` into m_background; `pDC` is the context of the
    // erase under way. FALSE when no picture could be made.
    BOOL ComposeBackground(CDC* pDC, const BackgroundKey& key);
    void DrawBitmapBackground(CDC* pDC, const CRect& client, COLORREF fill);
    // The picture no longer matches the system's look: composed again at the next
    // erase, the skinned buttons' copies of it taken again, everything repainted.
    void RefreshLook();
    // A key that shows the keyboard cues (Tab, an arrow, Alt) clears them in the
    // dialog, as the system's dialog manager does on Windows.
    void ShowKeyboardCuesFor(const MSG& msg);
    // The UISF_* cues hidden now, as the dialog last told its controls.
    WORD m_hiddenCues = UISF_HIDEFOCUS | UISF_HIDEACCEL;
    // What the last WM_SIZE, WM_DPICHANGED, WM_SETTINGCHANGE or WM_SYSCOLORCHANGE
    // told: the window rectangle in client coordinates, the client rectangle, and
    // whether high contrast is on.
    CRect m_windowRect;
    CRect m_clientRect;
    bool m_highContrast = false;
    CMemoryDC m_background;          // the kept picture
    BackgroundKey m_backgroundKey{};
    bool m_backgroundStale = true;
};
