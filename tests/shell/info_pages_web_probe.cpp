// The Version and Help pages against the maker's web host in a test computer: the host name is
// given to a web server of the test in that computer's hosts file, and a recording program stands
// in for the browser (tests/system/info_pages_web_test.sh sets both up). Real WinINet, real
// windows, real clicks on the page's buttons.
//
// Environment: CORVANE_WWW (the served folder, "LatestVer\<name>" below it), CORVANE_WWW_LOG (the
// server's request log), CORVANE_OPENED (the recorder's file). Tests whose name holds "NoServer"
// run while no server listens.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include "common/os_version.h"
#include "framework/framework.h"
#include "shell/dialog_ids.h"
#include "shell/download_latest.h"
#include "shell/help_page.h"
#include "shell/lang_text.h"
#include "shell/update_page.h"
#include "tests/shell/lang_library.h"
#include "tests/shell/modal_script.h"
#include "tests/shell/page_host.h"
#include "tests/shell/scratch_folder.h"
#include "tests/shell/thread_window.h"
#include "tests/shell/window_shot.h"

namespace {

constexpr DWORD kWatchdog = 20000;
constexpr DWORD kNothingOpenedWait = 2000;  // how long "nothing was opened" is watched for

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
  return length && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

std::wstring Widen(const std::string& utf8) {
  int count = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(count), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &text[0], count);
  return text;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(bytes.substr(start, end - start));
  }
  return lines;
}

// The web server's folder and request log.
class WebServer {
 public:
  WebServer() : root_(Environment(L"CORVANE_WWW")), log_(Environment(L"CORVANE_WWW_LOG")) {}
  bool Configured() const { return !root_.empty() && !log_.empty(); }
  void Serve(const wchar_t* name, const std::string& content) const {
    WriteFileBytes(Path(name), content);
    ::DeleteFileW((Path(name) + L".cut").c_str());
  }
  // Announces more bytes than it sends, then closes: a transfer broken off.
  void ServeCut(const wchar_t* name, const std::string& content) const {
    Serve(name, content);
    WriteFileBytes(Path(name) + L".cut", "");
  }
  void Withdraw(const wchar_t* name) const {
    ::DeleteFileW(Path(name).c_str());
    ::DeleteFileW((Path(name) + L".cut").c_str());
  }
  // One line per request: "<path>\t<header>: <value>\t...".
  std::vector<std::string> Requests() const { return Lines(ReadFileBytes(log_)); }

 private:
  std::wstring Path(const wchar_t* name) const { return root_ + L"\\LatestVer\\" + name; }
  std::wstring root_;
  std::wstring log_;
};

// What the stand-in browser was given, one entry per start.
class OpenedAddresses {
 public:
  OpenedAddresses() : file_(Environment(L"CORVANE_OPENED")) {}
  bool Configured() const { return !file_.empty(); }
  void Clear() const { ::DeleteFileW(file_.c_str()); }
  std::vector<std::wstring> All() const {
    std::vector<std::wstring> all;
    for (const std::string& line : Lines(ReadFileBytes(file_))) all.push_back(Widen(line));
    return all;
  }
  // Waits (dispatching) until count entries are there, or for the whole wait.
  std::vector<std::wstring> WaitFor(size_t count, DWORD waitMs) const {
    for (DWORD start = ::GetTickCount(); All().size() < count && ::GetTickCount() - start < waitMs;) {
      PumpMessagesFor(50);
    }
    return All();
  }

 private:
  std::wstring file_;
};

// The argument the browser gets for an address: on Windows XP the page quotes it itself for
// Internet Explorer; elsewhere the http handler's command (registered as `recorder %1`) takes it
// as it is.
std::wstring BrowserArgumentFor(const std::wstring& address) {
  return GetOsTypeCode() == kOsTypeWindowsXp ? L"\"" + address + L"\"" : address;
}

// Line 1 of every status box with the caption that shows while the thread dispatches, in order,
// repeats dropped. It looks every 50 ms through a scripted step, which its end cancels.
class StatusBoxWatch {
 public:
  explicit StatusBoxWatch(const wchar_t* caption) : caption_(caption) { Look(); }
  ~StatusBoxWatch() { CancelPendingSteps(); }
  const std::vector<std::wstring>& Lines() const { return lines_; }

 private:
  void Look() {
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM p) -> BOOL {
      auto* self = reinterpret_cast<StatusBoxWatch*>(p);
      wchar_t text[128] = {};
      ::GetWindowTextW(w, text, 128);
      if (::IsWindowVisible(w) && self->caption_ == text) {
        wchar_t line[256] = {};
        ::GetDlgItemTextW(w, IDC_SHOW_MSG_LINE1, line, 256);
        if (line[0] && (self->lines_.empty() || self->lines_.back() != line)) self->lines_.push_back(line);
      }
      return TRUE;
    }, reinterpret_cast<LPARAM>(this));
    RunLater(50, [this] { Look(); });
  }
  std::wstring caption_;
  std::vector<std::wstring> lines_;
};

