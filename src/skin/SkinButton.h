#pragma once
// An owner-drawn push button with its own look: a flat face (a colour, or the pixels
// of the parent under it) that shows a thin raised edge while the mouse is over it,
// a hot and a normal image beside or above the caption, per-state colours, a balloon
// tooltip, and optional hover cursor, drop-down menu, link, check-box behaviour and
// sounds. Its click still reaches the parent as BN_CLICKED.
//
// Setters answer with a status (SKIN_BUTTON_*) and never show anything; those with a
// `repaint` argument invalidate the whole button when it is true. The button owns
// every image, mask, cursor and menu it holds, images given to it included.
//
// For keyboard and screen: the focused button shows a focus rectangle once the
// keyboard cues are on (WM_UPDATEUISTATE clears UISF_HIDEFOCUS: the user pressed
// Tab, an arrow or Alt); with high contrast on (skin::IsHighContrastOn) it draws face,
// edge, caption and focus in the system's colours and always shows the focus; and
// its pixel sizes (margins, press shift, focus inset, the tip's width, icons loaded
// with LoadIcons) are sizes at 96 DPI, scaled to the DPI it is shown at.

#include "ButtonLayout.h"
#include "ButtonPixels.h"
#include "ButtonSound.h"
#include "CBitmap.h"
#include "CIcon.h"
#include "CMemoryDC.h"
#include "CMenu.h"
#include "CSelectGuard.h"
#include "CToolTipCtrl.h"
#include "Controls.h"
#include "DpiScale.h"

// Status of the setters.
enum : int {
    SKIN_BUTTON_OK = 0,
    SKIN_BUTTON_LOAD_FAILED = 1,      // a resource, cursor, menu or image failed to load or be queried
    SKIN_BUTTON_MASK_FAILED = 2,      // a transparency mask could not be made
    SKIN_BUTTON_BAD_COLOR = 3,        // colour index above 5
    SKIN_BUTTON_BAD_PLACEMENT = 4,    // placement above 3
    SKIN_BUTTON_BAD_VALUE = 5,        // shade outside -255..255, or no background to capture
    SKIN_BUTTON_BAD_PRESS_STYLE = 6,  // press style other than 0 or 1
};

// Given in place of the normal image (icon, bitmap or resource id): derive it from
// the hot one.
constexpr INT_PTR SKIN_IMAGE_GRAYED = -2;
constexpr INT_PTR SKIN_IMAGE_DARKENED = -3;
// The special value as an image handle, for AssignIcons and AssignBitmaps.
template <class Handle>
Handle SkinImage(INT_PTR special) { return reinterpret_cast<Handle>(special); }

class CSkinButton : public CButton {
public:
    CSkinButton();
    ~CSkinButton() override;

    // --- images (a button holds either icons or bitmaps; each setter first releases both)
    // Takes ownership of `hot` and `normal` (or SKIN_IMAGE_GRAYED/DARKENED, or null or
    // `hot` again for the hot icon in every state). Sizes come from the hotspots. 1 when
    // an icon's information cannot be read or a copy fails; the button then holds no image.
    int AssignIcons(HICON hot, HICON normal = nullptr);
    // Loads icon resources at the given sizes at 96 DPI, scaled to the button's DPI
    // (0 x 0: the resource's own, unscaled); `normalId` may be 0, SKIN_IMAGE_GRAYED
    // or SKIN_IMAGE_DARKENED. A hot icon that fails to load leaves the button without
    // images and answers 0. The icons are loaded again at each change of DPI (SetDpi)
    // for as long as the button holds them.
    int LoadIcons(int hotId, int hotWidth, int hotHeight, int normalId, int normalWidth, int normalHeight);
    int LoadIcons(int hotId, int normalId) { return LoadIcons(hotId, 0, 0, normalId, 0, 0); }
    // Takes ownership of the bitmaps (`normal` null or `hot` again: the hot one in
    // every state); pixels of the key colours are transparent, and are turned black in
    // the bitmaps themselves. 1: a bitmap cannot be queried; 2: a mask failed; the
    // button then holds no image.
    int AssignBitmaps(HBITMAP hot, COLORREF hotKey, HBITMAP normal = nullptr, COLORREF normalKey = 0);
    int LoadBitmaps(int hotId, COLORREF hotKey, int normalId = 0, COLORREF normalKey = 0);
    // Resizes the button to its hot image, with no margin round it.
    int FitToImage();
    // Empties both image tables, destroying the handles when `destroy`.
    int ReleaseImages(BOOL destroy);

