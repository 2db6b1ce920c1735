#include "probes/win32/ProbeThread.h"

namespace ravel {

DWORD WINAPI ProbeThread::Run(LPVOID self) {
    ProbeThread& probes = *static_cast<ProbeThread*>(self);
    probes.answers_ = AskProbes(&probes.graphics_, &probes.sound_);
    return 0;
}

bool ProbeThread::Start() {
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    return thread_ != nullptr;
}

bool ProbeThread::Wait(ProbeAnswers& answers) {
    if (abandoned_) {
        return false;
    }
    if (thread_ == nullptr) {
        answers = AskProbes(&graphics_, &sound_);
        return true;
    }
    const bool finished = WaitForSingleObject(thread_, limitMilliseconds_) == WAIT_OBJECT_0;
    CloseHandle(thread_);
    thread_ = nullptr;
    if (!finished) {
        // The stuck thread may still write its answers; they are not read.
        abandoned_ = true;
        return false;
    }
    answers = answers_;
    return true;
}

}  // namespace ravel
