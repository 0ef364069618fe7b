#pragma once
// Links of the test's own network namespace (tools/offline-run), made and
// changed with Linux's `ip`.
#include <string>

// Runs `ip` with these arguments. Wine starts a Linux program named by its
// path (Z: is the Linux root) and returns at once, with no handle to wait
// on: the caller waits for what the command changes.
void RunIp(const std::string& arguments);
