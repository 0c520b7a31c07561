# Fails when EXE imports anything but the few of Windows' own known DLLs that the window needs at
# start; what only a browse, a copy or a run needs is loaded then. The loader looks for any other DLL
# in the program's folder first, where a planted copy would run in its place; such libraries are
# loaded from the system folder by full path when first needed instead. COMCTL32 is resolved
# through the manifest's side-by-side assembly, not by that search. MinGW's runtime DLLs are
# never allowed: the program must run on a bare Windows with nothing beside it.
# Run as: cmake -DOBJDUMP=... -DEXE=... -P check-imports.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed ADVAPI32.DLL COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
    message(FATAL_ERROR "no imports found in ${EXE}: not a Windows executable?")
endif()
foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(STRIP "${dll}" dll)
    string(TOUPPER "${dll}" dll)
    message(STATUS "imports ${dll}")
    if(NOT dll IN_LIST allowed)
        message(FATAL_ERROR "${EXE} imports ${dll}, which is not one of Windows' known DLLs")
    endif()
endforeach()
