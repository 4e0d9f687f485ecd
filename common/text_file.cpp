#include "common/text_file.h"

TextFileCalls g_textFileCalls = {::WriteFile};

// ---- base: buffer, conversions, close ----

CTextFileBase::~CTextFileBase() { CTextFileBase::Close(); }

void CTextFileBase::Close() {
  if (file_ != INVALID_HANDLE_VALUE) {
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }
}

void CTextFileBase::FlushWriteBuffer() {
  const DWORD count = static_cast<DWORD>(buffer_index_ + 1);
  if (count > 0 && IsOpen()) {
    DWORD written = 0;
    if (!g_textFileCalls.writeFile(file_, buffer_, count, &written, nullptr) || written != count) write_failed_ = true;
  }
  buffer_index_ = -1;
}

void CTextFileBase::WriteByte(uint8_t byte) {
  if (buffer_index_ == kBufferSize - 1) FlushWriteBuffer();
  buffer_[++buffer_index_] = byte;
}

void CTextFileBase::WriteBytes(const char* text) {
  for (; *text; ++text) WriteByte(static_cast<uint8_t>(*text));
}

void CTextFileBase::WriteWchar(wchar_t unit) {
  switch (encoding_) {
    case kUtf16BigEndian:
      WriteByte(static_cast<uint8_t>(unit >> 8));
      WriteByte(static_cast<uint8_t>(unit));
      break;
    case kUtf16LittleEndian:
      WriteByte(static_cast<uint8_t>(unit));
      WriteByte(static_cast<uint8_t>(unit >> 8));
      break;
    case kUtf8:
      if (unit < 0x80) {
        WriteByte(static_cast<uint8_t>(unit));
      } else if (unit < 0x800) {
        WriteByte(static_cast<uint8_t>(0xC0 | unit >> 6));
        WriteByte(static_cast<uint8_t>(0x80 | (unit & 0x3F)));
      } else {
        WriteByte(static_cast<uint8_t>(0xE0 | (unit >> 12 & 0x0F)));
        WriteByte(static_cast<uint8_t>(0x80 | (unit >> 6 & 0x3F)));
        WriteByte(static_cast<uint8_t>(0x80 | (unit & 0x3F)));
      }
      break;
    case kAnsi:
      break;  // ANSI text goes through WcharToString
  }
}

std::wstring CTextFileBase::CharToWstring(std::string_view bytes) const {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int chars = MultiByteToWideChar(code_page_, 0, bytes.data(), size, nullptr, 0);
  std::wstring text(chars > 0 ? chars : 0, L'\0');
  if (chars > 0) MultiByteToWideChar(code_page_, 0, bytes.data(), size, text.data(), chars);
  return text;
}

std::string CTextFileBase::WcharToString(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const char* fallback = default_char_ ? &default_char_ : nullptr;
  BOOL used_default = FALSE;
  const int bytes = WideCharToMultiByte(code_page_, 0, text.data(), size, nullptr, 0, fallback, &used_default);
  std::string out(bytes > 0 ? bytes : 0, '\0');
  if (bytes > 0) WideCharToMultiByte(code_page_, 0, text.data(), size, out.data(), bytes, fallback, &used_default);
  if (used_default) data_lost_ = true;
  return out;
}

// ---- reader ----

CTextFileRead::CTextFileRead(const std::wstring& path) {
  file_ = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  end_of_file_ = !IsOpen();
  if (IsOpen()) ReadBom();
}

uint8_t CTextFileRead::ReadByte() {
  if (buffer_index_ == -1 || buffer_index_ == kBufferSize - 1) {
    DWORD got = 0;
    if (!ReadFile(file_, buffer_, kBufferSize, &got, nullptr) || got == 0) {
      end_of_file_ = true;
      return 0;
    }
    buffer_count_ = static_cast<int32_t>(got);
    buffer_index_ = 0;
    return buffer_[0];
  }
  if (++buffer_index_ >= buffer_count_) {
    end_of_file_ = true;
    return 0;
  }
  return buffer_[buffer_index_];
}

void CTextFileRead::Rewind() {
  SetFilePointer(file_, 0, nullptr, FILE_BEGIN);
  buffer_index_ = -1;
  buffer_count_ = 0;
  pushed_back_ = false;
  first_line_ = true;
  end_of_file_ = false;
}

void CTextFileRead::ReadBom() {
  const uint8_t first = ReadByte();
  const uint8_t second = ReadByte();
  if (!end_of_file_ && first == 0xFF && second == 0xFE) {
    encoding_ = kUtf16LittleEndian;
  } else if (!end_of_file_ && first == 0xFE && second == 0xFF) {
    encoding_ = kUtf16BigEndian;
  } else if (!end_of_file_ && first == 0xEF && second == 0xBB) {
    const uint8_t third = ReadByte();
    if (!end_of_file_ && third == 0xBF) {
      encoding_ = kUtf8;
    } else {
      encoding_ = kAnsi;
      Rewind();
    }
  } else {
    encoding_ = kAnsi;
    Rewind();
  }
}

