#include "systemcalls.h"

namespace SystemCalls {

void *lookUp(const wchar_t *dll, const char *name)
{
    const HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<void *>(GetProcAddress(module, name)) : nullptr;
}

} // namespace SystemCalls
