#include "ui/SetupSwitchOnPage.h"

#include "res/AppMessages.h"
#include "res/resource.h"
#include "settings/Settings.h"
#include "settings/SwitchSettings.h"
#include "ui/ProgramFileDialog.h"
#include "win/IpHelper.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

constexpr int kControls[] = {IDC_WHEN_CONNECTIONS_LABEL,
                             IDC_WHEN_CONNECTIONS,
                             IDC_KNOWN_CONNECTIONS_LABEL,
                             IDC_KNOWN_CONNECTIONS,
                             IDC_ADD_CONNECTION,
                             IDC_WHEN_PROGRAMS_LABEL,
                             IDC_WHEN_PROGRAMS,
                             IDC_BROWSE_PROGRAM,
                             IDC_HOT_KEY_LABEL,
                             IDC_HOT_KEY,
                             IDC_HOT_KEY_TAKEN};

constexpr SettingControl kManaged[] = {
    {IDC_WHEN_CONNECTIONS, keys::WhenConnections}, {IDC_KNOWN_CONNECTIONS, keys::WhenConnections},
    {IDC_ADD_CONNECTION, keys::WhenConnections},   {IDC_WHEN_PROGRAMS, keys::WhenPrograms},
    {IDC_BROWSE_PROGRAM, keys::WhenPrograms},      {IDC_HOT_KEY, keys::HotKey},
};

using SplitFunction = std::vector<std::string> (*)(std::string_view);

// The list's text with the name added at its end, unless the list holds the
// name already, in any case.
std::string WithName(std::string list, const std::string& name, SplitFunction split)
{
    for (const std::string& held : split(list)) {
        if (lstrcmpiA(held.c_str(), name.c_str()) == 0) {
            return list;
        }
    }
    // (With nothing but blanks and separators, npos + 1 erases it all.)
    list.erase(list.find_last_not_of(" \t;") + 1);
    return list.empty() ? name : list + ';' + name;
}

// A file name as the system allows one (the folder, before the last '\',
// is dropped when the list is stored).
bool IsFileName(const std::string& name)
{
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < ' ' || std::string_view("/:*?\"<>|").find(c) != std::string_view::npos;
    });
}

}  // namespace

const win::MessageEntry<CSetupSwitchOnPage> CSetupSwitchOnPage::messages[] = {
    {WM_HOTKEY_TAKEN, &CSetupSwitchOnPage::OnHotKeyTaken},
};

const win::CommandEntry<CSetupSwitchOnPage> CSetupSwitchOnPage::commands[] = {
    {IDC_ADD_CONNECTION, &CSetupSwitchOnPage::OnAddConnection},
    {IDC_BROWSE_PROGRAM, &CSetupSwitchOnPage::OnBrowseProgram},
};

const win::NotifyEntry<CSetupSwitchOnPage> CSetupSwitchOnPage::notifications[] = {
    {IDC_HOT_KEY, EN_CHANGE, &CSetupSwitchOnPage::OnHotKeyChanged},
};

const win::MessageMap<CSetupSwitchOnPage> CSetupSwitchOnPage::messageMap = {messages, commands, notifications, {}};

CSetupSwitchOnPage::CSetupSwitchOnPage(bool hotKeyTaken) : CSetupPage("Switch ON", kControls), hotKeyTaken(hotKeyTaken)
{
}

void CSetupSwitchOnPage::Prepare()
{
    const HWND known = Item(IDC_KNOWN_CONNECTIONS);
    for (const std::string& name : win::CurrentConnectionNames()) {
        SendMessageA(known, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    const bool anyKnown = SendMessageA(known, CB_SETCURSEL, 0, 0) != CB_ERR;
    EnableWindow(known, anyKnown);
    EnableWindow(Item(IDC_ADD_CONNECTION), anyKnown);

    // Shift or nothing with a key would take that key from every program.
    SendMessageA(Item(IDC_HOT_KEY), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
}

void CSetupSwitchOnPage::Read()
{
    const SwitchSettings stored = SwitchSettings::Read();
    connections = switch_settings::JoinNames(stored.connections);
    programs = switch_settings::JoinNames(stored.programs);
    hotKey = stored.hotKey;
}

void CSetupSwitchOnPage::Exchange(win::CDataExchange& exchange)
{
    exchange.Text(IDC_WHEN_CONNECTIONS, connections, switch_settings::kMostListChars);
    exchange.Text(IDC_WHEN_PROGRAMS, programs, switch_settings::kMostListChars);
    for (const std::string& program : switch_settings::SplitProgramNames(programs)) {
        if (!IsFileName(program)) {
            exchange.Fail(IDC_WHEN_PROGRAMS,
                          '"' + program + "\" is not a program's file name: it may not hold any of / : * ? \" < > |.");
        }
    }
    exchange.HotKey(IDC_HOT_KEY, hotKey);
}

// The lists are stored as the activity reads them: trimmed names, programs
// without their folders.
void CSetupSwitchOnPage::Write() const
{
    settings::Write(keys::WhenConnections, switch_settings::JoinNames(switch_settings::SplitNames(connections)));
    settings::Write(keys::WhenPrograms, switch_settings::JoinNames(switch_settings::SplitProgramNames(programs)));
    settings::Write(keys::HotKey, hotKey);
}

bool CSetupSwitchOnPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return win::DispatchMessageMap(*this, messageMap, message, wParam, lParam, result);
}

win::TableRef<SettingControl> CSetupSwitchOnPage::ManagedControls() const
{
    return kManaged;
}

bool CSetupSwitchOnPage::ShowsNow(int controlId) const
{
    return controlId != IDC_HOT_KEY_TAKEN || hotKeyTaken;
}

void CSetupSwitchOnPage::OnAddConnection()
{
    const std::string name = win::WindowText(Item(IDC_KNOWN_CONNECTIONS));
    if (!name.empty()) {
        const std::string list = win::WindowText(Item(IDC_WHEN_CONNECTIONS));
        SetDlgItemTextA(Dialog(), IDC_WHEN_CONNECTIONS, WithName(list, name, switch_settings::SplitNames).c_str());
    }
}

void CSetupSwitchOnPage::OnBrowseProgram()
{
    std::string program;
    if (ChooseProgramFile(Dialog(), program)) {
        const std::string list = win::WindowText(Item(IDC_WHEN_PROGRAMS));
        SetDlgItemTextA(Dialog(), IDC_WHEN_PROGRAMS,
                        WithName(list, program, switch_settings::SplitProgramNames).c_str());
    }
}

LRESULT CSetupSwitchOnPage::OnHotKeyTaken(WPARAM taken, LPARAM)
{
    hotKeyTaken = taken != 0;
    ShowAgain();
    return 0;
}

// Whether another key is free is known only once it is applied.
void CSetupSwitchOnPage::OnHotKeyChanged()
{
    if (hotKeyTaken) {
        hotKeyTaken = false;
        ShowAgain();
    }
}
