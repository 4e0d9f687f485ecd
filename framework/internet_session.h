// CInternetSession and its HTTP connection and request file: the framework's thin classes over
// WinINet, for the update download. Each failing call throws CInternetException with WinINet's
// error code; the callers catch it where they make the request.
#pragma once
#include <windows.h>
#include <wininet.h>

#include <memory>

class CInternetException {
 public:
  explicit CInternetException(DWORD error) : m_dwError(error) {}
  DWORD m_dwError;  // a WinINet (12xxx) or Win32 error code
};

// One HTTP request: headers, send, status, then the response body in pieces.
class CHttpFile {
 public:
  explicit CHttpFile(HINTERNET request) : m_hFile(request) {}
  CHttpFile(const CHttpFile&) = delete;
  CHttpFile& operator=(const CHttpFile&) = delete;
  ~CHttpFile() { Close(); }

  // Adds request headers ("Name: value", several separated by CR LF); modifiers as for
  // HttpAddRequestHeaders (HTTP_ADDREQ_FLAG_ADD_IF_NEW adds a header only when it is not there).
  bool AddRequestHeaders(const wchar_t* headers, DWORD modifiers = HTTP_ADDREQ_FLAG_ADD_IF_NEW);
  // Sends the request; throws when it cannot be sent (no connection, refused, timed out).
  void SendRequest();
  // The response's status code (200, 404, ...); false when there is none.
  bool QueryInfoStatusCode(DWORD& status) const;
  // A numeric header of the response (HTTP_QUERY_CONTENT_LENGTH, ...); false when it is absent.
  bool QueryInfo(DWORD infoLevel, DWORD& value) const;
  // Up to count bytes of the body; 0 at its end. Throws on a read error.
  UINT Read(void* buffer, UINT count);
  void Close();

 private:
  HINTERNET m_hFile;
};

class CHttpConnection {
 public:
  enum { HTTP_VERB_GET = 1 };
  explicit CHttpConnection(HINTERNET connection) : m_hConnection(connection) {}
  CHttpConnection(const CHttpConnection&) = delete;
  CHttpConnection& operator=(const CHttpConnection&) = delete;
  ~CHttpConnection() { Close(); }

  // A request for object (the path on the server, sent as given) with INTERNET_FLAG_* flags.
  // Throws when WinINet cannot make it.
  std::unique_ptr<CHttpFile> OpenRequest(int verb, const wchar_t* object, DWORD flags);
  void Close();

 private:
  HINTERNET m_hConnection;
};

class CInternetSession {
 public:
  // accessType as for InternetOpen: INTERNET_OPEN_TYPE_PRECONFIG takes the system's proxy
  // settings. A null agent sends no agent name. Throws when WinINet cannot start.
  explicit CInternetSession(const wchar_t* agent = nullptr, DWORD accessType = INTERNET_OPEN_TYPE_PRECONFIG);
  CInternetSession(const CInternetSession&) = delete;
  CInternetSession& operator=(const CInternetSession&) = delete;
  ~CInternetSession() { Close(); }

  // An HTTP connection to server (a host name) on port; WinINet connects at the first request.
  std::unique_ptr<CHttpConnection> GetHttpConnection(const wchar_t* server,
                                                     INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT);
  void Close();

 private:
  HINTERNET m_hSession;
};
