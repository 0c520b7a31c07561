// Two parts of libstdc++ that a windowed program does not need, replaced so that they stay out of
// the executable. Only Tarnwick.exe is built with this file, and only when the configure step
// finds the library it was written for, GCC 12's (cmake/lean-runtime.cmake); the tests keep the
// library's own.
//
// The verbose terminate handler prints the demangled type of an exception to stderr, which
// nobody sees here, and brings the demangler and a printf engine along. Unexpected errors are
// shown by the window long before terminate could be reached.
//
// The library's throw helpers build std::logic_error and its kin, whose copy-on-write string
// comes with them. These throw the program's own Error instead, with the same message, and reach
// the same handler of unexpected errors.
#include <cstdlib>
#include <new>

#include "platform/error.h"

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc() {
    throw std::bad_alloc();
}
void __throw_bad_array_new_length() {
    throw std::bad_array_new_length();
}
void __throw_length_error(const char* what) {
    throw tarnwick::Error(what);
}
void __throw_logic_error(const char* what) {
    throw tarnwick::Error(what);
}
void __throw_out_of_range(const char* what) {
    throw tarnwick::Error(what);
}
void __throw_out_of_range_fmt(const char* what, ...) {
    throw tarnwick::Error(what);
}
void __throw_invalid_argument(const char* what) {
    throw tarnwick::Error(what);
}

}  // namespace std
