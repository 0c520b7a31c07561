# tarnwick_check_lean_runtime(<result>): whether src/ui/win32/lean_runtime.cpp fits the C++
# library of this compiler. It defines internals of GCC 12's libstdc++ (its throw helpers and
# verbose terminate handler) so that the library's own stay out of the executable, about 165 KB.
# A probe must compile it as the library declares those names (another signature would make a new
# function, not a replacement) and link it statically into a program that reaches each one (a
# library that keeps them beside something else it needs fails there). When it does not fit, the
# program is built with the library's own runtime and the configure step says so.
function(tarnwick_check_lean_runtime result)
    try_compile(TARNWICK_LEAN_RUNTIME_PROBE ${CMAKE_BINARY_DIR}/lean-runtime-probe
        SOURCES ${PROJECT_SOURCE_DIR}/src/ui/win32/lean_runtime.cpp
                ${PROJECT_SOURCE_DIR}/cmake/lean_runtime_probe.cpp
        CMAKE_FLAGS -DINCLUDE_DIRECTORIES=${PROJECT_SOURCE_DIR}/src
        COMPILE_DEFINITIONS -Werror=missing-declarations
        LINK_OPTIONS -static
        CXX_STANDARD 20
        CXX_STANDARD_REQUIRED ON
        OUTPUT_VARIABLE output)
    if(TARNWICK_LEAN_RUNTIME_PROBE)
        message(STATUS "lean_runtime.cpp fits this libstdc++: the program leaves out its "
                       "demangler, printf engine and stdexcept chain")
    else()
        string(REGEX MATCHALL "[^\n]*(error|multiple definition)[^\n]*" reasons "${output}")
        list(JOIN reasons "\n  " reasons)
        message(WARNING "lean_runtime.cpp was written for GCC 12's libstdc++ and does not fit "
                        "this one, so the program is built with the library's own runtime (about "
                        "165 KB larger; the exe_size test will say so):\n  ${reasons}")
    endif()
    set(${result} ${TARNWICK_LEAN_RUNTIME_PROBE} PARENT_SCOPE)
endfunction()
