#pragma once
// A second start's switch, carried to the copy that runs already: found by
// its main frame in this desktop and told by a registered message.
#include "app/CommandLine.h"
#include "app/ExitCode.h"

class CRunningCopy {
public:
    // Done once the copy has taken the command (and, for /exit, has ended),
    // NoAnswer when it did not within kAnswerMs.
    static ExitCode Tell(const CommandLineRequest& request);

    static constexpr unsigned long kAnswerMs = 5000;
};
