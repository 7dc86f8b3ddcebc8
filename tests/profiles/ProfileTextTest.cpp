// What of a profile's registry text may reach the registry tool: the keys a
// profile may write, the entries left out, and the encodings kept.
#include <gtest/gtest.h>

#include "app/Utf16.h"
#include "profiles/Profile.h"
#include "profiles/ProfileText.h"

namespace {
const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";

ProfileKeys Allowed() { return AllowedProfileKeys({{"Glide", "HKCU\\Software\\Glide64\\"}}); }

ProfileContents Sorted(const std::string& bytes) {
    ProfileContents contents;
    EXPECT_FALSE(SortProfile(bytes, Allowed(), contents));
    return contents;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

TEST(ProfileKeys, TheKeysOfPluginsEmulatorsAndN64PathsWithTheirSubkeysInAnySpelling) {
    const ProfileKeys allowed = Allowed();
    for (const char* key : {"HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu Pro",
                            "hkcu\\SOFTWARE\\vision thing\\psemu pro\\GPU\\Settings",
                            "HKEY_CURRENT_USER\\Software\\epsxe\\config", "HKCU\\Software\\Pcsx\\",
                            "Hkey_Current_User\\Software\\PSXeven\\PS7gui\\Settings",
                            "HKEY_CURRENT_USER\\Software\\N64 Emulation\\Project64 Version 1.2\\Dll",
                            "HKEY_CURRENT_USER\\Software\\N64 Emulation\\Project64 Version 1.5\\Dll\\Extra",
                            "HKEY_CURRENT_USER\\Software\\1964emu\\GUI", "HKCU\\Software\\1964emu_084\\GUI",
                            "HKEY_CURRENT_USER\\Software\\Glide64", "HKEY_CURRENT_USER\\Software\\Glide64\\ROMs\\Mario"})
        EXPECT_TRUE(allowed.allows(key)) << key;
    for (const char* key : {"HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu ProX",
                            "HKEY_CURRENT_USER\\Software\\Vision Thing",
                            "HKEY_LOCAL_MACHINE\\Software\\Vision Thing\\PSEmu Pro",
                            "HKEY_USERS\\S-1-5-21\\Software\\Pcsx", "Software\\Pcsx",
                            "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                            "HKEY_CURRENT_USER\\Software\\PSXeven", "HKEY_CURRENT_USER\\Software\\epsxe\\configs",
                            "HKEY_CURRENT_USER\\Software\\N64 Emulation\\Project64 Version 1.6\\Dll",
                            "HKEY_CURRENT_USER\\Software\\1964emu_099", "HKEY_CURRENT_USER\\Software\\Glide",
                            "HKEY_CURRENT_USER", "HKEY_CURRENT_USERX\\Software\\Pcsx", ""})
        EXPECT_FALSE(allowed.allows(key)) << key;
    EXPECT_FALSE(ProfileKeys().allows("HKEY_CURRENT_USER\\Software\\Pcsx")) << "nothing allowed";
    const ProfileKeys broad = AllowedProfileKeys({{"Root", "HKEY_CURRENT_USER"}, {"Soft", "HKCU\\Software\\"}});
    EXPECT_FALSE(broad.allows("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"))
        << "an N64 path opens no root and no key right below one";
}

TEST(ProfileText, ASharedProfileWritesOnlyItsOwnKeysAndDeletesNothing) {
    const ProfileContents contents = Sorted(
        std::string(kUtf16Mark) +
        Utf8ToUtf16(kHeader +
                    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
                    "\"ceoEvil\"=\"C:\\\\evil.exe\"\r\n\r\n"
                    "[-HKEY_CURRENT_USER\\Software\\CeoKeep]\r\n"
                    "[-HKEY_CURRENT_USER\\Software\\Pcsx]\r\n"
                    "  [HKCU\\Software\\Pcsx]\r\n"
                    "\"gpu\"=\"gpu\xD0\x9A.dll\" ; a comment\r\n"
                    "\"pad1\"=-\r\n"
                    "@ = -\r\n"
                    "\"a \\\"quoted\\\" name\"=dword:1A\r\n"
                    // A lone CR ends a line for the registry tool as well.
                    "\"spu\"=\"spu.dll\"\r[HKEY_CURRENT_USER\\Software\\Smuggled]\r\n\"x\"=\"y\"\r\n"
                    "[ HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"after\"=\"a line nobody reads\"\r\n"
                    "[HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu ProX]\r\n"
                    "[corvane]\r\nConfigName=Shared\r\n\"gpu\"=\"not registry text\"\r\n"
                    "[HKEY_CURRENT_USER\\Software\\epsxe\\config]\r\n\"Odd\"=text\r\n\"bad\"=hex:1,zz\r\n"));
    EXPECT_EQ(Joined(contents.lines), "[HKCU\\Software\\Pcsx]\n"
                                      "\"gpu\"=\"gpu\xD0\x9A.dll\"\n"
                                      "\"a \\\"quoted\\\" name\"=dword:0000001a\n"
                                      "\"spu\"=\"spu.dll\"\n"
                                      "[HKEY_CURRENT_USER\\Software\\epsxe\\config]\n");
    EXPECT_EQ(Joined(contents.leftOut),
              "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\n"
              "HKEY_CURRENT_USER\\Software\\CeoKeep (deletion of the key)\n"
              "HKEY_CURRENT_USER\\Software\\Pcsx (deletion of the key)\n"
              "HKCU\\Software\\Pcsx, value \"pad1\" (deletion of the value)\n"
              "HKCU\\Software\\Pcsx, value @ (deletion of the value)\n"
              "HKEY_CURRENT_USER\\Software\\Smuggled\n"
              "[ HKEY_CURRENT_USER\\Software\\Pcsx] (a key line that cannot be read)\n"
              "HKEY_CURRENT_USER\\Software\\Vision Thing\\PSEmu ProX\n"
              "HKEY_CURRENT_USER\\Software\\epsxe\\config, value \"Odd\" (data that cannot be read)\n"
              "HKEY_CURRENT_USER\\Software\\epsxe\\config, value \"bad\" (data that cannot be read)\n");
    ASSERT_EQ(contents.values.size(), 3u);
    EXPECT_EQ(contents.values[1].name, "a \"quoted\" name");
    EXPECT_EQ(contents.values[1].data.number, 0x1Au);
    EXPECT_EQ(TextOfFile(ImportCopy(contents)).rfind(kHeader + "[HKCU\\Software\\Pcsx]\r\n", 0), 0u);
}

TEST(ProfileText, EachEncodingReachesTheRegistryToolAsWritten) {
    // 8-bit REGEDIT4: as written, header and all, so hex(2) data stays 8-bit.
    const std::string regedit4 = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"Bios\"=\"caf\xE9\"\r\n"
                                 "\"Path\"=hex(2):25,41,25,00\r\n";
    const ProfileContents old = Sorted(regedit4);
    EXPECT_EQ(ImportCopy(old), regedit4);
    EXPECT_EQ(old.values[1].data.text, "%A%");

    // UTF-8 after its mark: UTF-16 for the tool, characters whole.
    const ProfileContents utf8 =
        Sorted("\xEF\xBB\xBF" + kHeader + "[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"gpu\"=\"gpu\xD0\x9A\xE4\xB8\x9A.dll\"\r\n");
    EXPECT_EQ(ImportCopy(utf8), kUtf16Mark + Utf8ToUtf16(kHeader + "[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n"
                                                         "\"gpu\"=\"gpu\xD0\x9A\xE4\xB8\x9A.dll\"\r\n"));
    // ... and a REGEDIT4 text in UTF-8 gets its 8-bit string data in UTF-16.
    const ProfileContents utf8Regedit4 = Sorted("\xEF\xBB\xBFREGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n"
                                                "\"Path\"=hex(2):25,41,25,00\r\n\"Raw\"=hex:25,41\r\n");
    EXPECT_EQ(ImportCopy(utf8Regedit4), kUtf16Mark + Utf8ToUtf16(kHeader + "[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n"
                                                                 "\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n"
                                                                 "\"Raw\"=hex:25,41\r\n"));

    // UTF-16 stays UTF-16; a profile without a header gets one.
    const ProfileContents wide = Sorted(std::string(kUtf16Mark) + Utf8ToUtf16("[HKCU\\Software\\Pcsx]\r\n\"a\"=\"b\"\r\n"));
    EXPECT_EQ(ImportCopy(wide), kUtf16Mark + Utf8ToUtf16(kHeader + "[HKCU\\Software\\Pcsx]\r\n\"a\"=\"b\"\r\n"));
}

TEST(ProfileText, DamagedTextIsReportedNotRead) {
    const std::string key = "[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n";
    const std::pair<std::string, const char*> damaged[] = {
        {kHeader + key + std::string("\"a\"=\"b\0c\"\r\n", 11), "it holds a NUL character"},
        {std::string(kUtf16Mark) + Utf8ToUtf16(key) + std::string("\x00\xD8\x41\x00", 4), "its text is not valid UTF-16"},
        {"\xEF\xBB\xBF" + key + "\"a\"=\"\xED\xA0\x80\"\r\n", "its text is not valid UTF-8"},
    };
    for (const auto& [bytes, reason] : damaged) {
        ProfileContents contents;
        EXPECT_EQ(SortProfile(bytes, Allowed(), contents).value_or("read"), reason) << bytes;
        EXPECT_TRUE(contents.lines.empty());
    }
    ProfileContents odd;
    EXPECT_FALSE(SortProfile(std::string(kUtf16Mark) + Utf8ToUtf16(key) + "\x1A", Allowed(), odd)) << "a stray last byte";
    EXPECT_EQ(odd.lines.size(), 1u);
}
}  // namespace