wchar_t CTextFileRead::ReadWchar() {
  if (encoding_ == kUtf8) {
    const uint8_t lead = ReadByte();
    if (lead < 0x80) return lead;
    int ones = 0;
    while (ones < 8 && (lead << ones & 0x80)) ++ones;
    if (ones == 2) {
      const uint8_t next = ReadByte();
      return static_cast<wchar_t>((lead & 0x1F) << 6 | (next & 0x3F));
    }
    if (ones == 3) {
      const uint8_t next = ReadByte();
      const uint8_t third = ReadByte();
      return static_cast<wchar_t>((lead & 0x0F) << 12 | (next & 0x3F) << 6 | (third & 0x3F));
    }
    return 0xFFFD;
  }
  const uint8_t first = ReadByte();
  const uint8_t second = ReadByte();
  if (encoding_ == kUtf16BigEndian) return static_cast<wchar_t>(first << 8 | second);
  return static_cast<wchar_t>(second << 8 | first);
}

// The character that ended the previous line is pushed back whole, in the file's own character
// size, so that UTF-16 files stay in step after their first line end.
wchar_t CTextFileRead::NextChar() {
  if (pushed_back_) {
    pushed_back_ = false;
    return pushed_back_char_;
  }
  return encoding_ == kAnsi ? static_cast<wchar_t>(ReadByte()) : ReadWchar();
}

bool CTextFileRead::ReadUnicodeLine(std::wstring& line) {
  if (end_of_file_) return false;
  wchar_t c = NextChar();
  if (first_line_) {
    first_line_ = false;
  } else {
    if (c == L'\r') c = NextChar();
    if (c == L'\n') c = NextChar();
  }
  line.clear();
  while (c != L'\r' && c != L'\n' && !end_of_file_) {
    line.push_back(c);
    c = NextChar();
  }
  pushed_back_char_ = c;
  pushed_back_ = true;
  return true;
}

bool CTextFileRead::ReadAnsiLine(std::wstring& line) {
  if (end_of_file_) return false;
  wchar_t c = NextChar();
  if (first_line_) {
    first_line_ = false;
  } else {
    if (c == L'\r') c = NextChar();
    if (c == L'\n') c = NextChar();
  }
  std::string bytes;
  while (c != L'\r' && c != L'\n' && !end_of_file_) {
    bytes.push_back(static_cast<char>(c));
    c = NextChar();
  }
  pushed_back_char_ = c;
  pushed_back_ = true;
  line = CharToWstring(bytes);
  return true;
}

bool CTextFileRead::ReadLine(std::wstring& line) {
  if (!IsOpen()) return false;
  return encoding_ == kAnsi ? ReadAnsiLine(line) : ReadUnicodeLine(line);
}

// ---- writer ----

namespace {

// A reader denies writers, and the old file cannot be replaced under it: such a writer is not
// open from the start, as it was when it wrote the file itself.
bool HeldByAnotherHandle(const std::wstring& path) {
  HANDLE probe = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    ::CloseHandle(probe);
    return false;
  }
  return ::GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace

CTextFileWrite::CTextFileWrite(const std::wstring& path) : path_(path), temp_path_(path + L".tmp") {
  // No sharing: a second writer of the same file fails instead of mixing its bytes into this one's.
  if (!HeldByAnotherHandle(path_)) {
    file_ = ::CreateFileW(temp_path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
  }
  encoding_ = kAnsi;
  buffer_index_ = -1;
  buffer_count_ = 0;
  code_page_ = CP_ACP;
  default_char_ = 0;
}

void CTextFileWrite::Write(std::wstring_view text) {
  if (encoding_ == kAnsi) {
    for (char byte : WcharToString(text)) WriteByte(static_cast<uint8_t>(byte));
    return;
  }
  for (wchar_t unit : text) WriteWchar(unit);
}

void CTextFileWrite::WriteEndl() {
  if (encoding_ == kAnsi) {
    WriteBytes("\r\n");
    return;
  }
  WriteWchar(L'\r');
  WriteWchar(L'\n');
}

void CTextFileWrite::Close() {
  if (!IsOpen()) return;
  FlushWriteBuffer();
  if (!::FlushFileBuffers(file_)) write_failed_ = true;
  CTextFileBase::Close();
  if (!write_failed_ &&
      !::MoveFileExW(temp_path_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    write_failed_ = true;
  }
  if (write_failed_) ::DeleteFileW(temp_path_.c_str());
}
