// The Swivo page's pairing window as a real window from the English language library: pairing is
// allowed while its status box shows, and allowed no more once it ends, however it ends.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "common/adapter_table.h"
#include "framework/framework.h"
#include "peers/swivo_page.h"
#include "shell/dialog_ids.h"
#include "tests/shell/lang_library.h"
#include "tests/shell/modal_script.h"
#include "tests/shell/page_host.h"
#include "tests/shell/scratch_folder.h"

namespace {

const uint8_t kMac[6] = {2, 0, 0, 0, 0, 9};
const uint8_t kOwnIp[4] = {192, 168, 7, 1};

// The pairing window's status box: a window of this thread with the custom button.
HWND PairingBoxButton() {
  HWND found = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM result) {
        HWND button = ::GetDlgItem(window, IDC_SHOW_MSG_CUSTOM);
        if (!button || !::IsWindowVisible(button)) return TRUE;
        *reinterpret_cast<HWND*>(result) = button;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

TEST(SwivoPage, PairingWindowAllowsPairingOnlyWhileItShows) {
  ASSERT_TRUE(UseLangLibrary(kLangLibraries[0]));
  ScratchFolder folder;
  ASSERT_TRUE(folder.Enter());
  g_AdapterTable.Clear();
  ASSERT_TRUE(g_AdapterTable.Add(2, L"eth0", kMac));
  g_AdapterTable.SetLinkFlag(L"eth0", 1);  // no cable dialog
  PageHost host;
  ASSERT_TRUE(host.Open());

  enum class End { kCancel, kPasswordSent, kTimeOut };
  const struct {
    const char* what;
    End end;
  } cases[] = {{"cancelled", End::kCancel}, {"a password sent", End::kPasswordSent}, {"the window ran out", End::kTimeOut}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::atomic<bool> allowed{false};
    HANDLE passwordSent = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CMyServer page;
    page.folder_ = folder.Path();
    page.adapterName_ = L"eth0";
    page.passwordSent_ = passwordSent;
    page.pairingAllowed_ = &allowed;
    page.pairingWindowMs_ = 2000;
    page.SetLocalIp(kOwnIp);
    ASSERT_TRUE(page.Create(IDD_MY_SERVER, &host.Tab()));
    host.Show(page);

    bool allowedWhileShown = false, boxShown = false;
    RunLater(600, [&] {
      allowedWhileShown = allowed;
      HWND cancel = PairingBoxButton();
      boxShown = cancel != nullptr;
      if (c.end == End::kCancel && cancel) ::SendMessageW(cancel, BM_CLICK, 0, 0);
      if (c.end == End::kPasswordSent) ::SetEvent(passwordSent);
    });
    const DWORD start = ::GetTickCount();
    page.OnBnClickedKmSrv();
    const DWORD took = ::GetTickCount() - start;
    CancelPendingSteps();

    EXPECT_TRUE(boxShown);
    EXPECT_TRUE(allowedWhileShown);
    EXPECT_FALSE(allowed) << "pairing stays allowed after the window";
    EXPECT_EQ(PairingBoxButton(), nullptr) << "the status box stays";
    if (c.end == End::kTimeOut) {
      EXPECT_GE(took, 1900u);
    } else {
      EXPECT_LT(took, 1500u) << "the window did not end early";
    }
    EXPECT_TRUE(::IsWindowEnabled(page.GetSafeHwnd()));
    page.DestroyWindow();
    ::CloseHandle(passwordSent);
  }
  g_AdapterTable.Clear();
}
