# The native Linux editor: Qt 6 Widgets over the portable core, joysticks
# through SDL 2, the sound probe through ALSA.

# A fuzzing build makes only the fuzz targets.
if(RAVEL_FUZZ)
    return()
endif()
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Test)
find_package(SDL2 REQUIRED)
find_package(ALSA REQUIRED)
find_package(X11 REQUIRED)

# Devices: the window-fed keyboard and SDL's joysticks.
add_library(ravel_linux_input STATIC
    src/input/linux/LinuxInput.cpp
    src/input/linux/NativeScanCodes.cpp
    src/input/linux/SdlJoystick.cpp
    src/input/linux/SdlLibrary.cpp
    src/input/linux/XKeymap.cpp
)
# SDL's headers only: the library itself is loaded when the joysticks are
# first asked for (see SdlLibrary.h).
target_include_directories(ravel_linux_input PUBLIC
    $<TARGET_PROPERTY:SDL2::SDL2,INTERFACE_INCLUDE_DIRECTORIES>)
# Xlib for the X keymap Wine reads (Qt's X platform loads it anyway).
target_link_libraries(ravel_linux_input PUBLIC ravel_core X11::X11 ${CMAKE_DL_LIBS})

add_library(ravel_linux_probes STATIC
    src/probes/linux/GlGraphicsProbe.cpp
    src/probes/linux/AlsaSoundProbe.cpp
    src/probes/linux/ProbeChild.cpp
)
target_link_libraries(ravel_linux_probes PUBLIC ravel_core ravel_registry_probe Qt6::Gui ALSA::ALSA)

# The sheet and the page-window operations over Qt widgets.
add_library(ravel_qt_shell STATIC
    src/app/qt/AutoRadioButton.h
    src/app/qt/ClassicStyle.cpp
    src/app/qt/KeyRecorder.cpp
    src/app/qt/PageWidget.cpp
    src/app/qt/PrefixChooser.cpp
    src/app/qt/SheetDialog.cpp
    src/app/posix/SingleInstance.cpp
)
target_link_libraries(ravel_qt_shell PUBLIC ravel_core ravel_linux_input ravel_prefix Qt6::Widgets)

add_executable(ravelstone-config
    src/app/qt/main.cpp
    src/resources/linux/ravelstone-config.qrc
)
target_link_libraries(ravelstone-config PRIVATE ravel_qt_shell ravel_linux_probes)
target_compile_definitions(ravelstone-config PRIVATE RAVEL_VERSION="${PROJECT_VERSION}")

# Start-up yardstick for scripts/bench-startup.py; not built by default.
add_executable(bench_minimal_qt_dialog EXCLUDE_FROM_ALL bench/linux/MinimalQtDialog.cpp)
target_link_libraries(bench_minimal_qt_dialog PRIVATE Qt6::Widgets)
# And the floor of the graphics question: the GL probe alone, then a window.
add_executable(bench_bare_gl_probe EXCLUDE_FROM_ALL bench/linux/BareGlProbe.cpp)
target_link_libraries(bench_bare_gl_probe PRIVATE ravel_linux_probes Qt6::Widgets)
