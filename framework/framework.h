// Corvane's dialog framework: the window, dialog, device-context and control classes the pages
// are written against, on plain Win32.
//
// How a control class is written
// -------------------------------
//   class CMyButton : public CButton {            // or CWnd, CStatic, CListCtrl
//    public:
//     CMyButton() {                               // message map: entries made in the constructor
//       MapMessage(WM_MOUSEHOVER, [this](WPARAM, LPARAM) { Hover(); return LRESULT(0); });
//     }
//    protected:
//     void PreSubclassWindow() override {         // bound to a dialog's control (SubclassDlgItem,
//       ModifyStyle(0, BS_OWNERDRAW, SWP_FRAMECHANGED);   // DDX_Control) before its messages come
//     }
//     void OnPaint() override { CPaintDC dc(this); ... }  // cracked handlers: override the virtual
//     void OnMouseMove(UINT flags, CPoint p) override { ...; CWnd::OnMouseMove(flags, p); }
//     BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
//     bool DrawItem(DRAWITEMSTRUCT* item) override { ...; return true; }   // reflected WM_DRAWITEM
//     HBRUSH OnReflectedCtlColor(CDC* dc, UINT ctlType) override;          // reflected WM_CTLCOLOR*
//     bool OnReflectedNotify(NMHDR* header, LRESULT* result) override;     // reflected WM_NOTIFY
//     BOOL PreTranslateMessage(MSG* msg) override;  // before dispatch, in every loop
//   };
//
// - Every message of a bound window goes to WindowProc, which tries in turn: reflection (when the
//   message is a notification from a child that has an object, that child's OnChildNotify), the
//   map entries (MapMessage, MapCommand/MapClicked, MapNotify; the latest entry for a message
//   wins, so a derived class's entry replaces its base's), and the virtual handler (OnPaint,
//   OnTimer, OnCaptureChanged, OnNotify, OnCommand, ...). A handler calls the base handler, or
//   Default(), for the window's own processing; an override of WindowProc may do anything first.
// - Reflection: WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR* and scroll
//   messages that a parent receives go first to OnChildNotify of the control's object; its default
//   calls DrawItem, OnReflectedNotify (e.g. NM_CUSTOMDRAW), OnReflectedCtlColor (null brush: the
//   parent handles it) and OnReflectedCommand. Answered there, the parent never sees them.
// - Windows of a custom class: register the class with DefWindowProc as its procedure (or use
//   AfxRegisterWndClass / DefaultChildWindowClass) and create with CreateEx or Create: the object
//   is bound before WM_NCCREATE. Controls of a dialog template: SubclassDlgItem or DDX_Control.
// - CWnd::FromHandle gives an object for any window (a plain wrapper when it has none);
//   FromHandlePermanent gives only bound objects. The map is shared by all threads.
// - Dialogs: CDialog(templateId) with DoModal or Create (modeless); templates come from
//   AfxGetResourceHandle(). OnInitDialog, OnOK, OnCancel, EndDialog, DoDataExchange as usual;
//   IDOK and IDCANCEL reach OnOK and OnCancel unless a map entry takes them.
// - Loops: DoModal's loop, CWinAppEx::Run, WaitWithMessages and PumpMessagesFor all call
//   PreTranslateMessage from the target window up through its parents; a WM_QUIT met inside a
//   nested loop is posted again so that every loop outside ends too.
#pragma once
#include "framework/app.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/gdi_objects.h"
#include "framework/geometry.h"
#include "framework/list_ctrl.h"
#include "framework/message_pump.h"
#include "framework/runtime_class.h"
#include "framework/simple_controls.h"
#include "framework/wnd.h"
