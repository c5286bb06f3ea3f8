#pragma once

#include <windows.h>

#include <commdlg.h>
#include <unknwn.h>

// The system's open-file dialog and COM, which only the selectors and the
// About picture need, are loaded when first used: linked in, their DLLs would
// be loaded at every start, which costs more than anything Corvane does there.
// Each is loaded from the system's own folder, never from beside the program.
namespace OnFirstUse {

BOOL getOpenFileName(OPENFILENAMEW *dialog);
HRESULT coInitializeEx(void *reserved, DWORD flags);
void coUninitialize();
HRESULT coCreateInstance(REFCLSID type, IUnknown *outer, DWORD context, REFIID iid, void **object);

} // namespace OnFirstUse
