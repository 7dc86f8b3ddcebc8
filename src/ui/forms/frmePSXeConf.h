#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/Services.h"
#include "app/clsRegistry.h"
#include "ui/Form.h"

// The window that edits ePSXe's own settings in its registry key.
class frmePSXeConf : public Form {
public:
    // The drive roots of the main window's CD-ROM list ("D:\").
    frmePSXeConf(Services& services, std::vector<std::string> cdromDrives);

    Frame fraGeneral, fraSound, fraCDRom, fraCards;
    Label lblBios, lblCountry, lblCDROM, lblCard1, lblCard2;
    // 0 the BIOS, 1 card 1, 2 card 2.
    std::array<TextBox, 3> txtLocation;
    std::array<Button, 3> cmdBrowse;
    std::array<Button, 2> cmdNew, cmdConvert;  // cards 1 and 2
    ComboBox cmbCountry, cmbCDROM;
    CheckBox chkAutoPpf, chkSound, chkCDDA, chkXA, chkIrq, chkSubchannel, chkSubchannelCaching, chkCachingLG;
    Button cmdOK, cmdCancel;

    void cmdBrowse_Click(int index);
    void cmdNew_Click(int card);
    void cmdConvert_Click(int card);
    void cmdOK_Click();

private:
    void buildControls();
    void loadValues();
    std::string read(const std::string& value, const std::string& fallback);
    void write(const std::string& value, const std::string& text);
    std::optional<std::string> askCardPath(const std::string& title, bool (*accepted)(const std::string&));
    void putCard(int card, const std::string& path, const std::string& bytes);
    // Shows why a card file was refused, if it was; true when it was.
    bool refused(const std::optional<std::string>& problem);

    Services& services_;
    clsRegistry registry_;
    std::vector<std::string> drives_;
    // "W2k" for "W2KCDRCORE": the part of the CD-ROM value names that the
    // built-in core picks; empty for a CD-ROM plug-in library.
    std::string core_;
};
