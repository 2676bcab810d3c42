// Linked into the program only (never into test programs, which keep the
// runtime's own versions): replacements for the two corners of the static
// C++ runtime that cost the program most of its size.
//
// The runtime's default terminate handler names the exception it prints,
// and for that pulls in the symbol demangler and the whole printf family
// (about 70 KB). Nobody reads a GUI program's standard error: ending at once
// is all it would do here.
//
// The library's own "throw a std::length_error/out_of_range/..." helpers
// build exception objects whose messages are copy-on-write strings: that
// drags in a second, copy-on-write std::string, the <stdexcept> classes and,
// through that string, <random> (about 50 KB). The program catches none of those exceptions
// (they mean a bug, such as an index past the end), so they ended in
// std::terminate before; they still do, without the detour. std::terminate
// runs the handler the crash restore installs, so a bug still gives back
// every hidden window. Allocation failures still throw std::bad_alloc.
#include <cstdlib>
#include <exception>
#include <new>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
[[noreturn]] void __throw_bad_alloc() { throw std::bad_alloc(); }
[[noreturn]] void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
[[noreturn]] void __throw_bad_cast() { std::terminate(); }
[[noreturn]] void __throw_bad_typeid() { std::terminate(); }
[[noreturn]] void __throw_bad_exception() { std::terminate(); }
[[noreturn]] void __throw_bad_function_call() { std::terminate(); }
[[noreturn]] void __throw_logic_error(const char*) { std::terminate(); }
[[noreturn]] void __throw_domain_error(const char*) { std::terminate(); }
[[noreturn]] void __throw_invalid_argument(const char*) { std::terminate(); }
[[noreturn]] void __throw_length_error(const char*) { std::terminate(); }
[[noreturn]] void __throw_out_of_range(const char*) { std::terminate(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::terminate(); }
[[noreturn]] void __throw_runtime_error(const char*) { std::terminate(); }
[[noreturn]] void __throw_range_error(const char*) { std::terminate(); }
[[noreturn]] void __throw_overflow_error(const char*) { std::terminate(); }
[[noreturn]] void __throw_underflow_error(const char*) { std::terminate(); }
}  // namespace std
