// DirectInput results the Linux devices answer beyond those discovery reads.
#pragma once

#include "input/InputBackend.h"

namespace ravel {

inline constexpr DiResult kDiNoEffect = 1;  // DI_NOEFFECT: nothing to poll
inline constexpr DiResult kDiErrInvalidParam = static_cast<DiResult>(0x80070057u);
inline constexpr DiResult kDiErrUnsupported = static_cast<DiResult>(0x80004001u);
inline constexpr DiResult kDiErrNotFound = static_cast<DiResult>(0x80070002u);
inline constexpr DiResult kDiErrDeviceNotReg = static_cast<DiResult>(0x80040154u);
inline constexpr DiResult kDiErrUnplugged = static_cast<DiResult>(0x80040209u);

}  // namespace ravel
