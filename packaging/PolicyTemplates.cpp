// Writes the Group Policy templates of Quellor's settings from the program's
// own key table, so that names, kinds and ranges cannot drift apart:
//   PolicyTemplates VERSION FOLDER
// writes FOLDER/Quellor.admx and FOLDER/en-US/Quellor.adml. It is built for
// the build machine, not for Windows. A flag (a key that a policy may set to
// 0 or 1 only) becomes a policy of its own, Enabled 1 and Disabled 0; any
// other key a box of its policy, a number box with the key's range or a
// text box.
#include "settings/SettingsKeys.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Setting {
    Setting(const keys::IntKey& key, const char* label) : number(&key), label(label) {}
    Setting(const keys::TextKey& key, const char* label) : text(&key), label(label) {}

    const char* Name() const { return number != nullptr ? number->name : text->name; }

    const keys::IntKey* number = nullptr;
    const keys::TextKey* text = nullptr;
    const char* label;
};

struct PolicyText {
    const char* name;
    const char* displayName;
    const char* explanation;
    std::vector<Setting> settings;

    bool IsFlag() const
    {
        return settings.size() == 1 && settings[0].number != nullptr && settings[0].number->lowest == 0 &&
               settings[0].number->highest == 1;
    }
};

constexpr const char* kUnset = "\n\nNot configured: each user chooses in Quellor's Set Up dialog.";

std::vector<Setting> HostSettings(keys::HostList list)
{
    static const char* const labels[keys::kHostCount] = {
        "Host 1:", "Host 2:", "Host 3:", "Host 4:", "Host 5:", "Host 6:", "Host 7:", "Host 8:", "Host 9:", "Host 10:"};
    std::vector<Setting> hosts;
    for (int i = 0; i < keys::kHostCount; ++i) {
        hosts.emplace_back(keys::HostKey(list, i), labels[i]);
    }
    return hosts;
}