// Clicks a page's button as the mouse would, and returns when its handler has run.
void Click(CDialog& page, int id) { ::SendMessageW(page.GetDlgItemHandle(id), BM_CLICK, 0, 0); }

bool ItemVisible(CDialog& page, int id) { return ::IsWindowVisible(page.GetDlgItemHandle(id)) != FALSE; }

class WebPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Configured() && opened_.Configured()) << "run by tests/system/info_pages_web_test.sh";
    library_ = UseLangLibrary(kLangLibraries[0]);
    ASSERT_NE(nullptr, library_);
    ASSERT_TRUE(folder_.Enter());
    ASSERT_TRUE(host_.Open());
    opened_.Clear();
  }
  void TearDown() override {
    CancelPendingSteps();
    UseBuiltInTemplates();
    if (library_) ::FreeLibrary(library_);
  }
  // A check for update on a fresh Version page; the status lines it showed.
  std::vector<std::wstring> Check(CUpdate& page) {
    EXPECT_TRUE(page.Create(IDD_UPDATE, &host_.Tab()));
    host_.Show(page);
    StatusBoxWatch watch(LoadLangText(7, "TITLE_VER"));
    Click(page, IDC_UPDATE_CHECK);
    return watch.Lines();
  }
  HMODULE library_ = nullptr;
  WebServer server_;
  OpenedAddresses opened_;
  ScratchFolder folder_;
  PageHost host_;
};

const std::string kReleaseNotes = "Faster scan\r\n\r\nSwivo: shared clipboard\r\n";

TEST_F(WebPagesTest, CheckShowsWhatTheServerSays) {
  const std::wstring checking = LoadLangText(7, "TXT_CHK_FOR_UPDATE");
  const std::wstring latest = LoadLangText(7, "TXT_VER_LATEST");
  const std::wstring newer = LoadLangText(7, "TXT_NEW_VER");
  struct Case {
    const char* what;
    const char* upgrade;  // nullptr: not on the server (404)
    const char* notes;    // nullptr: not on the server
    std::vector<std::wstring> statusLines;
    const wchar_t* newVersion;  // nullptr: the new-version controls stay hidden
    const wchar_t* opened;      // what Go to download opens; nullptr: nothing
  };
  const Case cases[] = {
      {"the version in use", "Corvane\r\nVersion:3.0\r\nDownload:www.corvane-lan.com/dl/c30.exe\r\n",
       kReleaseNotes.c_str(), {checking, latest}, nullptr, nullptr},
      {"a newer version", "Corvane\r\nVersion:3.1\r\nDownload:www.corvane-lan.com/dl/c31.exe\r\n",
       kReleaseNotes.c_str(), {checking, newer}, L"3.1", L"http://www.corvane-lan.com/dl/c31.exe"},
      {"the version in use with a trailing space", "Corvane\r\nVersion:3.0 \r\nDownload:www.corvane-lan.com/dl\r\n",
       kReleaseNotes.c_str(), {checking, newer}, L"3.0 ", L"http://www.corvane-lan.com/dl"},
      {"a location with a port", "Corvane\r\nVersion:3.1\r\nDownload:www.corvane-lan.com:8080/dl/c31.exe\r\n",
       kReleaseNotes.c_str(), {checking, newer}, L"3.1", L"http://www.corvane-lan.com"},
      {"no line 3: no location", "Corvane\r\nVersion:3.1", kReleaseNotes.c_str(), {checking, newer}, L"3.1", nullptr},
      {"a hostile location", "Corvane\r\nVersion:3.1\r\nDownload:www.corvane-lan.com/c31.exe\" --kiosk \"x\r\n",
       kReleaseNotes.c_str(), {checking, newer}, L"3.1", nullptr},
      {"upgrade.txt missing (404)", nullptr, kReleaseNotes.c_str(), {checking}, nullptr, nullptr},
      {"relnote.txt missing (404)", "Corvane\r\nVersion:3.1\r\nDownload:www.corvane-lan.com/dl\r\n", nullptr,
       {checking}, nullptr, nullptr},
      {"line 2 without a colon", "Corvane\r\nVersion 3.1\r\nDownload:www.corvane-lan.com/dl\r\n",
       kReleaseNotes.c_str(), {checking}, nullptr, nullptr},
  };
  bool shotSaved = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& file : {std::make_pair(L"upgrade.txt", c.upgrade), std::make_pair(L"relnote.txt", c.notes)}) {
      if (file.second) {
        server_.Serve(file.first, file.second);
      } else {
        server_.Withdraw(file.first);
      }
    }
    opened_.Clear();
    CUpdate page;
    EXPECT_EQ(c.statusLines, Check(page));
    EXPECT_TRUE(::IsWindowEnabled(page.GetDlgItemHandle(IDC_UPDATE_CHECK))) << "the button stays disabled";
    EXPECT_EQ(c.upgrade != nullptr, folder_.Exists(L"upgrade.txt"));
    EXPECT_EQ(c.notes != nullptr, folder_.Exists(L"relnote.txt"));
    for (int id : {IDC_UPDATE_NEW_VERSION, IDC_UPDATE_NEW_LABEL, IDC_UPDATE_WHATS_NEW, IDC_UPDATE_NEW_GROUP,
                   IDC_UPDATE_GOTO_DOWNLOAD}) {
      EXPECT_EQ(c.newVersion != nullptr, ItemVisible(page, id)) << "control " << id;
    }
    if (!c.newVersion) continue;
    EXPECT_EQ(c.newVersion, page.GetDlgItemText(IDC_UPDATE_NEW_VERSION));
    if (c.opened && std::wstring(c.newVersion) == L"3.1" && !shotSaved) {
      shotSaved = SaveWindowPng(host_.Window(), L"update_page_new_version_eng");
      EXPECT_TRUE(shotSaved);
    }
    Click(page, IDC_UPDATE_GOTO_DOWNLOAD);
    const std::vector<std::wstring> opened = opened_.WaitFor(1, c.opened ? 10000 : kNothingOpenedWait);
    if (c.opened) {
      EXPECT_EQ(std::vector<std::wstring>{BrowserArgumentFor(c.opened)}, opened);
    } else {
      EXPECT_TRUE(opened.empty()) << "opened " << ::testing::PrintToString(opened);
    }
  }
}