    // --- look
    int SetImagePlacement(BYTE placement, BOOL repaint = TRUE);
    int SetFlatLook(BOOL flat, BOOL repaint = TRUE);
    int SetFlatBorder(BOOL on, BOOL repaint = TRUE);
    int SetFlatFocus(BOOL on, BOOL repaint = TRUE);
    // 0 moves image and caption by (1, 1) while pressed, 1 by (0, 2).
    int SetPressShift(BYTE style, BOOL repaint = TRUE);
    int SetStateColor(BYTE index, COLORREF color, BOOL repaint = TRUE);
    // `color` is left unchanged on failure.
    int GetStateColor(BYTE index, COLORREF* color) const;
    // Brightens (shade > 0) or darkens the colour by the same amount on every byte,
    // as far as no byte leaves 0..255.
    int ShadeStateColor(BYTE index, short shade, BOOL repaint = TRUE);
    int ResetStateColors(BOOL repaint = TRUE);
    // The face shows a copy of the parent's pixels under the button, taken at the
    // next paint (so the parent must have painted first) and kept from then on.
    int UseParentBackground(BOOL repaint = TRUE);
    // Forgets the copy: it is taken again at the next paint (the parent's look changed).
    int ForgetBackground(BOOL repaint = TRUE);
    // Takes the copy from `dc` now; 5 without UseParentBackground or without `dc`.
    int CaptureBackground(CDC* dc);

    // --- behaviour
    int SetChecked(BOOL checked, BOOL repaint = TRUE);
    BOOL IsChecked() const { return m_checked; }
    BOOL IsDefaultButton() const { return m_isDefault; }
    int SetTrackAlways(BOOL on);
    // Cursor resource `id` (0: none) shown over the button.
    int LoadHoverCursor(UINT id, BOOL repaint = TRUE);
    int SetTipText(const char* text, BOOL activate = TRUE);
    int LoadTipText(UINT id, BOOL activate = TRUE);
    int ActivateTip(BOOL on);
    int UseBalloonTip();
    // While the button is disabled, hovering it shows `text` (copied; null or "" for
    // none) in its tooltip: why it cannot be used. A disabled window gets no mouse
    // message, the parent gets them; it hands them on with RelayParentEvent
    // (CSkinDialog does so for its skinned buttons).
    int SetDisabledTipText(const char* text);
    CString GetDisabledTipText() const { return m_disabledTip; }
    // A mouse message of the parent window, for the disabled tip.
    void RelayParentEvent(MSG* msg);

    // --- screen
    // The DPI the button is shown at from now on; its parent tells it when Windows
    // moves the window to a screen of another density (WM_DPICHANGED). Icons loaded
    // with LoadIcons are loaded again at the new size, and the copy of the parent's
    // pixels is taken again at the next paint.
    int SetDpi(int dpi);
    int GetDpi() const { return m_dpi; }
    // `pixels` at 96 DPI at the button's DPI.
    int Scaled(int pixels) const { return skin::ScaleToDpi(pixels, m_dpi); }
    // The size of the hot icon or bitmap held, 0 x 0 without one.
    SIZE GetImageSize() const;
    // True once the keyboard cues are on (the focus rectangle shows).
    BOOL AreKeyboardCuesShown() const { return !m_hideFocus; }
    // Opened with the shell on each click (at most MAX_PATH - 1 characters kept).
    int SetLink(const char* link);
    // Menu resource `id` (0: none) whose first submenu drops down on click; the chosen
    // command is posted to `owner` as WM_COMMAND.
    int LoadDropMenu(UINT id, HWND owner, BOOL repaint = TRUE);
    // `message` is sent to `window` with the submenu as wParam just before it opens.
    int SetDropMenuNotify(HWND window, UINT message, LPARAM lParam);
    // A file name (module null; copied) or a resource of `module` (the name or id is
    // kept as given, so a name must outlive the button) played on hover entry, or on
    // click when `onClick`; a null sound removes it.
    int SetButtonSound(const char* sound, HMODULE module, BOOL onClick, BOOL asynchronous);

    BOOL BindDlgItem(HWND hwnd) override { return SubclassWindow(hwnd); }
    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    // The painting steps, in the order DrawItem calls them. PaintFace may shrink
    // `rect`; the shrunken rectangle is what PaintEdge and the focus rectangle use.
    virtual void PaintFace(CDC* dc, CRect& rect);
    virtual void PaintEdge(CDC* dc, const CRect& rect);
    virtual void PaintIcon(CDC* dc, BOOL hasCaption, const CRect& item, CRect& caption, BOOL pressed, BOOL disabled);
    virtual void PaintBitmap(CDC* dc, BOOL hasCaption, const CRect& item, CRect& caption, BOOL pressed, BOOL disabled);
    virtual void PaintCaption(CDC* dc, const CString& caption, const CRect& item, CRect& captionRect, BOOL pressed,
                              BOOL disabled);

