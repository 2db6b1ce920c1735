# ravelstone-cfg: the command-line tool over the same core as the editors.
add_library(ravel_cli STATIC
    src/cli/FieldNames.cpp
    src/cli/Findings.cpp
    src/cli/Show.cpp
    src/cli/JsonMapping.cpp
    src/cli/Cli.cpp
)
target_link_libraries(ravel_cli PUBLIC ravel_core ravel_nlohmann)
# No Qt here, whatever the Linux editor switches on for its own targets.
set_target_properties(ravel_cli PROPERTIES AUTOMOC OFF AUTORCC OFF)
target_compile_definitions(ravel_cli PRIVATE RAVEL_VERSION="${PROJECT_VERSION}")
if(WIN32)
    # The file config.exe uses, in the roaming application-data folder.
    target_link_libraries(ravel_cli PUBLIC ravel_win32_files)
else()
    # Which Wine prefix's file the commands use; Windows has no prefixes.
    target_link_libraries(ravel_cli PUBLIC ravel_prefix)
endif()

add_executable(ravelstone-cfg src/cli/main.cpp)
set_target_properties(ravelstone-cfg PROPERTIES AUTOMOC OFF AUTORCC OFF)
target_link_libraries(ravelstone-cfg PRIVATE ravel_cli)
if(WIN32)
    target_link_options(ravelstone-cfg PRIVATE -static)
endif()

if(BUILD_TESTING AND NOT CMAKE_CROSSCOMPILING AND NOT RAVEL_FUZZ)
    add_subdirectory(tests/cli)
endif()

if(RAVEL_FUZZ)
    add_executable(cfg_fuzzer tests/cli/CfgFuzzer.cpp)
    target_include_directories(cfg_fuzzer PRIVATE tests)
    target_compile_definitions(cfg_fuzzer PRIVATE RAVEL_LIBFUZZER)
    target_link_libraries(cfg_fuzzer PRIVATE ravel_cli ravel_core)
    target_link_options(cfg_fuzzer PRIVATE -fsanitize=fuzzer)
    set(RAVEL_CFG_FUZZ_SECONDS 20 CACHE STRING "Length of the regression fuzz run of the JSON mapping")
    add_test(NAME fuzz.cfg_json
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/run-fuzzer.sh $<TARGET_FILE:cfg_fuzzer>
                ${CMAKE_CURRENT_SOURCE_DIR}/tests/cli/corpus ${RAVEL_CFG_FUZZ_SECONDS})
endif()
