// The ePSXe settings window: the registry values it shows and writes, and
// the memory cards it makes, checks and converts.
#include "epsxe/clsMemCard.h"
#include "ui/MainFixture.h"

namespace {
const char* const kKey = "Software\\epsxe\\config";
using Values = std::vector<std::pair<std::string, std::string>>;

class EPSXeSettingsTest : public MainFixture {
protected:
    EPSXeSettingsTest() {
        drives.add("C:\\", DriveType::Fixed);
        drives.add("D:\\", DriveType::CdRom);
        drives.add("X:\\", DriveType::CdRom);
        windows.fileExists = [this](const std::string& path) { return files.exists(path); };
        settings("[Configuration]\r\nLastEmu=1\r\n[Emulators]\r\nName1=ePSXe\r\nSystem1=6\r\nType1=ePSXe\r\n"
                 "Exe1=C:\\e\\epsxe.exe\r\nPlugins1=C:\\e\\plugins\r\n");
    }
    frmePSXeConf& open(const Values& stored) {
        for (const auto& [name, data] : stored) registry.setString(kKey, name, data);
        start();
        main.mnuFileConfigEmu.click();
        return *main.ePSXeConfDialog();
    }
    void expectWritten(const Values& wanted) {
        for (const auto& [name, data] : wanted) EXPECT_EQ(value(kKey, name), data) << name;
    }
};

TEST_F(EPSXeSettingsTest, ShowsTheStoredSettingsAndWritesThemBackWhole) {
    const std::string card = "C:\\e\\memcards\\\xE6\x9D\xB1\xE4\xBA\xAC.mcr";
    frmePSXeConf& dialog = open({{"CdromPlugin", "W2KCDRCORE"}, {"BiosName", "C:\\e\\scph1001.bin"}, {"Country", "1"},
                                 {"CdromLetter", "88"}, {"SubchannelW2kCdromEnabled", "1"}, {"Memcard1", card},
                                 {"Memcard2", "two.mcr"}});
    EXPECT_EQ(dialog.txtLocation[0].text(), "C:\\e\\scph1001.bin");
    EXPECT_EQ(dialog.cmbCountry.text(), "PAL (Europe)");
    EXPECT_EQ(dialog.cmbCDROM.items(), (std::vector<std::string>{"Auto-detect!", "D:\\", "X:\\"}));
    EXPECT_EQ(dialog.cmbCDROM.text(), "X:\\") << "88 is the code of X";
    EXPECT_TRUE(dialog.chkSubchannel.checked());
    EXPECT_TRUE(dialog.chkSound.checked()) << "no value: sound on";
    dialog.chkIrq.click();
    dialog.cmbCDROM.choose(1);
    dialog.cmbCountry.choose(0);
    dialog.cmdOK.click();
    EXPECT_TRUE(dialog.closed());
    expectWritten({{"SoundSpuIrq", "1"}, {"SoundEnabled", "1"}, {"CdromLetter", "68"}, {"Country", "255"},
                   {"SubchannelW2kCdromEnabled", "1"}, {"SubchannelW2kCachingLG", "0"}, {"Memcard1", card}});
}

TEST_F(EPSXeSettingsTest, APluginForTheCdromLeavesItsGroupAloneAndBlankFieldsWriteNothing) {
    frmePSXeConf& dialog = open({{"CdromPlugin", "cdrPeops.dll"}, {"BiosName", "bios.bin"}, {"Memcard1", "one.mcr"}});
    EXPECT_FALSE(dialog.cmbCDROM.enabled() || dialog.chkCachingLG.enabled());
    dialog.cmdOK.click();
    EXPECT_EQ(lastTitle(), "Blank Text Field");
    EXPECT_FALSE(dialog.closed());
    expectWritten({{"SoundEnabled", "(missing)"}});
    dialog.txtLocation[2].type("two.mcr");
    dialog.txtLocation[0].pressDelete();
    EXPECT_EQ(dialog.txtLocation[0].text(), "");
    dialog.txtLocation[0].type("bios.bin");
    dialog.cmdOK.click();
    expectWritten({{"Memcard2", "two.mcr"}, {"CdromLetter", "(missing)"}, {"SubchannelW9xCdromEnabled", "(missing)"}});
}

TEST_F(EPSXeSettingsTest, NewCardsAreBareImagesAndACardOfTheWrongSizeIsRefused) {
    files.addDirectory("C:\\cards");
    files.addFile("C:\\cards\\short.mcr", std::string(clsMemCard::kCardSize - 1, 'M'));
    frmePSXeConf& dialog = open({});
    windows.queueFile(std::string("C:\\cards\\one.gme"));
    windows.queueFile(std::string("C:\\cards\\one.mcr"));
    dialog.cmdNew[0].click();
    EXPECT_EQ(windows.shownBoxes().back().text, "Memory card format not supported") << "a .gme would hold no .gme";
    EXPECT_EQ(dialog.txtLocation[1].text(), "C:\\cards\\one.mcr");
    std::string empty = "MC" + std::string(clsMemCard::kCardSize - 2, '\0');
    empty[127] = 0x0E;  // the header's checksum; each directory frame free, its checksum too
    for (std::size_t frame = 128; frame < 16 * 128; frame += 128) empty[frame] = empty[frame + 127] = '\xA0';
    EXPECT_TRUE(files.contents("C:\\cards\\one.mcr") == empty);

    windows.queueFile(std::string("C:\\cards\\short.mcr"));
    dialog.cmdBrowse[2].click();
    EXPECT_EQ(windows.shownBoxes().back().text, "File is in a wrong format.");
    EXPECT_EQ(dialog.txtLocation[2].text(), "") << "the field stays as it was";
    windows.queueFile(std::string("C:\\cards\\one.mcr"));
    dialog.cmdBrowse[2].click();
    EXPECT_EQ(dialog.txtLocation[2].text(), "C:\\cards\\one.mcr");
}

TEST_F(EPSXeSettingsTest, CardsConvertToEachFormatAndBackByteForByteAndACardThatFailsItsCheckIsNeverWritten) {
    std::string saved = clsMemCard::EmptyCard();
    saved[128] = 0x51;                       // block 1 holds a save of one block
    saved[136] = static_cast<char>(0xFF);  // with no next block
    saved.replace(8192, 2, "SC");
    files.addFile("C:\\cards\\saved.mcr", saved);
    files.addFile("C:\\cards\\short.gme", "123-456-STD" + std::string(3904 - 11 + clsMemCard::kCardSize - 1, '\0'));
    files.addFile("C:\\cards\\blank.mem", std::string(clsMemCard::kCardSize + 64, '\0'));
    frmePSXeConf& dialog = open({{"Memcard1", "C:\\cards\\saved.mcr"}, {"Memcard2", "C:\\cards\\short.gme"}});
    dialog.cmdConvert[1].click();
    EXPECT_EQ(windows.shownBoxes().back().text, "File is in a wrong format.");
    EXPECT_TRUE(windows.fileDialogTitles().empty()) << "refused before a name is asked for";
    dialog.txtLocation[2].setText("C:\\cards\\blank.mem");
    windows.queueFile(std::string("C:\\cards\\blank.mcr"));
    dialog.cmdConvert[1].click();
    EXPECT_EQ(windows.shownBoxes().size(), 2u) << "a bare card must start with MC";
    EXPECT_FALSE(files.exists("C:\\cards\\blank.mcr"));

    // What each format puts before the image.
    const auto padded = [](std::string start, std::size_t size) { return start.append(size - start.size(), '\0'); };
    const std::string dexDrive = std::string("123-456-STD\0\0\0\0\0\0\0\1\0\1M\x51", 23) + std::string(14, '\xA0') +
                                 std::string("\0\xFF", 2);
    const std::pair<const char*, std::string> formats[] = {
        {"mem", padded(std::string("VgsM\1\0\0\0\1\0\0\0\1\0\0\0\0\2", 18), 64)},
        {"gme", padded(dexDrive, 3904)}, {"mcd", ""}, {"ddf", ""}, {"psx", ""}, {"ps", ""}, {"psm", ""}};
    for (const auto& [extension, header] : formats) {
        const std::string converted = "C:\\cards\\saved." + std::string(extension);
        windows.queueFile(converted);
        windows.queueFile(std::string("C:\\cards\\back.mcr"));
        dialog.cmdConvert[0].click();
        EXPECT_TRUE(files.contents(converted) == header + saved) << extension;
        EXPECT_EQ(dialog.txtLocation[1].text(), converted);
        dialog.cmdConvert[0].click();
        EXPECT_TRUE(files.contents("C:\\cards\\back.mcr") == saved) << extension << " and back";
        EXPECT_EQ(dialog.txtLocation[1].text(), "C:\\cards\\back.mcr");
    }
}
}  // namespace
