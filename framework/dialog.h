// CDialog: a dialog window built from a template of the current resource handle
// (AfxGetResourceHandle), either modal (DoModal runs its own loop, which walks
// PreTranslateMessage, and returns the EndDialog value) or modeless (Create).
#pragma once
#include <string>
#include "framework/wnd.h"

class CDialog;

// What DoDataExchange gets: the dialog and the direction (false: values to the controls).
struct CDataExchange {
  CDialog* m_pDlgWnd;
  bool m_bSaveAndValidate;
};

// Binds control id of the dialog to its object the first time (subclassing it).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Moves a control's text to or from value.
void DDX_Text(CDataExchange* dx, int id, std::wstring& value);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Shows the dialog modally over its parent (or the active window) and returns the value given
  // to EndDialog; -1 when the template is missing or the dialog could not be created, and -1 when
  // a quit request (WM_QUIT) ends the loop, which posts the quit again for the outer loops.
  virtual INT_PTR DoModal();
  // A modeless dialog; parent may be the desktop window's wrapper.
  bool Create(UINT templateId, CWnd* parent = nullptr);
  // Ends a modal dialog's loop with result (the window goes after the loop); hides a modeless one.
  void EndDialog(int result);
  bool IsModal() const { return m_modal; }
  // True once EndDialog was called on a modal dialog whose loop has not ended yet.
  bool IsEnding() const { return m_modal && m_endModal; }
  UINT GetTemplateId() const { return m_templateId; }

  virtual BOOL OnInitDialog();  // default: UpdateData(false), focus to the first control (TRUE)
  virtual void OnOK();          // UpdateData(true), then EndDialog(IDOK)
  virtual void OnCancel();      // EndDialog(IDCANCEL)
  virtual void DoDataExchange(CDataExchange*) {}
  bool UpdateData(bool saveAndValidate = true);
  // Offers keyboard and mouse messages of the dialog and its controls to IsDialogMessage
  // (Tab, Enter for the default button, Escape for Cancel).
  BOOL PreTranslateMessage(MSG* msg) override;

  // The default button's id and making id the default (DM_GETDEFID, DM_SETDEFID).
  UINT GetDefID() const;
  void SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }
  void NextDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
  void GotoDlgCtrl(HWND control) { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  CWnd* m_pParentWnd;

 private:
  bool CreateFromTemplate(HWND parent);
  void RunModalLoop();

  UINT m_templateId;
  bool m_modal = false;
  bool m_endModal = false;
  INT_PTR m_result = -1;
};