TEST_F(WebPagesTest, WhatsNewListsTheDownloadedChangeLog) {
  server_.Serve(L"upgrade.txt", "Corvane\r\nVersion:3.1\r\nDownload:www.corvane-lan.com/dl\r\n");
  server_.Serve(L"relnote.txt", "Faster scan\r\n\r\n\r\nSwivo: shared clipboard\r\nNew Help page");
  CUpdate page;
  Check(page);
  ASSERT_TRUE(ItemVisible(page, IDC_UPDATE_WHATS_NEW));
  std::vector<std::wstring> lines;
  std::wstring version;
  RunLater(300, [&] {
    HWND dialog = FindThreadWindow(LoadLangText(7, "TXT_CHG_LOG"));
    wchar_t label[128] = {};
    ::GetDlgItemTextW(dialog, IDC_WHATS_NEW_VERSION, label, 128);
    version = label;
    HWND list = ::GetDlgItem(dialog, IDC_WHATS_NEW_LIST);
    for (int i = 0, n = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)); i < n; ++i) {
      wchar_t text[256] = {};
      ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      lines.push_back(text);
    }
    ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  });
  RunLater(kWatchdog, [&] {
    if (HWND dialog = FindThreadWindow(LoadLangText(7, "TXT_CHG_LOG"))) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  Click(page, IDC_UPDATE_WHATS_NEW);  // returns when the change log is closed
  CancelPendingSteps();
  EXPECT_EQ(std::wstring(LoadLangText(7, "TXT_QVX_VER")) + L"3.1", version);
  const std::vector<std::wstring> expected = {L"Faster scan", L"Swivo: shared clipboard", L"New Help page"};
  EXPECT_EQ(expected, lines);
}

TEST_F(WebPagesTest, DownloadAsksForTheFileBelowLatestVerWithItsHeaders) {
  server_.Serve(L"relnote.txt", kReleaseNotes);
  DWORD status = 0;
  ASSERT_TRUE(DownloadLatestVerFile(L"relnote.txt", status));
  EXPECT_EQ(200u, status);
  EXPECT_EQ(kReleaseNotes, folder_.Read(L"relnote.txt"));
  const std::vector<std::string> requests = server_.Requests();
  ASSERT_FALSE(requests.empty());
  const std::string& request = requests.back();
  // The object is "LatestVer\relnote.txt"; Wine's WinINet sends its backslash as "/".
  const std::string path = request.substr(0, request.find('\t'));
  EXPECT_TRUE(path == "/LatestVer\\relnote.txt" || path == "/LatestVer/relnote.txt") << path;
  for (const char* header : {"\tAccept: */*", "\tAccept-Language: en-US;q=0.6,en;q=0.4", "\tConnection: keep-alive",
                             "\tHost: www.corvane-lan.com"}) {
    EXPECT_NE(std::string::npos, request.find(header)) << header << " missing in " << request;
  }
}

TEST_F(WebPagesTest, DownloadFailuresLeaveNoFile) {
  struct Case {
    const char* what;
    std::function<void()> serve;
    DWORD status;
  };
  const std::string body(5000, 'x');
  const Case cases[] = {
      {"not found", [&] { server_.Withdraw(L"upgrade.txt"); }, 404},
      {"broken off after part of the body", [&] { server_.ServeCut(L"upgrade.txt", body); }, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    folder_.Write(L"upgrade.txt", "an older copy");
    c.serve();
    DWORD status = 0;
    EXPECT_FALSE(DownloadLatestVerFile(L"upgrade.txt", status));
    EXPECT_EQ(c.status, status);
    EXPECT_TRUE(folder_.Read(L"upgrade.txt") == "an older copy") << "the file was touched";
    EXPECT_FALSE(folder_.Exists(L"upgrade.txt.part"));
  }
  server_.Serve(L"upgrade.txt", body);
  DWORD status = 0;
  EXPECT_TRUE(DownloadLatestVerFile(L"upgrade.txt", status));
  EXPECT_EQ(body, folder_.Read(L"upgrade.txt"));
}

TEST_F(WebPagesTest, NoServerEndsTheCheckSilently) {
  DWORD status = 99;
  DWORD start = ::GetTickCount();
  EXPECT_FALSE(DownloadLatestVerFile(L"upgrade.txt", status));
  EXPECT_EQ(0u, status);
  EXPECT_LT(::GetTickCount() - start, 10000u) << "a refused connection took long";
  CUpdate page;
  EXPECT_EQ(std::vector<std::wstring>{LoadLangText(7, "TXT_CHK_FOR_UPDATE")}, Check(page));
  EXPECT_TRUE(::IsWindowEnabled(page.GetDlgItemHandle(IDC_UPDATE_CHECK)));
  EXPECT_FALSE(ItemVisible(page, IDC_UPDATE_NEW_GROUP));
  EXPECT_FALSE(folder_.Exists(L"upgrade.txt"));
  EXPECT_FALSE(folder_.Exists(L"relnote.txt"));
}

// Every button of the Help page opens its page of the maker's site in the language in use.
TEST_F(WebPagesTest, HelpButtonsOpenTheirPagesInTheLanguageInUse) {
  const struct { int id; const wchar_t* path; } buttons[] = {
      {IDC_HELP_PAGE_BUTTON, L"help_corvane.htm"}, {IDC_HELP_WEB_SITE, L"index_qvx.htm"},
      {IDC_HELP_INST_DRV, L"help_qvx_instdrv.htm"}, {IDC_HELP_LB, L"help_qvx_lb.htm"},
      {IDC_HELP_WOL, L"help_qvx_wol.htm"}, {IDC_HELP_SWIVO, L"help_swivo.htm"}};
  for (const LangLibrary& library : kLangLibraries) {
    SCOPED_TRACE(library.tag);
    g_LangIndex = library.langIndex;
    const std::wstring lang = library.langIndex == 1 ? L"cht" : L"eng";
    CHelpPage page;
    ASSERT_TRUE(page.Create(IDD_HELP_PAGE, &host_.Tab()));
    host_.Show(page);
    for (const auto& button : buttons) {
      SCOPED_TRACE(::testing::PrintToString(std::wstring(button.path)));
      opened_.Clear();
      Click(page, button.id);
      const std::wstring expected =
          BrowserArgumentFor(L"http://www.corvane-lan.com/" + std::wstring(button.path) + L"?lang=" + lang);
      EXPECT_EQ(std::vector<std::wstring>{expected}, opened_.WaitFor(1, 10000));
    }
  }
}

TEST_F(WebPagesTest, EnterOnTheHelpPageOpensNothing) {
  CHelpPage page;
  ASSERT_TRUE(page.Create(IDD_HELP_PAGE, &host_.Tab()));
  host_.Show(page);
  for (int attempt = 0; attempt < 40 && ::GetForegroundWindow() != host_.Window(); ++attempt) {
    ::SetForegroundWindow(host_.Window());
    PumpMessagesFor(50);
  }
  ASSERT_EQ(host_.Window(), ::GetForegroundWindow());
  ::SetFocus(page.GetDlgItemHandle(IDC_HELP_CONTACT));
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = VK_RETURN;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, input, sizeof(INPUT));
  EXPECT_TRUE(opened_.WaitFor(1, kNothingOpenedWait).empty()) << "Enter pressed the default button";
  EXPECT_TRUE(page.IsWindowVisible());
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::printf("OsTypeCode %d\n", GetOsTypeCode());
  std::fflush(stdout);
  return RUN_ALL_TESTS();
}
