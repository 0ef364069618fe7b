// What the C++ runtime would otherwise bring into the program for nothing.
#include <cstdlib>
#include <exception>
#include <new>

#if defined(__GLIBCXX__)
namespace {

// The library's own failures (a text grown past its limit, a position past
// its end) can only come from a fault in the program. Reported at dispatch
// as an internal error, they need none of the library's exception classes,
// which bring a second string implementation with them.
class CLibraryFault : public std::exception {
public:
    const char* what() const noexcept override { return ""; }
};

}  // namespace

namespace __gnu_cxx {
// A window program has no console: the library's verbose handler would print
// the exception's demangled name to a stream nobody reads, and brings the
// demangler and a printf engine along to do it.
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx

// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl*): libstdc++'s own hooks, by its names and signatures
namespace std {
void __throw_bad_alloc()
{
    throw std::bad_alloc();
}
void __throw_bad_array_new_length()
{
    throw std::bad_alloc();
}
void __throw_length_error(const char*)
{
    throw CLibraryFault();
}
void __throw_logic_error(const char*)
{
    throw CLibraryFault();
}
void __throw_out_of_range(const char*)
{
    throw CLibraryFault();
}
void __throw_out_of_range_fmt(const char*, ...)
{
    throw CLibraryFault();
}
void __throw_invalid_argument(const char*)
{
    throw CLibraryFault();
}
}  // namespace std
// NOLINTEND(bugprone-reserved-identifier,cert-dcl*)
#endif

// The program's own copies of the two string classes. The library's copies
// come as two whole objects, every member of both (and their unwind tables)
// linked in for the few the program calls: 68 KB. Instantiated here, they
// are compiled with the program's options, and the linker keeps only the
// members used.
#include <string>
template class std::basic_string<char>;
template class std::basic_string<wchar_t>;
