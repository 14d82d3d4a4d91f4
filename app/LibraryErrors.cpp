// The standard library reports a string it cannot build (too long, from a
// null pointer, out of range) through these functions, whose own versions
// carry exception classes with a second, reference-counted string type of
// their own: some 40 KiB of this program for reports it never shows. The
// dialog procedure takes any exception as a request it could not meet, so
// each report is raised as the one the library raises for exhausted memory.
#include <new>

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_alloc(); }
void __throw_length_error(const char*) { throw bad_alloc(); }
void __throw_logic_error(const char*) { throw bad_alloc(); }
void __throw_out_of_range_fmt(const char*, ...) { throw bad_alloc(); }

}  // namespace std
