#include "probes/win32/ProbeThread.h"

namespace ravel {

DWORD WINAPI ProbeThread::AskGraphics(LPVOID self) {
    ProbeThread& probes = *static_cast<ProbeThread*>(self);
    probes.graphicsAnswers_ = AskProbes(&probes.graphics_, nullptr);
    return 0;
}

DWORD WINAPI ProbeThread::AskSound(LPVOID self) {
    ProbeThread& probes = *static_cast<ProbeThread*>(self);
    probes.soundAnswers_ = AskProbes(nullptr, &probes.sound_);
    return 0;
}

void ProbeThread::Start() {
    graphicsThread_ = CreateThread(nullptr, 0, AskGraphics, this, 0, nullptr);
    soundThread_ = CreateThread(nullptr, 0, AskSound, this, 0, nullptr);
}

namespace {

// Whether `thread` ended by `deadline` (a GetTickCount time); the handle is
// closed either way.
bool Finished(HANDLE thread, DWORD deadline) {
    const DWORD now = GetTickCount();
    const DWORD left = static_cast<LONG>(deadline - now) > 0 ? deadline - now : 0;
    const bool finished = WaitForSingleObject(thread, left) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return finished;
}

}  // namespace

bool ProbeThread::Wait(ProbeAnswers& answers) {
    // Asked once: after the limit has passed, a stuck thread may still write.
    if (waited_) {
        return false;
    }
    waited_ = true;
    if (graphicsThread_ == nullptr) {
        AskGraphics(this);
    }
    if (soundThread_ == nullptr) {
        AskSound(this);
    }
    // A probe that has not answered in time counts as one that failed; the
    // other one's answer stands.
    const DWORD deadline = GetTickCount() + limitMilliseconds_;
    answers = {};
    if (graphicsThread_ == nullptr || Finished(graphicsThread_, deadline)) {
        answers.graphicsRead = graphicsAnswers_.graphicsRead;
        answers.shaderVersion = graphicsAnswers_.shaderVersion;
    }
    if (soundThread_ == nullptr || Finished(soundThread_, deadline)) {
        answers.soundOpened = soundAnswers_.soundOpened;
    }
    graphicsThread_ = soundThread_ = nullptr;
    return true;
}

}  // namespace ravel
