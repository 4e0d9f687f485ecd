#include "framework/internet_session.h"

namespace {
// Takes the error of the call that just failed at once, before anything else can change it.
[[noreturn]] void ThrowLastInternetError() { throw CInternetException(::GetLastError()); }

void CloseHandleOnce(HINTERNET& handle) {
  if (handle) ::InternetCloseHandle(handle);
  handle = nullptr;
}
}  // namespace

bool CHttpFile::AddRequestHeaders(const wchar_t* headers, DWORD modifiers) {
  return ::HttpAddRequestHeadersW(m_hFile, headers, static_cast<DWORD>(-1), modifiers) != FALSE;
}

void CHttpFile::SendRequest() {
  if (!::HttpSendRequestW(m_hFile, nullptr, 0, nullptr, 0)) ThrowLastInternetError();
}

bool CHttpFile::QueryInfoStatusCode(DWORD& status) const { return QueryInfo(HTTP_QUERY_STATUS_CODE, status); }

bool CHttpFile::QueryInfo(DWORD infoLevel, DWORD& value) const {
  DWORD number = 0, size = sizeof(number);
  if (!::HttpQueryInfoW(m_hFile, infoLevel | HTTP_QUERY_FLAG_NUMBER, &number, &size, nullptr)) return false;
  value = number;
  return true;
}

UINT CHttpFile::Read(void* buffer, UINT count) {
  DWORD read = 0;
  if (!::InternetReadFile(m_hFile, buffer, count, &read)) ThrowLastInternetError();
  return read;
}

void CHttpFile::Close() { CloseHandleOnce(m_hFile); }

std::unique_ptr<CHttpFile> CHttpConnection::OpenRequest(int verb, const wchar_t* object, DWORD flags) {
  const wchar_t* verbName = verb == HTTP_VERB_GET ? L"GET" : nullptr;
  HINTERNET request = ::HttpOpenRequestW(m_hConnection, verbName, object, nullptr, nullptr, nullptr, flags, 0);
  if (!request) ThrowLastInternetError();
  return std::make_unique<CHttpFile>(request);
}

void CHttpConnection::Close() { CloseHandleOnce(m_hConnection); }

CInternetSession::CInternetSession(const wchar_t* agent, DWORD accessType)
    : m_hSession(::InternetOpenW(agent, accessType, nullptr, nullptr, 0)) {
  if (!m_hSession) ThrowLastInternetError();
}

std::unique_ptr<CHttpConnection> CInternetSession::GetHttpConnection(const wchar_t* server, INTERNET_PORT port) {
  HINTERNET connection =
      ::InternetConnectW(m_hSession, server, port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
  if (!connection) ThrowLastInternetError();
  return std::make_unique<CHttpConnection>(connection);
}

void CInternetSession::Close() { CloseHandleOnce(m_hSession); }
