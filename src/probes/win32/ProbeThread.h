// Asks Direct3D 8 and DirectSound on a worker thread started before the
// sheet, so the slow Direct3D start (hundreds of milliseconds under Wine)
// overlaps the building of the window instead of preceding it.
#pragma once

#include <windows.h>

#include "probes/EarlyProbes.h"

namespace ravel {

class ProbeThread final : public ProbeWorker {
  public:
    // Lives for the whole run: a probe stuck in a driver past the limit may
    // still write its answer, and it must find this object there. Such a
    // thread ends with the process.
    ProbeThread(GraphicsProbe& graphics, SoundProbe& sound, DWORD limitMilliseconds)
        : graphics_(graphics), sound_(sound), limitMilliseconds_(limitMilliseconds) {}

    // Starts the thread. False when it cannot be started; Wait then asks the
    // probes on the caller's thread, as a run without the thread would.
    bool Start();
    bool Wait(ProbeAnswers& answers) override;

  private:
    static DWORD WINAPI Run(LPVOID self);

    GraphicsProbe& graphics_;
    SoundProbe& sound_;
    DWORD limitMilliseconds_;
    HANDLE thread_ = nullptr;
    bool abandoned_ = false;
    ProbeAnswers answers_{};
};

}  // namespace ravel
