# The same program built for 64-bit Windows: the end-to-end tests run it
# under a 64-bit-only Wine where the machine cannot execute 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
