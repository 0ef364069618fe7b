#pragma once
// The "URL" tab: web or FTP contacts, random or sequential order, and the
// ten hosts of each protocol.
#include "ui/HostLists.h"
#include "ui/OptionGroup.h"
#include "ui/SetupPage.h"

#include <string>

class CSetupUrlPage : public CSetupPage {
public:
    CSetupUrlPage();

    void Read() override;
    void Exchange(win::CDataExchange& exchange) override;
    void Write() const override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool DisableManaged() const override;

protected:
    win::TableRef<SettingControl> ManagedControls() const override;

private:
    keys::HostList ChosenList() const;
    void FillHostList();
    // Change URL only for an entry that no policy sets.
    void EnableChangeUrl();
    void OnChangeUrl();

    static const win::CommandEntry<CSetupUrlPage> commands[];
    static const win::NotifyEntry<CSetupUrlPage> notifications[];
    static const win::MessageMap<CSetupUrlPage> messageMap;

    COptionGroup protocol;
    COptionGroup order;
    CHostLists hosts;
    std::string defaultUrl;
};
