// The device layer over DirectInput 8 (ANSI interfaces): every call is passed
// through and its HRESULT answered unchanged.
#pragma once

#include "input/InputBackend.h"

namespace ravel {

class DirectInputBackend final : public InputBackend {
  public:
    // DirectInput8Create with IID_IDirectInput8A.
    DiResult Create(NativeInstance instance, InputSystem** system) override;
};

}  // namespace ravel
