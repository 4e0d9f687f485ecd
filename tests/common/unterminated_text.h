// A text in a heap block of exactly its length, with no terminator after it: under the native
// sanitizer build a read one unit past the view's end is caught, where a std::wstring's NUL hides it.
#pragma once
#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

class Unterminated {
 public:
  explicit Unterminated(const std::wstring& text) : size_(text.size()), units_(new wchar_t[text.size()]) {
    std::copy(text.begin(), text.end(), units_.get());
  }
  std::wstring_view view() const { return {units_.get(), size_}; }

 private:
  size_t size_;
  std::unique_ptr<wchar_t[]> units_;
};
