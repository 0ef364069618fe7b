#pragma once
// A second start's switch, carried to the copy that runs already: found by
// its main frame in this desktop and told by a registered message.
#include "app/CommandLine.h"

class CRunningCopy {
public:
    // The process exit code: 0 once the copy has taken the command (and,
    // for /exit, has ended), 3 when it did not within kAnswerMs.
    static int Tell(const CommandLineRequest& request);

    static constexpr unsigned long kAnswerMs = 5000;
};
