// Reaches what lean_runtime.cpp replaces, as the program does, so that a static link with it
// shows whether this library lets them be replaced (see lean-runtime.cmake).
#include <cstddef>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#if !defined(__GLIBCXX__) || _GLIBCXX_RELEASE != 12
#error "not GCC 12's libstdc++, which lean_runtime.cpp was written for"
#endif

int main(int argc, char**) {
    const auto count = static_cast<std::size_t>(argc);
    std::vector<int> numbers(count);
    const char* none = argc > 9 ? "x" : nullptr;
    try {
        numbers.reserve(numbers.max_size() + count);  // length_error
        const std::string text = std::string(count, 'x').substr(5) + std::string(none);
        std::allocator<int> allocator;  // bad_alloc or bad_array_new_length
        allocator.deallocate(allocator.allocate(~std::size_t{0} / count), 1);
        return numbers.at(5) + static_cast<int>(text.size());  // out_of_range
    } catch (const std::exception&) {
    }
    std::terminate();  // the verbose handler, unless replaced
}
