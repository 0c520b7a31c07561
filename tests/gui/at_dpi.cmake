# Runs the driver's tests named by FILTER with the display at DPI dots per inch, as a user who
# chose larger text sees the window. A process reads the setting as it starts, so it is made
# before the driver and Tarnwick.exe start, and put back afterwards whatever the outcome, for the
# tests that come later on the same prefix (WINEPREFIX).
# Run as: cmake -DWINE=... -DDRIVER=... -DEXE=... -DDPI=... -DFILTER=... -P at_dpi.cmake
cmake_minimum_required(VERSION 3.25)

set(key "HKCU\\Control Panel\\Desktop")
execute_process(COMMAND ${WINE} reg query ${key} /v LogPixels OUTPUT_VARIABLE before ERROR_QUIET)
set(previous "")
if(before MATCHES "REG_DWORD +(0x[0-9a-fA-F]+)")
    set(previous "${CMAKE_MATCH_1}")
endif()

execute_process(COMMAND ${WINE} reg add ${key} /v LogPixels /t REG_DWORD /d ${DPI} /f
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "could not set the display to ${DPI} DPI")
endif()
execute_process(COMMAND ${WINE} ${DRIVER} ${EXE} --gtest_filter=${FILTER} RESULT_VARIABLE code)

if(previous)
    math(EXPR value "${previous}")
    execute_process(COMMAND ${WINE} reg add ${key} /v LogPixels /t REG_DWORD /d ${value} /f
                    OUTPUT_QUIET)
else()
    execute_process(COMMAND ${WINE} reg delete ${key} /v LogPixels /f OUTPUT_QUIET ERROR_QUIET)
endif()
if(NOT code EQUAL 0)
    message(FATAL_ERROR "the tests at ${DPI} DPI failed (exit code ${code})")
endif()
