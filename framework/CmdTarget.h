// framework/CmdTarget.h
// Message maps, command routing and command-UI update.
#pragma once
#include "Object.h"

class CCmdTarget;
class CCmdUI;
class CWnd;

struct CPoint : POINT
{
    CPoint(int xx = 0, int yy = 0) { x = xx; y = yy; }
    explicit CPoint(LPARAM lParam) { x = static_cast<short>(LOWORD(lParam)); y = static_cast<short>(HIWORD(lParam)); }
};

enum { CN_COMMAND = 0, CN_UPDATE_COMMAND_UI = -1 };

// Reflected messages reach the child control as WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE 0xBC00
#define WM_CTLCOLOR 0x0019
#define WM_IDLEUPDATECMDUI 0x0363

// How a map entry's handler is called.
enum AfxSig
{
    AfxSig_end = 0,
    AfxSig_vv,          // void ()                      commands
    AfxSig_cmdui,       // void (CCmdUI*)               command-UI update
    AfxSig_is,          // int (LPCREATESTRUCT)         WM_CREATE
    AfxSig_lwl,         // LRESULT (WPARAM, LPARAM)     any message
    AfxSig_l_p,         // LRESULT (CPoint)             WM_NCHITTEST
    AfxSig_v_u_p,       // void (UINT, CPoint)          mouse buttons
    AfxSig_b_W_uu,      // BOOL (CWnd*, UINT, UINT)     WM_SETCURSOR
    AfxSig_hbr_h_u,     // HBRUSH (HDC, UINT)           reflected WM_CTLCOLOR
};

union AfxMsgHandler
{
    void (CCmdTarget::*pfn_vv)();
    void (CCmdTarget::*pfn_cmdui)(CCmdUI*);
    int (CCmdTarget::*pfn_is)(LPCREATESTRUCT);
    LRESULT (CCmdTarget::*pfn_lwl)(WPARAM, LPARAM);
    LRESULT (CCmdTarget::*pfn_l_p)(CPoint);
    void (CCmdTarget::*pfn_v_u_p)(UINT, CPoint);
    BOOL (CCmdTarget::*pfn_b_W_uu)(CWnd*, UINT, UINT);
    HBRUSH (CCmdTarget::*pfn_hbr_h_u)(HDC, UINT);
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    int nCode;          // CN_COMMAND or CN_UPDATE_COMMAND_UI for WM_COMMAND entries
    UINT nID;
    AfxSig nSig;
    AfxMsgHandler pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // CN_COMMAND calls the handler; with bProbe it only tells whether one exists.
    // CN_UPDATE_COMMAND_UI calls the update handler with pCmdUI.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI, bool bProbe = false);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }

protected:
    const AFX_MSGMAP_ENTRY* FindEntry(UINT nMessage, int nCode, UINT nID) const;
};

// The state of one menu item or toolbar button while its command is asked about.
class CCmdUI
{
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    HMENU m_hMenu = nullptr;        // set for a menu item
    HWND m_hToolBar = nullptr;      // set for a toolbar button

    void Enable(BOOL bOn = TRUE);
    void SetCheck(int nCheck = 1);
    // Whether the last update disabled the item.
    bool Disabled() const { return m_bEnableChanged && !m_bEnabled; }
    // Asks pTarget; an item whose command nobody handles is disabled when bDisableIfNoHandler.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

private:
    bool m_bEnableChanged = false;
    bool m_bEnabled = true;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, AfxSig_end, { nullptr } } \
        }; \
        static const AFX_MSGMAP map = { &TheBaseClass::GetThisMessageMap, entries }; \
        return &map; \
    }

#define AFX_PFN(kind, type, fn) { .kind = static_cast<type>(&ThisClass::fn) }

#define ON_COMMAND(id, fn) \
    { WM_COMMAND, CN_COMMAND, id, AfxSig_vv, AFX_PFN(pfn_vv, void (CCmdTarget::*)(), fn) },
#define ON_UPDATE_COMMAND_UI(id, fn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, id, AfxSig_cmdui, AFX_PFN(pfn_cmdui, void (CCmdTarget::*)(CCmdUI*), fn) },
#define ON_MESSAGE(msg, fn) \
    { msg, 0, 0, AfxSig_lwl, AFX_PFN(pfn_lwl, LRESULT (CCmdTarget::*)(WPARAM, LPARAM), fn) },
#define ON_WM_CREATE() \
    { WM_CREATE, 0, 0, AfxSig_is, AFX_PFN(pfn_is, int (CCmdTarget::*)(LPCREATESTRUCT), OnCreate) },
#define ON_WM_NCHITTEST() \
    { WM_NCHITTEST, 0, 0, AfxSig_l_p, AFX_PFN(pfn_l_p, LRESULT (CCmdTarget::*)(CPoint), OnNcHitTest) },
#define ON_WM_LBUTTONDOWN() \
    { WM_LBUTTONDOWN, 0, 0, AfxSig_v_u_p, AFX_PFN(pfn_v_u_p, void (CCmdTarget::*)(UINT, CPoint), OnLButtonDown) },
#define ON_WM_SETCURSOR() \
    { WM_SETCURSOR, 0, 0, AfxSig_b_W_uu, AFX_PFN(pfn_b_W_uu, BOOL (CCmdTarget::*)(CWnd*, UINT, UINT), OnSetCursor) },
#define ON_WM_CTLCOLOR_REFLECT() \
    { WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, AfxSig_hbr_h_u, AFX_PFN(pfn_hbr_h_u, HBRUSH (CCmdTarget::*)(HDC, UINT), CtlColor) },
