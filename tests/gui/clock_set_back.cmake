# Two runs of Tarnwick.exe with the clock set back a day between them, undone in the right order:
# /undo takes the second run's journal although its name shows the earlier time. Wine's clock
# follows the Unix TZ a process starts with, not a TZ in its Windows environment, so the runs are
# started from here. Works on the test host's prefix (WINEPREFIX), in a folder of its disk S:.
# Run as: cmake -DWINE=... -DEXE=... -P clock_set_back.cmake
cmake_minimum_required(VERSION 3.25)

set(scratch "$ENV{WINEPREFIX}/scratch-disk/clock-set-back")
file(REMOVE_RECURSE "${scratch}")
file(MAKE_DIRECTORY "${scratch}")
file(GLOB journals_before "$ENV{WINEPREFIX}/drive_c/users/*/AppData/Local/Tarnwick/*")

# Runs Tarnwick.exe with the arguments after time_zone; its exit code and output (UTF-8) in
# prefix_code and prefix_output.
function(tarnwick prefix time_zone)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=${time_zone} ${WINE} ${EXE} ${ARGN}
                    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE code)
    string(JOIN " " arguments ${ARGN})
    message(STATUS "TZ=${time_zone} Tarnwick.exe ${arguments}: exit code ${code}\n${output}")
    set(${prefix}_code ${code} PARENT_SCOPE)
    set(${prefix}_output "${output}" PARENT_SCOPE)
endfunction()

# The Windows path of the journal that output names, and its date and time.
function(journal_named prefix output)
    if(NOT output MATCHES "([A-Za-z]:[^ ]*\\\\[0-9]+-([0-9]+-[0-9]+)\\.reg)")
        message(FATAL_ERROR "no journal named in: ${output}")
    endif()
    set(${prefix}_journal "${CMAKE_MATCH_1}" PARENT_SCOPE)
    set(${prefix}_clock "${CMAKE_MATCH_2}" PARENT_SCOPE)
endfunction()

function(temp_value variable)
    execute_process(COMMAND ${WINE} reg query "HKCU\\Environment" /v Temp
                    OUTPUT_VARIABLE text ERROR_QUIET)
    string(REGEX MATCH "REG_[A-Z_]+ +([^\r\n]*)" found "${text}")
    set(${variable} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

function(expect_temp expected why)
    temp_value(now)
    if(NOT now STREQUAL expected)
        message(FATAL_ERROR "${why}: Temp is \"${now}\", not \"${expected}\"")
    endif()
endfunction()

temp_value(before)
tarnwick(east UTC-12 /move "temp=S:\\clock-set-back\\east")
tarnwick(west UTC+12 /move "temp=S:\\clock-set-back\\west")
if(NOT east_code EQUAL 0 OR NOT west_code EQUAL 0)
    message(FATAL_ERROR "a move failed")
endif()
journal_named(east "${east_output}")
journal_named(west "${west_output}")
if(NOT west_clock STRLESS east_clock)
    message(FATAL_ERROR "the clock was not set back: ${west_clock} after ${east_clock}")
endif()

tarnwick(undo UTC+12 /undo)
string(FIND "${undo_output}" "${west_journal}" named)
if(NOT undo_code EQUAL 0 OR named EQUAL -1)
    message(FATAL_ERROR "/undo did not take the journal written last, ${west_journal}")
endif()
expect_temp("S:\\clock-set-back\\east" "the second run was not undone first")
tarnwick(first UTC+12 /undo "${east_journal}")
expect_temp("${before}" "the first run was not undone")

file(GLOB journals_after "$ENV{WINEPREFIX}/drive_c/users/*/AppData/Local/Tarnwick/*")
list(REMOVE_ITEM journals_after ${journals_before})
file(REMOVE ${journals_after})
file(REMOVE_RECURSE "${scratch}")
