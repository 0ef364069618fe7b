#pragma once
// Waiting and window lookups for tests that drive other programs.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Polls the condition (pumping this thread's messages) until it holds or
// the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 20);

// A top-level or message-only window of the process (0: any process) with
// this class (null: any) and exactly this title (null: any), or null.
HWND FindProcessWindow(DWORD processId, const char* className, const char* title);
// Every top-level window of the process.
std::vector<HWND> ProcessWindows(DWORD processId);
// Every top-level or message-only window of the process with the class.
std::vector<HWND> WindowsOfClass(DWORD processId, const char* className);
HWND WaitForProcessWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs = 10000);

// A window's text through WM_GETTEXT, which works across processes.
std::string GetText(HWND window);

// A bitmap's pixels as 32-bit BGRA, top row first; empty when it cannot be
// read.
std::vector<BYTE> BitmapPixels(HBITMAP bitmap, int width, int height);
// What the screen shows over the area (screen coordinates), the same way.
std::vector<BYTE> ScreenPixels(const RECT& area);

// Pumps this thread's messages for a while.
void PumpFor(DWORD ms);
