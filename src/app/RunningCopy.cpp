#include "app/RunningCopy.h"

#include "frame/RemoteCommand.h"
#include "win/FrameWindow.h"
#include "win/Handles.h"

namespace {

WPARAM RemoteCommand(const CommandLineRequest& request)
{
    switch (request.kind) {
    case CommandLineRequest::Kind::On:
        return request.untilMinuteOfDay >= 0 ? kRemoteOnUntil : kRemoteOn;
    case CommandLineRequest::Kind::Off:
        return kRemoteOff;
    case CommandLineRequest::Kind::Exit:
        return kRemoteExit;
    default:
        return 0;
    }
}

}  // namespace

ExitCode CRunningCopy::Tell(const CommandLineRequest& request)
{
    const DWORD start = GetTickCount();
    const auto timeLeft = [start] {
        const DWORD used = GetTickCount() - start;
        return used < kAnswerMs ? kAnswerMs - used : 0;
    };
    // The copy that holds the lock may not have made its window yet.
    HWND frame = nullptr;
    while ((frame = FindWindowA(win::CFrameWindow::kClassName, "Quellor")) == nullptr && timeLeft() > 0) {
        Sleep(50);
    }
    const WPARAM command = RemoteCommand(request);
    const int limit = command == kRemoteOnUntil ? request.untilMinuteOfDay : request.minutes;
    if (frame == nullptr || command == 0) {
        return ExitCode::NoAnswer;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(frame, &processId);
    const win::CKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(frame, RegisterWindowMessageA(kRemoteCommandMessage), command,
                            static_cast<LPARAM>(limit), SMTO_ABORTIFHUNG | SMTO_BLOCK, timeLeft(),
                            &answer) == 0 ||
        answer != static_cast<DWORD_PTR>(kRemoteCommandTaken)) {
        return ExitCode::NoAnswer;
    }
    if (command == kRemoteExit && (!process || WaitForSingleObject(process.Get(), timeLeft()) != WAIT_OBJECT_0)) {
        return ExitCode::NoAnswer;
    }
    return ExitCode::Done;
}
