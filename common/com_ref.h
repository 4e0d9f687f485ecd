// Owns one COM interface reference and releases it when it goes; BSTR and VARIANT likewise.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <cstdint>

template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() { Reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For calls that hand out a new reference.
  T** Out() {
    Reset();
    return &p_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }
  // Gives the reference away.
  T* Detach() {
    T* p = p_;
    p_ = nullptr;
    return p;
  }

 private:
  T* p_ = nullptr;
};

class Bstr {
 public:
  explicit Bstr(const wchar_t* text) : b_(SysAllocString(text)) {}
  ~Bstr() { SysFreeString(b_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  operator BSTR() const { return b_; }

 private:
  BSTR b_;
};

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  ~Variant() { VariantClear(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* Out() {
    VariantClear(&v_);
    return &v_;
  }
  // The value as a 32-bit integer, converted as automation does; false when it has none.
  bool ToInt32(int32_t* value) const {
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&v_), 0, VT_I4))) return false;
    *value = converted.lVal;
    return true;
  }
  const VARIANT& operator*() const { return v_; }
  const VARIANT* operator->() const { return &v_; }

 private:
  VARIANT v_;
};
