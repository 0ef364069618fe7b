// The contact's target, proxy text and form from any settings: a target is
// the prefix and the whole host or nothing, the proxy texts carry their
// prefix and port, and the host of a target is never longer than it.
#include "FuzzInput.h"
#include "engine/ContactPlan.h"

#include <string>

namespace {

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const int httpMode = input.Number<int>();
    const int useProxy = input.Number<int>();
    const int port = input.Number<int>();
    const std::string host = input.Text(200);
    const std::string proxy = input.Text(200);
    const std::string prefix = SchemePrefix(httpMode);

    if (const auto target = BuildTarget(httpMode, host)) {
        FUZZ_CHECK(!host.empty());
        FUZZ_CHECK(*target == prefix + host);
        FUZZ_CHECK(target->size() < kTargetCapacity);
        for (const ContactForm form : {ContactForm::HttpProxy, ContactForm::FtpProxy, ContactForm::Direct}) {
            FUZZ_CHECK(TargetHost(*target, form).size() <= target->size());
        }
        FUZZ_CHECK(TargetHost(*target, ContactForm::Direct) == host);
    } else {
        FUZZ_CHECK(host.empty() || prefix.size() + host.size() >= kTargetCapacity);
    }

    const std::string server = ProxyServerText(httpMode, proxy);
    FUZZ_CHECK(StartsWith(server, prefix));
    FUZZ_CHECK(server == proxy || server == prefix + proxy);
    const std::string list = ProxyListText(server, port);
    FUZZ_CHECK(list == server + ":" + std::to_string(port));
    const ContactForm form = ChooseContactForm(useProxy, server);
    FUZZ_CHECK(form == ContactForm::Direct || useProxy == 1);
    FUZZ_CHECK(LowPort(port) == static_cast<unsigned int>(port) % 65536u);
    return 0;
}
