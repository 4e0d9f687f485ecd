// The settings-file store: every settings file of both programs is read and written through these.
// Readers take ANSI, UTF-8 and UTF-16 (told apart by the byte-order mark) with CR LF, LF or CR line
// ends; writers write ANSI in the system code page. All file access goes through a 1024-byte buffer.
// A writer writes a temporary file beside the target and puts it in the target's place only once
// every byte is written, so a failed write leaves the old file as it was.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

// The calls that move the bytes: a seam, so that tests can make a write fail midway.
struct TextFileCalls {
  BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
};
extern TextFileCalls g_textFileCalls;

class CTextFileBase {
 public:
  enum Encoding : int32_t { kAnsi = 0, kUtf16BigEndian = 1, kUtf16LittleEndian = 2, kUtf8 = 3 };
  static constexpr int kBufferSize = 1024;

  CTextFileBase(const CTextFileBase&) = delete;
  CTextFileBase& operator=(const CTextFileBase&) = delete;

  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  Encoding GetEncoding() const { return encoding_; }
  bool DataLost() const { return data_lost_; }
  // A writer whose bytes did not all reach the file, or whose file did not replace the old one.
  bool WriteFailed() const { return write_failed_; }
  virtual void Close();

 protected:
  CTextFileBase() = default;
  // Not virtual: readers and writers live on the stack and are never deleted through the base.
  ~CTextFileBase();

  void WriteByte(uint8_t byte);
  void WriteBytes(const char* text);
  void WriteWchar(wchar_t unit);
  void FlushWriteBuffer();
  std::wstring CharToWstring(std::string_view bytes) const;
  std::string WcharToString(std::wstring_view text);

  Encoding encoding_ = kAnsi;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  bool end_of_file_ = false;
  uint8_t buffer_[kBufferSize] = {};
  int32_t buffer_index_ = -1;
  int32_t buffer_count_ = 0;
  char default_char_ = 0;
  bool data_lost_ = false;
  UINT code_page_ = CP_ACP;
  bool pushed_back_ = false;
  bool first_line_ = true;
  wchar_t pushed_back_char_ = 0;
  bool write_failed_ = false;
};

class CTextFileRead : public CTextFileBase {
 public:
  // Opens for reading and denies writers while open; a missing file leaves the reader at its end.
  explicit CTextFileRead(const std::wstring& path);
  ~CTextFileRead() { Close(); }

  // The next line without its line end; false at the end, leaving `line` as it was.
  bool ReadLine(std::wstring& line);

 private:
  void ReadBom();
  void Rewind();
  uint8_t ReadByte();
  wchar_t ReadWchar();
  wchar_t NextChar();
  bool ReadAnsiLine(std::wstring& line);
  bool ReadUnicodeLine(std::wstring& line);
};

class CTextFileWrite : public CTextFileBase {
 public:
  // Creates the temporary file path + ".tmp"; not open when a reader holds the file at `path`
  // or the temporary file cannot be created.
  explicit CTextFileWrite(const std::wstring& path);
  ~CTextFileWrite() { Close(); }

  void Write(std::wstring_view text);
  void WriteEndl();
  // Writes out the buffer and closes; then the complete temporary file replaces the file at the
  // path, or, after any failure, is deleted and the old file stays.
  void Close() override;

 private:
  std::wstring path_;
  std::wstring temp_path_;
};
