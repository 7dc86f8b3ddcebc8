#include "app/clsRegistry.h"

#include <gtest/gtest.h>

#include "doubles/FakeRegistry.h"

namespace {
constexpr std::uint32_t HKCU = clsRegistry::kCurrentUser;
constexpr unsigned kRegExpandSz = 2, kRegMultiSz = 7;

TEST(clsRegistry, ReadsStringsOnlyFromStringValues) {
    FakeRegistry store;
    clsRegistry registry(store);
    const std::string key = "Software\\epsxe\\config";
    EXPECT_EQ(registry.GetRegString(HKCU, key, "VideoPlugin"), "") << "missing key, no default";
    EXPECT_EQ(registry.GetRegString(HKCU, key, "VideoPlugin", "invalid"), "invalid");

    registry.SaveRegString(HKCU, key, "VideoPlugin", "gpuPeteOpenGL2.dll");
    registry.SaveRegString(HKCU, key, "Empty", "");
    store.plantValue(key, "Expand", kRegExpandSz, std::string("gpu.dll\0", 8));
    store.plantValue(key, "Multi", kRegMultiSz, std::string("a\0b\0\0", 5));
    store.setDword(key, "Version", 170);
    EXPECT_EQ(registry.GetRegString(HKCU, key, "VideoPlugin", "invalid"), "gpuPeteOpenGL2.dll");
    EXPECT_EQ(registry.GetRegString(HKCU, key, "Empty", "invalid"), "") << "empty is not missing";
    EXPECT_EQ(registry.GetRegString(HKCU, key, "Expand", "invalid"), "invalid");
    EXPECT_EQ(registry.GetRegString(HKCU, key, "Multi", "invalid"), "invalid");
    EXPECT_EQ(registry.GetRegString(HKCU, key, "Version", "invalid"), "invalid") << "no conversion";
    EXPECT_EQ(registry.GetRegString(0x80000002, key, "VideoPlugin", "other root"), "other root");
}

}  // namespace