std::vector<PolicyText> Policies()
{
    return {
        {"StartUp",
         "Do not show the Set Up dialog when Quellor starts",
         "Enabled: Quellor starts in the notification area without opening its Set Up dialog.\n\nDisabled: the "
         "Set Up dialog opens at every start.",
         {{keys::StartUp, ""}}},
        {"AutoNetSense",
         "Switch ON and OFF with dial-up connections (AutoNetSense)",
         "Enabled: Quellor switches itself ON when a connection of Windows' dial-up service (dial-up, PPPoE, "
         "mobile broadband through a modem, Windows' own VPN client) comes up, and OFF when the last one goes. "
         "Takes effect at Quellor's next start.\n\nDisabled: never by itself.",
         {{keys::AutoNetSense, ""}}},
        {"IsHttp",
         "Contact hosts by HTTP",
         "Enabled: each contact is a web contact to one of the web hosts.\n\nDisabled: an FTP contact to one of "
         "the FTP hosts.",
         {{keys::IsHttp, ""}}},
        {"IsRand",
         "Pick hosts at random",
         "Enabled: each contact goes to a host of the list picked at random.\n\nDisabled: to the hosts in turn.",
         {{keys::IsRand, ""}}},
        {"DefaultMin",
         "Minutes between contacts",
         "While Quellor is ON it makes one small network contact every so many minutes, 1 to 10. Choose fewer "
         "minutes than the line's idle timeout.",
         {{keys::DefaultMin, "Minutes between contacts:"}}},
        {"Proxy",
         "Contact through a proxy server",
         "Enabled: contacts go through the proxy server of the policy \"Proxy server address\" (or the user's "
         "own).\n\nDisabled: contacts go straight to the hosts.",
         {{keys::Proxy, ""}}},
        {"ProxyIP3",
         "Proxy server address",
         "The address of the proxy server that contacts go through.",
         {{keys::ProxyIP3, "Address:"}}},
        {"Port", "Port", "The port number beside the proxy server's address, 0 to 65535.", {{keys::Port, "Port:"}}},
        {"HttpHosts", "Web hosts",
         "The ten hosts of web contacts, as bare host names (intranet.example.com). Fill every box: give a host "
         "several times to contact it more often.",
         HostSettings(keys::HostList::Http)},
        {"FtpHosts", "FTP hosts",
         "The ten hosts of FTP contacts, as bare host names. Fill every box: give a host several times to contact "
         "it more often.",
         HostSettings(keys::HostList::Ftp)},
        {"AOL47",
         "Title of the America Online warning",
         "The title of America Online's idle warning window, which Quellor closes while it is ON.",
         {{keys::AOL47, "Title:"}}},
        {"ProdigyMSG",
         "Title of the Prodigy warning",
         "The title of Prodigy's idle warning window, which Quellor closes while it is ON.",
         {{keys::ProdigyMSG, "Title:"}}},
        {"WhenConnections",
         "Switch ON while these connections are connected",
         "Names of network connections as Network Connections shows them, separated by ;. Quellor is ON while "
         "one of them is connected, and goes OFF when the last of them goes.",
         {{keys::WhenConnections, "Connections:"}}},
        {"WhenPrograms",
         "Switch ON while these programs run",
         "File names of programs (download.exe), separated by ;. Quellor is ON while one of them runs.",
         {{keys::WhenPrograms, "Programs:"}}},
        {"Schedule",
         "Switch ON on a schedule",
         "Quellor is ON on the chosen days from a time to a time. Days: add up Sunday 1, Monday 2, Tuesday 4, "
         "Wednesday 8, Thursday 16, Friday 32 and Saturday 64 (Monday to Friday: 62); 0 is no schedule. Times in "
         "minutes after midnight (8:00 is 480). A window that crosses midnight belongs to the day it starts on; "
         "equal times mean the whole day.",
         {{keys::WhenDays, "Days:"},
          {keys::WhenFrom, "From, minutes after midnight:"},
          {keys::WhenTo, "To, minutes after midnight:"}}},
        {"HotKey",
         "Hot key",
         "The key that switches Quellor ON and OFF from any program: its virtual-key code, plus 256 for Shift, "
         "512 for Ctrl and 1024 for Alt (Ctrl+Alt+Q is 81 + 512 + 1024 = 1617). 0: none.",
         {{keys::HotKey, "Hot key:"}}},
        {"KeepAwake",
         "Keep the computer awake while Quellor is ON",
         "Enabled: while Quellor is ON, Windows does not put the computer to sleep for idleness; the display may "
         "still turn off.\n\nDisabled: Windows sleeps as it is set to.",
         {{keys::KeepAwake, ""}}},
        {"KeepAwakeOnBattery",
         "Keep the computer awake on battery power too",
         "Enabled: while Quellor keeps the computer awake, it does so on battery power too.\n\nDisabled: on "
         "battery power Quellor lets the computer sleep as its power plan says, and keeps it awake again on mains "
         "power.",
         {{keys::KeepAwakeOnBattery, ""}}},
        {"OnlyWhenQuiet",
         "Contact only when the line has been quiet",
         "Enabled: a contact is made only when the line (the interface of the default route) has carried no more "
         "than 4 KB since the last one was due; while the user downloads or streams, the line cannot look idle "
         "and Quellor leaves it alone.\n\nDisabled: a contact every period, as set.",
         {{keys::OnlyWhenQuiet, ""}}},
        {"Redial",
         "Dial these connections again when they drop",
         "Names of connections of Windows' dial-up service (dial-up, PPPoE, VPN) as their phonebook entries are "
         "called, separated by ;. While Quellor is ON, it dials each of them that is not connected, with the user "
         "name and password saved for it, and tries again after 30 s, 2 min, 5 min and then every 15 min; it "
         "stops after 10 failures in a row, and at once at an error that needs the user (a wrong password, a "
         "disabled account). Empty: Quellor dials nothing.",
         {{keys::Redial, "Connections:"}}},
        {"Balloons",
         "Show balloons about connections dialed again",
         "Enabled: Quellor tells in a balloon from its icon when a connection it dials again drops, when it is "
         "back and when Quellor stops dialing it.\n\nDisabled: no balloons; the tip still tells.",
         {{keys::Balloons, ""}}},
        {"History",
         "Keep a record of the line",
         "Enabled: Quellor writes one line for each switch ON or OFF, each contact, each connection going down or "
         "coming up and each dial to history.csv in the user's local application data folder; the record stays "
         "on the computer.\n\nDisabled: Quellor writes no record.",
         {{keys::History, ""}}},
    };
}

