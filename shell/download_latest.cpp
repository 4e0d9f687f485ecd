#include "shell/download_latest.h"

#include <string>

#include "common/settings_file.h"
#include "framework/internet_session.h"
#include "shell/settings_folder.h"
#include "shell/web_host.h"

namespace {
constexpr UINT kBlockSize = 1024;

// A file written beside its final name and renamed over it when complete; removed otherwise.
class PartialFile {
 public:
  explicit PartialFile(const std::wstring& finalPath) : finalPath_(finalPath), partPath_(finalPath + L".part") {
    handle_ = ::CreateFileW(partPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;
  ~PartialFile() {
    CloseFile();
    if (!committed_) ::DeleteFileW(partPath_.c_str());
  }
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Write(const void* bytes, DWORD count) {
    DWORD written = 0;
    return ::WriteFile(handle_, bytes, count, &written, nullptr) && written == count;
  }
  bool Commit() {
    if (!CloseFile()) return false;
    committed_ = ::MoveFileExW(partPath_.c_str(), finalPath_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    return committed_;
  }

 private:
  bool CloseFile() {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    BOOL closed = ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }
  std::wstring finalPath_;
  std::wstring partPath_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool committed_ = false;
};

bool CopyResponse(CHttpFile& response, PartialFile& file) {
  DWORD expected = 0;
  const bool lengthKnown = response.QueryInfo(HTTP_QUERY_CONTENT_LENGTH, expected);
  char block[kBlockSize];
  DWORD total = 0;
  for (UINT read; (read = response.Read(block, kBlockSize)) > 0; total += read) {
    if (!file.Write(block, read)) return false;
  }
  // A connection that ends early reads as an early end: only the announced length tells.
  return !lengthKnown || total == expected;
}
}  // namespace

bool DownloadLatestVerFile(const wchar_t* fileName, DWORD& status) {
  status = 0;
  try {
    CInternetSession session(nullptr, INTERNET_OPEN_TYPE_PRECONFIG);
    std::unique_ptr<CHttpConnection> connection = session.GetHttpConnection(kMakerWebHost, INTERNET_DEFAULT_HTTP_PORT);
    const std::wstring object = std::wstring(L"LatestVer\\") + fileName;
    std::unique_ptr<CHttpFile> request = connection->OpenRequest(
        CHttpConnection::HTTP_VERB_GET, object.c_str(), INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES);
    request->AddRequestHeaders(L"Accept: */*\r\n", HTTP_ADDREQ_FLAG_ADD_IF_NEW);
    request->AddRequestHeaders(L"Accept-Language: en-US;q=0.6,en;q=0.4\r\n", HTTP_ADDREQ_FLAG_ADD_IF_NEW);
    request->AddRequestHeaders(L"Connection: keep-alive\r\n", HTTP_ADDREQ_FLAG_ADD_IF_NEW);
    request->SendRequest();
    if (!request->QueryInfoStatusCode(status) || status != HTTP_STATUS_OK) return false;
    PartialFile file(SettingsFilePath(SettingsFolder(), fileName));
    if (!file.IsOpen()) return false;
    return CopyResponse(*request, file) && file.Commit();
  } catch (const CInternetException&) {
    return false;  // no network, no host, refused, broken off: the check just ends
  }
}
