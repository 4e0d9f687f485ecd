#include "common/text_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/settings_file.h"
#include "tests/common/temp_folder.h"

namespace {

using Lines = std::vector<std::wstring>;

Lines ReadAll(const std::wstring& path) {
  CTextFileRead file(path);
  Lines lines;
  std::wstring line;
  while (file.ReadLine(line) && lines.size() < 10000) lines.push_back(line);
  return lines;
}

std::string Utf16(const std::wstring& text, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (wchar_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

std::wstring AnsiToWide(const std::string& bytes) {
  std::wstring out(bytes.size(), L'\0');
  out.resize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(),
                                 static_cast<int>(out.size())));
  return out;
}

struct ReadCase {
  const char* what;
  std::string bytes;
  Lines lines;
};

TEST(TextFileRead, BytesToLines) {
  const std::wstring a1023(1023, L'a'), a1024(1024, L'a'), a1025(1025, L'a'), a3000(3000, L'x');
  const std::wstring u510(510, L'u'), u511(511, L'u'), u512(512, L'u');
  const std::string ef_bb_letter = "\xEF\xBB" "abc\r\nnext";
  const ReadCase cases[] = {
      {"system-written file", "QVX_VER=1\r\nENG\r\n", {L"QVX_VER=1", L"ENG", L""}},
      {"without the last line end", "QVX_VER=1\r\nENG", {L"QVX_VER=1", L"ENG"}},
      {"empty file", "", {L""}},
      {"UTF-16 LE mark only", "\xFF\xFE", {L""}},
      {"UTF-16 BE mark only", "\xFE\xFF", {L""}},
      {"UTF-8 mark only", "\xEF\xBB\xBF", {L""}},
      {"one byte", "Z", {L"Z"}},
      {"LF LF", "A\n\nB", {L"A", L"", L"B"}},
      {"CR CR", "A\r\rB", {L"A", L"", L"B"}},
      {"CR LF", "A\r\nB", {L"A", L"B"}},
      {"LF CR is two line ends", "A\n\rB", {L"A", L"", L"B"}},
      {"empty first line", "\r\nX", {L"", L"X"}},
      {"UTF-8 with mark", "\xEF\xBB\xBFh\xC3\xA9llo \xE4\xB8\xAD\r\nz", {L"h\u00e9llo \u4e2d", L"z"}},
      {"UTF-8 without mark reads as ANSI", "abc\r\n", {L"abc", L""}},
      {"UTF-8 four-byte sequence", "\xEF\xBB\xBF\xF0\x9F\x98\x80", {L"\uFFFD\uFFFD\uFFFD\uFFFD"}},
      {"UTF-8 stray continuation", "\xEF\xBB\xBF\x80" "A", {L"\uFFFDA"}},
      {"EF BB then a letter is ANSI", ef_bb_letter, {AnsiToWide("\xEF\xBB" "abc"), L"next"}},
      {"UTF-16 LE three lines", Utf16(L"one\r\ntwo\r\nthree\r\n", false), {L"one", L"two", L"three", L""}},
      {"UTF-16 BE three lines", Utf16(L"one\r\ntwo\r\nthree\r\n", true), {L"one", L"two", L"three", L""}},
      {"UTF-16 LE non-ASCII", Utf16(L"\u4e2d\u6587\nB", false), {L"\u4e2d\u6587", L"B"}},
      {"CR at byte 1023", std::string(1023, 'a') + "\r\nZ", {a1023, L"Z"}},
      {"CR at byte 1024", std::string(1024, 'a') + "\r\nZ", {a1024, L"Z"}},
      {"CR at byte 1025", std::string(1025, 'a') + "\r\nZ", {a1025, L"Z"}},
      {"UTF-16 CR LF across the block", Utf16(u510 + L"\r\nZ", false), {u510, L"Z"}},
      {"UTF-16 CR at the block end", Utf16(u511 + L"\r\nZ", false), {u511, L"Z"}},
      {"UTF-16 CR after the block", Utf16(u512 + L"\r\nZ", true), {u512, L"Z"}},
      {"3000-character line", std::string(3000, 'x') + "\r\n", {a3000, L""}},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    EXPECT_EQ(ReadAll(folder.WriteBytes(L"case.txt", c.bytes)), c.lines) << c.what;
  }
}

TEST(TextFileRead, MissingFileLeavesTheCallersString) {
  TempFolder folder;
  CTextFileRead file(folder.File(L"missing.txt"));
  EXPECT_FALSE(file.IsOpen());
  std::wstring value = L"kept";
  EXPECT_FALSE(file.ReadLine(value));
  EXPECT_EQ(value, L"kept");
}

TEST(ReadSettingValue, TheReadingHabit) {
  const std::pair<std::string, std::wstring> cases[] = {
      {"QVX_VER=1\r\nENG\r\n", L"ENG"},
      {"ENG", L"ENG"},
      {"ENG\r\n", L""},
      {"", L""},
      {"QVX_VER=1\r\nCHT\r\nextra\r\n", L"CHT"},
  };
  for (const auto& [bytes, value] : cases) {
    TempFolder folder;
    std::wstring read = L"default";
    ReadSettingValue(folder.WriteBytes(L"LangType.txt", bytes), read);
    EXPECT_EQ(read, value) << testing::PrintToString(bytes);
  }
  TempFolder folder;
  std::wstring read = L"default";
  ReadSettingValue(folder.File(L"LangType.txt"), read);
  EXPECT_EQ(read, L"default");
}

TEST(WriteSettingsFile, WritesHeaderAndCrLfLinesAndReadsBack) {
  TempFolder folder;
  const std::wstring path = folder.File(L"DrvInstPhyNic.txt");
  const std::wstring long_value(3000, L'v');  // more than one buffer
  ASSERT_TRUE(WriteSettingsFile(path, {L"{0000000A-0000-0000-0000-4E6574446576}", L"eth0", long_value}));
  EXPECT_EQ(folder.ReadBytes(L"DrvInstPhyNic.txt"),
            "QVX_VER=1\r\n{0000000A-0000-0000-0000-4E6574446576}\r\neth0\r\n" + std::string(3000, 'v') + "\r\n");
  Lines lines;
  ASSERT_TRUE(ReadSettingLines(path, lines));
  EXPECT_EQ(lines, (Lines{L"{0000000A-0000-0000-0000-4E6574446576}", L"eth0", long_value}));

  // A rewrite replaces the whole file.
  ASSERT_TRUE(WriteSettingsFile(path, {L"x"}));
  EXPECT_EQ(folder.ReadBytes(L"DrvInstPhyNic.txt"), "QVX_VER=1\r\nx\r\n");
}

TEST(WriteSettingsFile, NotOpenWhileAReaderHoldsTheFile) {
  TempFolder folder;
  const std::wstring path = folder.File(L"EchowardSetting.txt");
  ASSERT_TRUE(WriteSettingsFile(path, {L"ENABLED"}));
  {
    CTextFileRead reader(path);
    ASSERT_TRUE(reader.IsOpen());
    CTextFileWrite writer(path);
    EXPECT_FALSE(writer.IsOpen());
    writer.Write(L"DISABLED");  // dropped at close
    EXPECT_FALSE(WriteSettingsFile(path, {L"DISABLED"}));
  }
  std::wstring value;
  ReadSettingValue(path, value);
  EXPECT_EQ(value, L"ENABLED");
  EXPECT_TRUE(WriteSettingsFile(path, {L"DISABLED"}));
}

// The names of the files in the folder.
std::vector<std::wstring> FilesIn(const TempFolder& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder.path() + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

// Lets the first `allowed` block writes through and fails every later one, as a full disk does.
class FailingWrites {
 public:
  explicit FailingWrites(int allowed) : saved_(g_textFileCalls) {
    allowed_ = allowed;
    g_textFileCalls.writeFile = [](HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
      if (allowed_-- > 0) return ::WriteFile(file, bytes, count, written, overlapped);
      *written = 0;
      ::SetLastError(ERROR_DISK_FULL);
      return FALSE;
    };
  }
  ~FailingWrites() { g_textFileCalls = saved_; }

 private:
  TextFileCalls saved_;
  static inline int allowed_ = 0;
};

// A write that fails midway, or whose file cannot take the old one's place, reports the failure
// and leaves the old file whole, with no temporary file beside it.
TEST(WriteSettingsFile, AFailedWriteKeepsTheOldFile) {
  const std::vector<std::wstring> long_values(40, std::wstring(60, L'v'));  // some 2.5 KB: three blocks
  struct Case {
    const char* what;
    int blocks_written;       // -1: no failing writes
    bool reader_after_open;   // a reader opens the file while the writer writes
  };
  const Case cases[] = {
      {"the disk fills after one block", 1, false},
      {"the disk fills at the last block", 2, false},
      {"the disk is full from the start", 0, false},
      {"a reader holds the file when the writer closes", -1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const std::wstring path = folder.File(L"WolCompList.txt");
    ASSERT_TRUE(WriteSettingsFile(path, {L"old", L"list"}));
    {
      FailingWrites failing(c.blocks_written < 0 ? 1000 : c.blocks_written);
      CTextFileWrite writer(path);
      ASSERT_TRUE(writer.IsOpen());
      for (const auto& value : long_values) {
        writer.Write(value);
        writer.WriteEndl();
      }
      if (c.reader_after_open) {
        CTextFileRead reader(path);
        ASSERT_TRUE(reader.IsOpen());
        writer.Close();
      } else {
        writer.Close();
      }
      EXPECT_TRUE(writer.WriteFailed());
    }
    EXPECT_EQ(folder.ReadBytes(L"WolCompList.txt"), "QVX_VER=1\r\nold\r\nlist\r\n");
    EXPECT_EQ(FilesIn(folder), std::vector<std::wstring>{L"WolCompList.txt"});
  }
  // Through the store's own writer too.
  TempFolder folder;
  const std::wstring path = folder.File(L"PrivateIp.txt");
  ASSERT_TRUE(WriteSettingsFile(path, {L"192.168.7.1"}));
  {
    FailingWrites failing(1);
    EXPECT_FALSE(WriteSettingsFile(path, long_values));
  }
  EXPECT_EQ(folder.ReadBytes(L"PrivateIp.txt"), "QVX_VER=1\r\n192.168.7.1\r\n");
  EXPECT_EQ(FilesIn(folder), std::vector<std::wstring>{L"PrivateIp.txt"});
}

TEST(WriteSettingsFile, FolderThatDoesNotExistFails) {
  TempFolder folder;
  EXPECT_FALSE(WriteSettingsFile(folder.path() + L"\\no-such-folder\\PrivateIp.txt", {L"0.0.0.0"}));
}

TEST(TextFileWrite, TextOutsideTheCodePageSetsDataLost) {
  TempFolder folder;
  CTextFileWrite writer(folder.File(L"lost.txt"));
  writer.Write(L"plain");
  EXPECT_FALSE(writer.DataLost());
  const wchar_t chinese[] = L"\u4e2d";
  BOOL unrepresentable = FALSE;
  char bytes[8];
  WideCharToMultiByte(CP_ACP, 0, chinese, 1, bytes, sizeof bytes, nullptr, &unrepresentable);
  writer.Write(chinese);
  EXPECT_EQ(writer.DataLost(), unrepresentable != FALSE) << "code page " << GetACP();
}

TEST(TrimWhiteSpace, BothEnds) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"  ENABLED \t", L"ENABLED"}, {L"\r\nDHCP\r\n", L"DHCP"}, {L"   ", L""}, {L"", L""}, {L"a b", L"a b"}};
  for (const auto& [text, trimmed] : cases) EXPECT_EQ(TrimWhiteSpace(text), trimmed);
}

}  // namespace
