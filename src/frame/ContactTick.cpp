// The contact timer's tick: one network contact with the next host. The tick
// forms the contact here and the contact worker makes it on its own thread.
#include "frame/MainFrame.h"

#include "engine/ActivityProbe.h"
#include "engine/ContactPlan.h"
#include "settings/Settings.h"

#include <ctime>
#include <memory>

void CMainFrame::OnContactTick()
{
    const int proxyEnabled = settings::Read(keys::Proxy);
    // A tick while the last contact is still under way makes none and leaves
    // the host order where it is.
    if (contactWorker.IsBusy()) {
        return;
    }
    auto probe = std::make_unique<CActivityProbe>();
    const keys::HostList list = isHttp == 1 ? keys::HostList::Http : keys::HostList::Ftp;
    int index = 0;
    if (isRandom == 0) {
        index = NextSequentialIndex(urlIndex);
    } else {
        CRuntimeRandom generator(static_cast<unsigned int>(std::time(nullptr)));
        index = RandomHostIndex(generator);
    }
    const std::string host = settings::Read(keys::HostKey(list, index));
    if (proxyEnabled == 1) {
        probe->SetProxy(isHttp, proxyAddress);
    }
    probe->SetContactPort(settings::Read(keys::Port));
    if (const auto target = BuildTarget(isHttp, host)) {
        contactWorker.Start(std::move(probe), *target, hwnd);
    }
}
