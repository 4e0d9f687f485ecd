// The carrier fill-in over a folder laid out like Linux's /sys/class/net, so that a test can plug
// and unplug cables by writing files.
#include "platform/ndis_media_status.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Indications = std::vector<std::pair<std::wstring, int>>;

class FakeInterfaces {
 public:
  FakeInterfaces() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"cvc-carrier-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(root_.c_str(), nullptr);
    CreateDirectoryW(Folder().c_str(), nullptr);
  }
  ~FakeInterfaces() { RemoveTree(root_); }

  // The interfaces folder; its parent holds things no interface name may reach.
  std::wstring Folder() const { return root_ + L"net\\"; }
  std::wstring Root() const { return root_; }

  void Set(const std::wstring& name, const char* carrier) { WriteFileAt(Folder() + name, carrier); }
  void Remove(const std::wstring& name) { RemoveTree(Folder() + name + L"\\"); }
  static void WriteFileAt(const std::wstring& folder, const char* carrier) {
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!carrier) return;
    HANDLE file = CreateFileW((folder + L"\\carrier").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, carrier, static_cast<DWORD>(strlen(carrier)), &written, nullptr);
    CloseHandle(file);
  }

 private:
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(folder + name + L"\\");
        } else {
          DeleteFileW((folder + name).c_str());
        }
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
  }
  std::wstring root_;
};

// Collects indications from the fill-in's thread.
class Recorder {
 public:
  CarrierMediaStatus::Indication Callback() {
    return [this](const wchar_t* name, uint8_t link) {
      std::lock_guard<std::mutex> lock(mutex_);
      seen_.emplace_back(name, link);
      changed_.notify_all();
    };
  }
  // Waits (a generous while, this is no timing test) until `count` indications have come.
  Indications WaitFor(size_t count) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, 5s, [&] { return seen_.size() >= count; });
    return seen_;
  }
  Indications Seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  Indications seen_;
};

TEST(CarrierMediaStatus, ReadsTheCarrierFileOfPlainNamesOnly) {
  FakeInterfaces net;
  net.Set(L"eth0", "1\n");
  net.Set(L"eth1", "0\n");
  net.Set(L"down0", "");  // an interface that is down: the file is there, reading it gives nothing
  net.Set(L"odd0", "x");
  net.Set(L"nocarrier0", nullptr);
  // What names that climb out of the interfaces folder would find.
  FakeInterfaces::WriteFileAt(net.Root(), "1\n");
  FakeInterfaces::WriteFileAt(net.Root() + L"eth9", "1\n");

  const std::pair<std::wstring, int> cases[] = {
      {L"eth0", 1},     {L"eth1", 0},     {L"down0", 0},     {L"odd0", 0},  {L"nocarrier0", -1},
      {L"eth7", -1},    {L"", -1},        {L".", -1},        {L"..", -1},   {L"..\\eth9", -1},
      {L"../eth9", -1}, {L"eth0\\", -1},  {L"C:eth0", -1},   {L"eth*", -1},
  };
  CarrierMediaStatus carrier(net.Folder());
  for (const auto& [name, expected] : cases) {
    EXPECT_EQ(carrier.ReadCarrier(name), expected) << testing::PrintToString(name);
  }
}

TEST(CarrierMediaStatus, IndicatesThePresentStateOfReadableNames) {
  FakeInterfaces net;
  net.Set(L"eth0", "1\n");
  net.Set(L"eth1", "0\n");
  CarrierMediaStatus carrier(net.Folder());
  Recorder recorder;
  EXPECT_EQ(carrier.IndicatePresent({L"eth0", L"gone", L"eth1"}, recorder.Callback()), 2);
  EXPECT_EQ(recorder.Seen(), (Indications{{L"eth0", 1}, {L"eth1", 0}}));
  EXPECT_EQ(carrier.IndicatePresent({L"gone"}, recorder.Callback()), 0);
}

TEST(CarrierMediaStatus, FollowsChangesUntilStopped) {
  FakeInterfaces net;
  net.Set(L"eth0", "1\n");
  net.Set(L"eth1", "0\n");
  CarrierMediaStatus carrier(net.Folder(), 20ms);
  Recorder recorder;
  ASSERT_TRUE(carrier.Start({L"eth0", L"eth1", L"gone"}, recorder.Callback()));
  // The present state comes at once, before Start returns.
  Indications expected = {{L"eth0", 1}, {L"eth1", 0}};
  EXPECT_EQ(recorder.Seen(), expected);

  struct Step {
    const char* what;
    void (*change)(FakeInterfaces&);
    std::pair<std::wstring, int> indication;
  };
  const Step steps[] = {
      {"eth1 plugged", [](FakeInterfaces& n) { n.Set(L"eth1", "1\n"); }, {L"eth1", 1}},
      {"eth0 unplugged", [](FakeInterfaces& n) { n.Set(L"eth0", "0\n"); }, {L"eth0", 0}},
      {"gone appears", [](FakeInterfaces& n) { n.Set(L"gone", "1\n"); }, {L"gone", 1}},
      // A vanished interface says nothing; when it is back its state is told again.
      {"eth1 vanishes and comes back",
       [](FakeInterfaces& n) {
         n.Remove(L"eth1");
         Sleep(100);
         n.Set(L"eth1", "1\n");
       },
       {L"eth1", 1}},
  };
  for (const Step& step : steps) {
    step.change(net);
    expected.push_back(step.indication);
    EXPECT_EQ(recorder.WaitFor(expected.size()), expected) << step.what;
  }

  carrier.Stop();
  EXPECT_FALSE(carrier.Running());
  net.Set(L"eth0", "1\n");
  Sleep(100);
  EXPECT_EQ(recorder.Seen(), expected) << "nothing after Stop";
}

TEST(CarrierMediaStatus, StartsOnlyWithSomethingToFollow) {
  FakeInterfaces net;
  net.Set(L"eth0", "1\n");
  CarrierMediaStatus carrier(net.Folder(), 20ms);
  Recorder recorder;
  EXPECT_FALSE(carrier.Start({}, recorder.Callback()));
  EXPECT_FALSE(carrier.Start({L"gone", L".."}, recorder.Callback()));
  EXPECT_FALSE(carrier.Start({L"eth0"}, nullptr));
  EXPECT_FALSE(carrier.Running());
  carrier.Stop();  // nothing to stop

  ASSERT_TRUE(carrier.Start({L"eth0"}, recorder.Callback()));
  EXPECT_FALSE(carrier.Start({L"eth0"}, recorder.Callback())) << "it runs already";
  carrier.Stop();
  ASSERT_TRUE(carrier.Start({L"eth0"}, recorder.Callback())) << "again after a stop";
  EXPECT_EQ(recorder.Seen(), (Indications{{L"eth0", 1}, {L"eth0", 1}}));
  // The destructor stops the thread.
}

}  // namespace