    void PreSubclassWindow() override;

    BOOL OnSetCursor(HWND hwnd, UINT hitTest, UINT message);
    void OnKillFocus(HWND newFocus);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseLeave();
    void OnSysColorChange();
    BOOL OnClicked();
    void OnActivate(UINT state, HWND other, BOOL minimized);
    void OnEnable(BOOL enabled);
    void OnCancelMode();
    UINT OnGetDlgCode();
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    LRESULT OnSetStyle(WPARAM style, LPARAM redraw);
    LRESULT OnSetCheck(WPARAM state, LPARAM);
    LRESULT OnGetCheck(WPARAM, LPARAM);
    LRESULT OnUpdateUIState(WPARAM wParam, LPARAM);

    DECLARE_MESSAGE_MAP()

protected:
    struct IconEntry {
        CIcon icon;
        int width = 0, height = 0;
    };
    struct BitmapEntry {
        CBitmap bitmap;
        int width = 0, height = 0;
        CBitmap mask;
        COLORREF key = 0;
    };
    struct MenuNotify {
        HWND window = nullptr;
        UINT message = 0;
        LPARAM lParam = 0;
    };

    BOOL m_grayDisabledBitmap = TRUE;
    int m_imageMarginX = 3, m_imageMarginY = 3;
    int m_pressShiftX = 1, m_pressShiftY = 1;
    BOOL m_flat = TRUE;
    BOOL m_hover = FALSE;
    BOOL m_parentBackground = FALSE;
    BOOL m_pressed = FALSE, m_focused = FALSE, m_disabled = FALSE;
    BOOL m_isDefault = FALSE;
    BOOL m_isCheckBox = FALSE;
    BYTE m_placement = PLACE_IMAGE_LEFT;
    BOOL m_flatBorder = TRUE;
    BOOL m_flatFocus = FALSE;
    COLORREF m_colors[SKIN_COLOR_COUNT];
    HWND m_menuOwner = nullptr;
    BOOL m_menuShown = FALSE;
    CMenu m_menu;
    CCursor m_hoverCursor;
    CToolTipCtrl m_tip;
    // The cached copy of the parent's pixels: the selection ends before the bitmap is
    // deleted, and that before the context.
    CCompatibleDC m_backgroundDC;
    CBitmap m_backgroundBitmap;
    CSelectGuard m_backgroundSelect;
    BOOL m_trackAlways = TRUE;
    BOOL m_checked = FALSE;
    DWORD m_tipStyle = 0;
    char m_link[MAX_PATH] = "";
    IconEntry m_icons[2];       // 0 hot, 1 normal
    BitmapEntry m_bitmaps[2];   // 0 hot, 1 normal
    MenuNotify m_menuNotify;
    ButtonSound m_sounds[2];    // 0 on hover entry, 1 on click
    // Hidden until WM_UPDATEUISTATE clears UISF_HIDEFOCUS: a user of the mouse sees
    // the button as it always looked.
    BOOL m_hideFocus = TRUE;
    int m_dpi = skin::kDesignDpi;
    // The resources and 96-DPI sizes LoadIcons last loaded, and the hot icon it made,
    // so that a change of DPI can load them again while the button still holds it.
    struct IconSource {
        int hotId = 0, hotWidth = 0, hotHeight = 0;
        int normalId = 0, normalWidth = 0, normalHeight = 0;
        HICON loaded = nullptr;
    };
    IconSource m_iconSource;
    CString m_disabledTip;

private:
    void Repaint(BOOL repaint) { if (repaint && m_hWnd) Invalidate(TRUE); }
    void EndHover();
    void DropBackground();
    void PaintParentBackground(CDC* dc, const CRect& rect);
    BOOL CaptureBackgroundFrom(HDC source, const CRect& client, CPoint origin);
    void EnsureTip();
    ImageLayout PlaceImageFor(SIZE image, BOOL hasCaption, const CRect& item, const CRect& caption, BOOL pressed) const;
    int FailImages(int status);
    // Registers the disabled tip on the parent's area under the button while the
    // button is disabled and has one; removes it otherwise.
    void SyncDisabledTip();
    // The focus rectangle shows: keyboard cues on or high contrast, or the
    // non-flat and flat-focus looks that always showed it.
    bool ShowsFocus(bool highContrast) const;
};
