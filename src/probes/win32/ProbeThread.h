// The start-up questions asked of Direct3D 8 and DirectSound, on worker
// threads of their own started before the sheet, so the slow Direct3D start
// (hundreds of milliseconds under Wine) overlaps the building of the window
// and the sound question instead of preceding them.
#pragma once

#include <windows.h>

#include "probes/EarlyProbes.h"

namespace ravel {

// Direct3DCreate8 and the default adapter's hardware device caps.
class Direct3DProbe final : public GraphicsProbe {
  public:
    bool ReadPixelShaderVersion(uint32_t& version) override;
};

// DirectSoundCreate on the default device.
class DirectSoundProbe final : public SoundProbe {
  public:
    bool OpenDefaultDevice() override;
};

class ProbeThread final : public ProbeWorker {
  public:
    // Lives for the whole run: a probe stuck in a driver past the limit may
    // still write its answer, and it must find this object there. Such a
    // thread ends with the process.
    ProbeThread(GraphicsProbe& graphics, SoundProbe& sound, DWORD limitMilliseconds)
        : graphics_(graphics), sound_(sound), limitMilliseconds_(limitMilliseconds) {}

    // Starts the threads. When one cannot be started, Wait asks its probe on
    // the caller's thread, as a run without threads would.
    void Start();
    bool Wait(ProbeAnswers& answers) override;

  private:
    static DWORD WINAPI AskGraphics(LPVOID self);
    static DWORD WINAPI AskSound(LPVOID self);

    GraphicsProbe& graphics_;
    SoundProbe& sound_;
    DWORD limitMilliseconds_;
    HANDLE graphicsThread_ = nullptr;
    HANDLE soundThread_ = nullptr;
    bool waited_ = false;
    ProbeAnswers graphicsAnswers_{};
    ProbeAnswers soundAnswers_{};
};

}  // namespace ravel
