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
// with LoadIcons) are sizes at 96 DPI, scaled to the DPI it is shown at, which it
// reads from its window at each paint (skin::ShownDpi).
//
// The class is the window: its messages, the state they change and the repaints
// they ask for. What it shows is drawn by PaintButton (ButtonPainter.h) from the
// look and a state built once per paint; its images, the copy of its parent's
// pixels, its tooltip, drop-down menu, link and sounds are objects of their own.

#include "ButtonDropMenu.h"
#include "ButtonImageSet.h"
#include "ButtonLink.h"
#include "ButtonPainter.h"
#include "ButtonSound.h"
#include "ButtonTip.h"
#include "CIcon.h"
#include "Controls.h"
#include "ParentBackground.h"
#include "SkinButtonStatus.h"

class CSkinButton : public CButton {
public:
    CSkinButton();

    // --- images (a button holds either icons or bitmaps; each setter first releases both)
    // Takes ownership of `hot` and `normal` (or SKIN_IMAGE_GRAYED/DARKENED, or null or
    // `hot` again for the hot icon in every state). Sizes come from the hotspots. 1 when
    // an icon's information cannot be read or a copy fails; the button then holds no image.
    int AssignIcons(HICON hot, HICON normal = nullptr);
    // Loads icon resources at the given sizes at 96 DPI, scaled to the button's DPI
    // (0 x 0: the resource's own, unscaled); `normalId` may be 0, SKIN_IMAGE_GRAYED
    // or SKIN_IMAGE_DARKENED. A hot icon that fails to load leaves the button without
    // images and answers 0. The first paint at another DPI loads them again at the
    // new size, for as long as the button holds them.
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
    CString GetDisabledTipText() const { return m_tip.DisabledText(); }
    // A mouse message of the parent window, for the disabled tip.
    void RelayParentEvent(MSG* msg);

    // --- screen
    // The size of the hot icon or bitmap held, 0 x 0 without one; after a change of
    // DPI, the size at the new DPI once the button has painted.
    SIZE GetImageSize() const { return m_images.HotSize(); }
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
    LRESULT OnWindowPosChanged(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void Repaint(BOOL repaint) { if (repaint && m_hWnd) Invalidate(TRUE); }
    int Repainted(int status);
    void EndHover();
    // What the DPI read at a paint asks of the images and the tooltip.
    void FollowDpi(int dpi);
    ButtonState StateOf(UINT itemState) const;

    // The settings; highContrast and dpi are filled in at each paint.
    ButtonLook m_look;
    // The state between paints.
    bool m_hover = false;
    bool m_isDefault = false;
    bool m_checked = false;
    bool m_menuShown = false;
    // Hidden until WM_UPDATEUISTATE clears UISF_HIDEFOCUS: a user of the mouse sees
    // the button as it always looked.
    bool m_hideFocus = true;
    bool m_trackAlways = true;

    CButtonImageSet m_images;
    CParentBackground m_background;
    CButtonTip m_tip;
    CButtonDropMenu m_menu;
    CCursor m_hoverCursor;
    CButtonLink m_link;
    CButtonSounds m_sounds;
};
