// Wide text written to a redirected standard output: it arrives whole, in the code page a reader
// of the console's output decodes it with, however far outside Latin-1 its characters are.
#include <gtest/gtest.h>

#include <string>

#include "common/console_text.h"
#include "tests/common/temp_folder.h"

namespace {

// Characters outside Latin-1 that the OEM code page of an English locale (437) holds.
const wchar_t kText[] = L"Fehler \u03A9: \u00E9t\u00E9 \u2248 danach\n";

UINT ReaderCodePage() {
  const UINT console = ::GetConsoleOutputCP();
  return console ? console : ::GetOEMCP();
}

std::wstring Decoded(const std::string& bytes) {
  const int size = ::MultiByteToWideChar(ReaderCodePage(), 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(ReaderCodePage(), 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

// Runs the write with the standard output on `handle`, then puts the old one back.
bool WriteThrough(HANDLE handle) {
  HANDLE old = ::GetStdHandle(STD_OUTPUT_HANDLE);
  ::SetStdHandle(STD_OUTPUT_HANDLE, handle);
  const bool written = WriteConsoleText(STD_OUTPUT_HANDLE, kText);
  ::SetStdHandle(STD_OUTPUT_HANDLE, old);
  return written;
}

std::string ThroughPipe() {
  HANDLE reader = nullptr, writer = nullptr;
  if (!::CreatePipe(&reader, &writer, nullptr, 1 << 16)) return "no pipe";
  const bool written = WriteThrough(writer);
  ::CloseHandle(writer);
  std::string bytes;
  char buffer[256];
  DWORD got = 0;
  while (::ReadFile(reader, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(reader);
  return written ? bytes : "not written";
}

std::string ThroughFile() {
  TempFolder folder;
  const std::wstring path = folder.File(L"out.txt");
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const bool written = WriteThrough(file);
  ::CloseHandle(file);
  file = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  char buffer[256];
  DWORD got = 0;
  ::ReadFile(file, buffer, sizeof buffer, &got, nullptr);
  ::CloseHandle(file);
  return written ? std::string(buffer, got) : "not written";
}

TEST(ConsoleText, RedirectedTextArrivesWhole) {
  // The reader's code page must hold the text, or the test would prove nothing.
  BOOL lossy = FALSE;
  ASSERT_GT(::WideCharToMultiByte(ReaderCodePage(), WC_NO_BEST_FIT_CHARS, kText, -1, nullptr, 0, nullptr, &lossy), 0);
  ASSERT_FALSE(lossy) << "code page " << ReaderCodePage() << " cannot hold the test's text";
  struct Case {
    const char* what;
    std::string (*write)();
  };
  const Case cases[] = {{"a pipe", ThroughPipe}, {"a file", ThroughFile}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Decoded(c.write()), L"Fehler \u03A9: \u00E9t\u00E9 \u2248 danach\r\n");
  }
}

}  // namespace
