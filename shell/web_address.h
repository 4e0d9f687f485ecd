// Web addresses of the maker's site and how the program opens one in the browser. The download
// location comes over plain HTTP without any check of its origin, so an address is opened only
// when it is "http://" followed by nothing but host and path characters: nothing in it can reach
// the browser's command line as a parameter of its own.
#pragma once
#include <string>
#include <string_view>

// "http://", the maker's web host, "/" and path.
std::wstring MakerWebAddress(const wchar_t* path);

// A host ([A-Za-z0-9.-], starting with a letter or digit), optionally followed by "/" and a path
// of URL characters; no spaces, quotes, control characters, colons or non-ASCII characters.
bool IsPlainWebLocation(std::wstring_view location);

// What ShellExecuteW opens for an address: on Windows XP (OsTypeCode 9) "iexplore.exe" with the
// address, quoted, as its parameter; elsewhere the address itself, without parameters.
struct WebOpenCommand {
  std::wstring file;
  std::wstring parameters;
};
WebOpenCommand WebOpenCommandFor(const std::wstring& address, int osTypeCode);

// Opens an "http://" address of plain host and path characters in the browser (shown normally).
// False, with nothing opened, for any other address or when the shell cannot open it.
bool OpenWebAddress(const std::wstring& address);
