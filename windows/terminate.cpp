// Corvane throws nothing of its own; should the C++ runtime ever reach
// std::terminate, the program ends at once. The runtime's own handler would
// print the exception's demangled name, and its demangler and printf alone
// are a quarter of Corvane.exe.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx
