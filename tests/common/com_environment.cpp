// COM for the whole test program, set up as the programs do before they touch WMI.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

namespace {

class ComEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                         RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
  }
  void TearDown() override { CoUninitialize(); }
};

testing::Environment* const g_comEnvironment = testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace
