# Fails when EXE is larger than LIMIT bytes or carries debug information: the release executable is
# built for size, stripped, without libstdc++'s demangler or a printf engine.
# Run as: cmake -DOBJDUMP=... -DEXE=... -DLIMIT=... -P check-size.cmake
cmake_minimum_required(VERSION 3.25)
file(SIZE ${EXE} size)
math(EXPR kib "(${size} + 1023) / 1024")
math(EXPR limit_kib "${LIMIT} / 1024")
message(STATUS "${EXE}: ${size} bytes (${kib} KiB), limit ${limit_kib} KiB")
if(size GREATER LIMIT)
    message(FATAL_ERROR "${EXE} has grown past ${limit_kib} KiB")
endif()
execute_process(COMMAND ${OBJDUMP} -h ${EXE} OUTPUT_VARIABLE sections RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}")
endif()
if(sections MATCHES "\\.debug_")
    message(FATAL_ERROR "${EXE} carries debug information")
endif()
