// The event source's registry entries and the registry lists, in the real registry of the prefix,
// under a log and a service name of the test's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "service/event_source.h"
#include "service/my_service.h"

namespace {

const std::wstring kLogRoot = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\";

class TestLog {
 public:
  TestLog() : name_(L"CorvaneTest" + std::to_wstring(GetCurrentProcessId())) {
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kLogRoot + name_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
  }
  ~TestLog() {
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kLogRoot + name_).c_str());
  }
  const wchar_t* Name() const { return name_.c_str(); }
  HKEY Key() const { return key_; }
  std::vector<std::wstring> Sources() const {
    std::vector<std::wstring> sources;
    EXPECT_EQ(ReadRegistryTextList(key_, L"Sources", sources), ERROR_SUCCESS);
    return sources;
  }
  bool SourceKeyExists(const wchar_t* source) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(key_, source, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

 private:
  std::wstring name_;
  HKEY key_ = nullptr;
};

TEST(EventSourceKey, InstallAndRemove) {
  TestLog log;
  // A log without a "Sources" list, as in a fresh prefix, gets one.
  ASSERT_TRUE(InstallEventSourceKey(log.Name(), L"Src A", L"C:\\x\\Echoward.DLL", L"", L"", 7, 0));
  EXPECT_EQ(log.Sources(), std::vector<std::wstring>{L"Src A"});
  ASSERT_TRUE(InstallEventSourceKey(log.Name(), L"Src A", L"C:\\x\\Echoward.DLL", L"", L"", 7, 0));
  ASSERT_TRUE(InstallEventSourceKey(log.Name(), L"Src B", L"C:\\x\\Echoward.DLL", L"C:\\cat.dll", L"", 7, 2));
  EXPECT_EQ(log.Sources(), (std::vector<std::wstring>{L"Src A", L"Src B"}));

  HKEY source = nullptr;
  ASSERT_EQ(RegOpenKeyExW(log.Key(), L"Src A", 0, KEY_READ, &source), ERROR_SUCCESS);
  wchar_t file[MAX_PATH] = {};
  DWORD size = sizeof file, types = 0, typesSize = sizeof types;
  EXPECT_EQ(RegQueryValueExW(source, L"EventMessageFile", nullptr, nullptr, reinterpret_cast<BYTE*>(file), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(file, L"C:\\x\\Echoward.DLL");
  EXPECT_EQ(RegQueryValueExW(source, L"TypesSupported", nullptr, nullptr, reinterpret_cast<BYTE*>(&types), &typesSize),
            ERROR_SUCCESS);
  EXPECT_EQ(types, 7u);
  EXPECT_NE(RegQueryValueExW(source, L"CategoryCount", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  RegCloseKey(source);

  ASSERT_TRUE(RemoveEventSourceKey(log.Name(), L"Src A"));
  EXPECT_FALSE(log.SourceKeyExists(L"Src A"));
  EXPECT_TRUE(log.SourceKeyExists(L"Src B"));
  EXPECT_EQ(log.Sources(), std::vector<std::wstring>{L"Src B"});
  EXPECT_FALSE(RemoveEventSourceKey(log.Name(), L"Src A"));
}

TEST(EventSourceKey, MissingLog) {
  EXPECT_FALSE(InstallEventSourceKey(L"NoSuchLogOfCorvane", L"S", L"f", L"", L"", 7, 0));
}

TEST(RegistryTextList, OnlyWellFormedListsAreRead) {
  TestLog log;
  struct Case {
    const char* what;
    DWORD type;
    std::vector<wchar_t> units;
    LSTATUS status;
    std::vector<std::wstring> texts;
  };
  const Case cases[] = {
      {"two texts", REG_MULTI_SZ, {L'a', 0, L'b', L'c', 0, 0}, ERROR_SUCCESS, {L"a", L"bc"}},
      {"empty list", REG_MULTI_SZ, {0}, ERROR_SUCCESS, {}},
      {"stops at an empty text", REG_MULTI_SZ, {L'a', 0, 0, L'b', 0, 0}, ERROR_SUCCESS, {L"a"}},
      {"one NUL at the end", REG_MULTI_SZ, {L'a', 0}, ERROR_INVALID_DATA, {}},
      {"no NUL", REG_MULTI_SZ, {L'a', L'b'}, ERROR_INVALID_DATA, {}},
      {"a plain text", REG_SZ, {L'a', 0, 0}, ERROR_INVALID_DATA, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RegSetValueExW(log.Key(), L"List", 0, c.type, reinterpret_cast<const BYTE*>(c.units.data()),
                   static_cast<DWORD>(c.units.size() * sizeof(wchar_t)));
    std::vector<std::wstring> texts;
    EXPECT_EQ(ReadRegistryTextList(log.Key(), L"List", texts), c.status);
    if (c.status == ERROR_SUCCESS) {
      EXPECT_EQ(texts, c.texts);
    }
  }
  BYTE odd[3] = {'a', 0, 0};
  RegSetValueExW(log.Key(), L"List", 0, REG_MULTI_SZ, odd, 3);
  std::vector<std::wstring> texts;
  EXPECT_EQ(ReadRegistryTextList(log.Key(), L"List", texts), ERROR_INVALID_DATA);
  EXPECT_EQ(ReadRegistryTextList(log.Key(), L"Absent", texts), ERROR_FILE_NOT_FOUND);
}

// Profile values of a service name of the test's own.
class ProfileService : public CNTService {
 public:
  ProfileService() : CNTService(nullptr, L"P", 0, L"") {
    serviceName_ = L"CorvaneProfileTest" + std::to_wstring(GetCurrentProcessId());
  }
  ~ProfileService() override {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"SYSTEM\\CurrentControlSet\\Services\\" + serviceName_).c_str());
  }
};

TEST(ProfileValues, WriteReadAndDelete) {
  ProfileService service;
  DWORD error = 0;
  EXPECT_EQ(service.GetProfileText(L"General", L"Name", L"fallback", &error), L"fallback");
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  ASSERT_TRUE(service.SetProfileText(L"General", L"Name", L"value"));
  EXPECT_EQ(service.GetProfileText(L"General", L"Name", L"fallback"), L"value");
  ASSERT_TRUE(service.SetProfileNumber(L"General", L"Count", 42));
  EXPECT_EQ(service.GetProfileNumber(L"General", L"Count", 7), 42u);
  // A value of another type is not taken.
  error = 0;
  EXPECT_EQ(service.GetProfileNumber(L"General", L"Name", 7, &error), 7u);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(service.GetProfileText(L"General", L"Count", L"fallback"), L"fallback");

  ASSERT_TRUE(service.SetProfileTextList(L"General", L"List", {L"one", L"two"}));
  std::vector<std::wstring> list;
  ASSERT_TRUE(service.GetProfileTextList(L"General", L"List", list));
  EXPECT_EQ(list, (std::vector<std::wstring>{L"one", L"two"}));
  const BYTE bytes[] = {1, 2, 3};
  ASSERT_TRUE(service.SetProfileBytes(L"General", L"Bytes", bytes, 3));
  std::vector<BYTE> read;
  ASSERT_TRUE(service.GetProfileBytes(L"General", L"Bytes", read));
  EXPECT_EQ(read, (std::vector<BYTE>{1, 2, 3}));

  ASSERT_TRUE(service.SetProfileText(L"General", L"Name", nullptr));
  EXPECT_EQ(service.GetProfileText(L"General", L"Name", L"gone"), L"gone");
  ASSERT_TRUE(service.SetProfileText(L"General", nullptr, nullptr));
  EXPECT_EQ(service.GetProfileNumber(L"General", L"Count", 7), 7u);
}

}  // namespace
