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
    registry.SaveRegLong(HKCU, key, "Version", 170);
    EXPECT_EQ(registry.GetRegString(HKCU, key, "VideoPlugin", "invalid"), "gpuPeteOpenGL2.dll");
    EXPECT_EQ(registry.GetRegString(HKCU, key, "Empty", "invalid"), "") << "empty is not missing";
    EXPECT_EQ(registry.GetRegString(HKCU, key, "Expand", "invalid"), "invalid");
    EXPECT_EQ(registry.GetRegString(HKCU, key, "Multi", "invalid"), "invalid");
    EXPECT_EQ(registry.GetRegString(HKCU, key, "Version", "invalid"), "invalid") << "no conversion";
    EXPECT_EQ(registry.GetRegString(0x80000002, key, "VideoPlugin", "other root"), "other root");
}

TEST(clsRegistry, NumbersBytesAndDeletes) {
    FakeRegistry store;
    clsRegistry registry(store);
    const std::string key = "Software\\Pcsx";
    registry.SaveRegLong(HKCU, key, "Long", -5);
    EXPECT_EQ(registry.GetRegLong(HKCU, key, "Long"), -5);
    EXPECT_EQ(registry.GetRegLong(HKCU, key, "Missing", 9), 9);
    registry.SaveRegString(HKCU, key, "Text", "12");
    EXPECT_EQ(registry.GetRegLong(HKCU, key, "Text", 9), 9);
    store.plantValue(key, "Short", 4, std::string("\x07\x00", 2));
    EXPECT_EQ(registry.GetRegLong(HKCU, key, "Short", 9), 9) << "a REG_DWORD of two bytes is no number";

    registry.SaveRegByte(HKCU, key, "Bytes", {0, 255, 7});
    EXPECT_EQ(registry.GetRegByte(HKCU, key, "Bytes"), (std::vector<std::uint8_t>{0, 255, 7}));
    registry.SaveRegByte(HKCU, key, "None", {});
    EXPECT_EQ(registry.GetRegByte(HKCU, key, "None"), std::vector<std::uint8_t>{}) << "an empty array";
    EXPECT_FALSE(registry.GetRegByte(HKCU, key, "Long").has_value());
    EXPECT_EQ(registry.GetRegByte(HKCU, key, "Missing", std::vector<std::uint8_t>{1}), std::vector<std::uint8_t>{1});

    registry.DelRegValue(HKCU, key, "Long");
    EXPECT_EQ(registry.GetRegLong(HKCU, key, "Long", 3), 3);
    registry.CreateRegKey(HKCU, key + "\\Sub");
    EXPECT_NE(registry.DelRegKey(HKCU, key), 0) << "a key with subkeys stays";
    EXPECT_EQ(registry.DelRegKey(HKCU, key + "\\Sub"), 0);
    EXPECT_EQ(registry.DelRegKey(HKCU, key), 0);
    EXPECT_FALSE(store.keyExists(key));
}
}  // namespace
