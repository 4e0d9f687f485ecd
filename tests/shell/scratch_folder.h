// A fresh, empty program folder for one test: made in the temporary folder, made the current
// directory (the program's folder is its current directory), and removed with its files after.
#pragma once
#include <string>

class ScratchFolder {
 public:
  ScratchFolder() = default;
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  // Goes back to the previous current directory and removes the folder's files.
  ~ScratchFolder();
  // Makes the folder and enters it; false when either fails.
  bool Enter();
  const std::wstring& Path() const { return path_; }
  std::wstring PathOf(const wchar_t* name) const { return path_ + L"\\" + name; }
  bool Exists(const wchar_t* name) const;
  // The file's bytes as they are on disk; empty when it cannot be read.
  std::string Read(const wchar_t* name) const;
  bool Write(const wchar_t* name, const std::string& bytes) const;

 private:
  std::wstring path_;
  std::wstring previous_;
};

// Whole files as bytes, for test data and for what the program wrote.
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
