#include "tests/shell/dialog_template_reader.h"

namespace {
// Walks the template's words; every read is checked against the resource's size.
class WordReader {
 public:
  WordReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool ok() const { return ok_; }
  uint16_t Word() { return static_cast<uint16_t>(Take(2)); }
  uint32_t Dword() { return static_cast<uint32_t>(Take(4)); }
  void Skip(size_t bytes) {
    if (at_ + bytes > size_) ok_ = false; else at_ += bytes;
  }
  void AlignDword() { Skip((4 - at_ % 4) % 4); }
  std::wstring Text() {
    std::wstring text;
    for (uint16_t c = Word(); ok_ && c; c = Word()) text += static_cast<wchar_t>(c);
    return text;
  }
  // A name or an ordinal (0xFFFF followed by the number); ordinals come back as "#n".
  std::wstring NameOrOrdinal() {
    uint16_t first = Word();
    if (first == 0) return L"";
    if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
    std::wstring text(1, static_cast<wchar_t>(first));
    return text + Text();
  }

 private:
  uint64_t Take(size_t bytes) {
    if (at_ + bytes > size_) { ok_ = false; return 0; }
    uint64_t value = 0;
    for (size_t i = 0; i < bytes; ++i) value |= static_cast<uint64_t>(data_[at_ + i]) << (8 * i);
    at_ += bytes;
    return value;
  }
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
  bool ok_ = true;
};

std::wstring PredefinedClass(const std::wstring& name) {
  static const wchar_t* const kOrdinals[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
  for (int i = 0; i < 6; ++i) {
    if (name == L"#" + std::to_wstring(0x80 + i)) return kOrdinals[i];
  }
  return name;
}
}  // namespace

std::optional<DialogTemplate> ReadDialogTemplate(HMODULE module, UINT id) {
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
  if (!found) return std::nullopt;
  HGLOBAL loaded = ::LoadResource(module, found);
  const auto* data = loaded ? static_cast<const uint8_t*>(::LockResource(loaded)) : nullptr;
  if (!data) return std::nullopt;
  WordReader reader(data, ::SizeofResource(module, found));
  if (reader.Word() != 1 || reader.Word() != 0xFFFF) return std::nullopt;  // not DIALOGEX
  DialogTemplate dialog;
  reader.Dword();  // help id
  reader.Dword();  // extended style
  dialog.style = reader.Dword();
  uint16_t count = reader.Word();
  reader.Skip(8);  // position and size
  reader.NameOrOrdinal();  // menu
  reader.NameOrOrdinal();  // class
  reader.Text();           // caption
  if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
    reader.Skip(6);  // point size, weight, italic, character set
    reader.Text();   // face
  }
  for (uint16_t i = 0; i < count && reader.ok(); ++i) {
    reader.AlignDword();
    TemplateControl control;
    reader.Dword();  // help id
    reader.Dword();  // extended style
    control.style = reader.Dword();
    reader.Skip(8);
    control.id = reader.Dword();
    control.windowClass = PredefinedClass(reader.NameOrOrdinal());
    reader.NameOrOrdinal();  // title
    reader.Skip(reader.Word());  // creation data
    dialog.controls.push_back(control);
  }
  if (!reader.ok()) return std::nullopt;
  return dialog;
}
