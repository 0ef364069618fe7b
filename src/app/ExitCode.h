#pragma once
// The program's exit codes, which scripts that pass it a switch test.
enum class ExitCode : int {
    Done = 0,
    // /off or /exit with no copy running.
    NothingRunning = 1,
    // A mistake in the switches.
    BadSwitch = 2,
    // A running copy that did not take the switch in time.
    NoAnswer = 3,
};
