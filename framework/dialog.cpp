#include "framework/dialog.h"

#include "framework/app.h"
#include "framework/message_pump.h"
#include "framework/window_creation_hook.h"

namespace {
// The dialog procedure of every framework dialog: the messages come to the object through its
// window procedure, so the dialog manager's own handling is all that is left to do.
INT_PTR CALLBACK FrameworkDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

bool IsInputMessage(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}
}  // namespace

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (!control.GetSafeHwnd()) control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value) {
  if (dx->m_bSaveAndValidate) {
    value = dx->m_pDlgWnd->GetDlgItemText(id);
  } else {
    dx->m_pDlgWnd->SetDlgItemText(id, value);
  }
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId) {}

CDialog::~CDialog() {
  if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

bool CDialog::CreateFromTemplate(HWND parent) {
  HINSTANCE module = AfxGetResourceHandle();
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(m_templateId), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
  if (!found) return false;
  HGLOBAL loaded = ::LoadResource(module, found);
  auto* dialogTemplate = loaded ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
  if (!dialogTemplate) return false;
  HWND window;
  {
    WindowCreationHook bind(this);
    window = ::CreateDialogIndirectParamW(module, dialogTemplate, parent, FrameworkDialogProc, 0);
  }
  if (!window) {
    m_hWnd = nullptr;
    return false;
  }
  return true;
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
  if (m_hWnd) return false;
  m_templateId = templateId;
  m_pParentWnd = parent;
  m_modal = false;
  return CreateFromTemplate(parent ? parent->GetSafeHwnd() : nullptr);
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd) return -1;
  HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : ::GetActiveWindow();
  if (owner == ::GetDesktopWindow()) owner = nullptr;
  if (owner) owner = ::GetAncestor(owner, GA_ROOT);
  m_modal = true;
  m_endModal = false;
  m_result = -1;
  if (!CreateFromTemplate(owner)) {
    m_modal = false;
    return -1;
  }
  // The owner takes no input while the dialog is up, as with the system's own modal dialogs.
  bool ownerDisabled = owner && ::IsWindowEnabled(owner) && !m_endModal;
  if (ownerDisabled) ::EnableWindow(owner, FALSE);
  if (m_hWnd && !m_endModal && !(GetStyle() & WS_VISIBLE)) ShowWindow(SW_SHOWNORMAL);
  RunModalLoop();
  if (ownerDisabled) ::EnableWindow(owner, TRUE);
  if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
  if (m_hWnd) DestroyWindow();
  m_modal = false;
  return m_result;
}

void CDialog::RunModalLoop() {
  while (!m_endModal && m_hWnd) {
    MSG msg;
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // A quit ends this dialog; the loops outside it must see it as well.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      m_result = -1;
      break;
    }
    TranslateAndDispatch(&msg);
  }
}

void CDialog::EndDialog(int result) {
  m_result = result;
  if (m_modal) {
    m_endModal = true;
    if (m_hWnd) ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the loop
  } else if (m_hWnd) {
    ::EndDialog(m_hWnd, result);
  }
}

UINT CDialog::GetDefID() const {
  LRESULT answer = SendMessage(DM_GETDEFID);
  return HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : 0;
}

bool CDialog::UpdateData(bool saveAndValidate) {
  CDataExchange exchange = {this, saveAndValidate};
  DoDataExchange(&exchange);
  return true;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(false);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(true)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (!m_hWnd || !IsInputMessage(msg->message)) return FALSE;
  if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
  return ::IsDialogMessageW(m_hWnd, msg);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInitDialog();
  return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
  UINT code = HIWORD(wParam);
  if (code != BN_CLICKED && code != 1) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK: OnOK(); return TRUE;
    case IDCANCEL: OnCancel(); return TRUE;
    default: return FALSE;
  }
}