std::string Escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string PolicyElement(const PolicyText& policy)
{
    std::string xml = std::string("    <policy name=\"") + policy.name + "\" class=\"Both\" displayName=\"$(string." +
                      policy.name + ")\" explainText=\"$(string." + policy.name + "_Explain)\" key=\"" +
                      keys::kPolicyPath + "\"";
    if (policy.IsFlag()) {
        return xml + " valueName=\"" + policy.settings[0].Name() +
               "\">\n      <parentCategory ref=\"Quellor\"/>\n      <supportedOn ref=\"SUPPORTED_Quellor\"/>\n"
               "      <enabledValue><decimal value=\"1\"/></enabledValue>\n"
               "      <disabledValue><decimal value=\"0\"/></disabledValue>\n    </policy>\n";
    }
    xml += std::string(" presentation=\"$(presentation.") + policy.name +
           ")\">\n      <parentCategory ref=\"Quellor\"/>\n      <supportedOn ref=\"SUPPORTED_Quellor\"/>\n"
           "      <elements>\n";
    for (const Setting& setting : policy.settings) {
        if (setting.number != nullptr) {
            xml += std::string("        <decimal id=\"") + setting.Name() + "\" valueName=\"" + setting.Name() +
                   "\" required=\"true\" minValue=\"" + std::to_string(setting.number->lowest) + "\" maxValue=\"" +
                   std::to_string(setting.number->highest) + "\"/>\n";
        } else {
            xml += std::string("        <text id=\"") + setting.Name() + "\" valueName=\"" + setting.Name() +
                   "\" required=\"true\"/>\n";
        }
    }
    return xml + "      </elements>\n    </policy>\n";
}

std::string Presentation(const PolicyText& policy)
{
    std::string xml = std::string("      <presentation id=\"") + policy.name + "\">\n";
    for (const Setting& setting : policy.settings) {
        if (setting.number != nullptr) {
            xml += std::string("        <decimalTextBox refId=\"") + setting.Name() + "\" defaultValue=\"" +
                   std::to_string(setting.number->defaultValue) + "\">" + Escaped(setting.label) +
                   "</decimalTextBox>\n";
        } else {
            const char* initial = setting.text->defaultValue != nullptr ? setting.text->defaultValue : "";
            xml += std::string("        <textBox refId=\"") + setting.Name() + "\">\n          <label>" +
                   Escaped(setting.label) + "</label>\n          <defaultValue>" + Escaped(initial) +
                   "</defaultValue>\n        </textBox>\n";
        }
    }
    return xml + "      </presentation>\n";
}

const char* const kNamespaces =
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "revision=\"1.0\" schemaVersion=\"1.0\" "
    "xmlns=\"http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions\"";

std::string Admx(const std::vector<PolicyText>& policies)
{
    std::string xml =
        std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<policyDefinitions ") + kNamespaces +
        ">\n  <policyNamespaces>\n    <target prefix=\"quellor\" namespace=\"Marrowby.Policies.Quellor\"/>\n"
        "  </policyNamespaces>\n  <resources minRequiredRevision=\"1.0\"/>\n  <supportedOn>\n"
        "    <definitions>\n      <definition name=\"SUPPORTED_Quellor\" "
        "displayName=\"$(string.SUPPORTED_Quellor)\"/>\n    </definitions>\n  </supportedOn>\n"
        "  <categories>\n    <category name=\"Quellor\" displayName=\"$(string.Quellor)\"/>\n"
        "  </categories>\n  <policies>\n";
    for (const PolicyText& policy : policies) {
        xml += PolicyElement(policy);
    }
    return xml + "  </policies>\n</policyDefinitions>\n";
}

std::string Adml(const std::vector<PolicyText>& policies, const std::string& version)
{
    std::string strings =
        "      <string id=\"Quellor\">Quellor</string>\n      <string id=\"SUPPORTED_Quellor\">"
        "Quellor " +
        Escaped(version) + " and later</string>\n";
    std::string presentations;
    for (const PolicyText& policy : policies) {
        strings += std::string("      <string id=\"") + policy.name + "\">" + Escaped(policy.displayName) +
                   "</string>\n      <string id=\"" + policy.name + "_Explain\">" +
                   Escaped(std::string(policy.explanation) + kUnset) + "</string>\n";
        if (!policy.IsFlag()) {
            presentations += Presentation(policy);
        }
    }
    return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<policyDefinitionResources ") + kNamespaces +
           ">\n  <displayName>Quellor</displayName>\n  <description>The settings of Quellor, which keeps an "
           "Internet line from being dropped for inactivity.</description>\n  <resources>\n    <stringTable>\n" +
           strings + "    </stringTable>\n    <presentationTable>\n" + presentations +
           "    </presentationTable>\n  </resources>\n</policyDefinitionResources>\n";
}

bool WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "PolicyTemplates: cannot write " << path << "\n";
    }
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: PolicyTemplates VERSION FOLDER\n";
        return 2;
    }
    const std::string folder = argv[2];
    const std::vector<PolicyText> policies = Policies();
    return WriteFile(folder + "/Quellor.admx", Admx(policies)) &&
                   WriteFile(folder + "/en-US/Quellor.adml", Adml(policies, argv[1]))
               ? 0
               : 1;
}
