#include "frame/ActivityOptions.h"

#include "settings/Settings.h"

int ReadAolFlag()
{
    const int aol3 = settings::Read(keys::IsAOL);
    return aol3 != 0 ? aol3 : settings::Read(keys::IsAOL4);
}

ActivityOptions ActivityOptions::Read()
{
    ActivityOptions options;
    options.aolFlag = ReadAolFlag();
    options.aolTimerTitle = settings::Read(keys::AOL47);
    options.isHttp = settings::Read(keys::IsHttp);
    options.isRandom = settings::Read(keys::IsRand);
    options.intervalMinutes = settings::Read(keys::DefaultMin);
    options.proxyAddress = settings::Read(keys::ProxyIP3);
    options.prodigyFlag = settings::Read(keys::Prodigy);
    options.prodigyTitle = settings::Read(keys::ProdigyMSG);
    options.onlyWhenQuiet = settings::Read(keys::OnlyWhenQuiet) == 1;
    return options;
}
