# config.exe: the portable core with the Win32 shell, DirectInput 8,
# Direct3D 8 and DirectSound adapters, and the resources generated from the
# template data.
enable_language(RC)

# The resource script is generated on the build machine by a small tool
# compiled with the build machine's own compiler.
find_program(RAVEL_HOST_CXX NAMES c++ g++ clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)

set(RAVEL_RESOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/src/resources)
set(RAVEL_GENERATOR ${CMAKE_CURRENT_BINARY_DIR}/GenerateResourceScript)
set(RAVEL_RESOURCE_SCRIPT ${CMAKE_CURRENT_BINARY_DIR}/config.rc)

add_custom_command(
    OUTPUT ${RAVEL_GENERATOR}
    COMMAND ${RAVEL_HOST_CXX} -std=c++20 -Wall -Wextra -O1
            -I ${CMAKE_CURRENT_SOURCE_DIR}/src
            ${RAVEL_RESOURCE_DIR}/win32/GenerateResourceScript.cpp
            ${RAVEL_RESOURCE_DIR}/Templates.cpp
            ${RAVEL_RESOURCE_DIR}/Strings.cpp
            -o ${RAVEL_GENERATOR}
    DEPENDS ${RAVEL_RESOURCE_DIR}/win32/GenerateResourceScript.cpp
            ${RAVEL_RESOURCE_DIR}/Templates.cpp
            ${RAVEL_RESOURCE_DIR}/Strings.cpp
            ${RAVEL_RESOURCE_DIR}/Templates.h
            ${RAVEL_RESOURCE_DIR}/ControlIds.h
    COMMENT "Building the resource-script generator (build machine)"
    VERBATIM)

add_custom_command(
    OUTPUT ${RAVEL_RESOURCE_SCRIPT}
    COMMAND ${RAVEL_GENERATOR} ${RAVEL_RESOURCE_SCRIPT} ${RAVEL_RESOURCE_DIR}/win32/config.ico
            ${PROJECT_VERSION}
    DEPENDS ${RAVEL_GENERATOR} ${RAVEL_RESOURCE_DIR}/win32/config.ico
    COMMENT "Generating config.rc from the template data"
    VERBATIM)

# Where the file lives on Windows.
add_library(ravel_win32_files STATIC src/settings/win32/SettingsBase.cpp)
target_link_libraries(ravel_win32_files PUBLIC ravel_core)
# Plain Win32 calls: no unwinding tables to drag into config.exe.
target_compile_options(ravel_win32_files PRIVATE -fno-exceptions -fno-rtti)

add_executable(config WIN32
    src/app/win32/WinMain.cpp
    src/app/win32/PageDialog.cpp
    src/input/win32/DirectInputBackend.cpp
    src/probes/win32/Direct3DProbe.cpp
    src/probes/win32/DirectSoundProbe.cpp
    src/probes/win32/ProbeThread.cpp
    ${RAVEL_RESOURCE_SCRIPT}
)
target_link_libraries(config PRIVATE ravel_core ravel_win32_files
    dinput8 dxguid comctl32 ole32 uuid)
target_compile_definitions(config PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
# Small and self-contained: no exceptions or run-time type data are used.
target_compile_options(config PRIVATE -fno-exceptions -fno-rtti)
set_target_properties(config PROPERTIES OUTPUT_NAME config SUFFIX .exe)

# The end-to-end journeys' own window reader, run under the same Wine.
add_executable(inspect tests/e2e/win32/WindowReader.cpp)
target_compile_options(inspect PRIVATE -municode)
target_link_options(inspect PRIVATE -municode)

# The probe threads' time limit, checked under the same Wine.
add_executable(probe_limit_check tests/e2e/win32/ProbeLimitCheck.cpp src/probes/win32/ProbeThread.cpp)
target_link_libraries(probe_limit_check PRIVATE ravel_core)
target_link_options(probe_limit_check PRIVATE -static)

# The start-up benchmark's yardstick: the same kind of sheet with three
# empty pages.
add_executable(minimal_sheet WIN32 bench/win32/MinimalSheet.cpp bench/win32/MinimalSheet.rc)
target_link_libraries(minimal_sheet PRIVATE comctl32)
# And the floor of the graphics question: Direct3D 8 alone, then a window.
add_executable(bare_direct3d_probe WIN32 bench/win32/BareDirect3DProbe.cpp)
