// Opening documents and web pages through the desktop, in the shape of the
// Windows shell call the window's code makes.
#pragma once

#include <qwindowdefs.h>  // WId

#include <cstdint>

namespace Vcl {

constexpr int SW_SHOW = 5;

// Performs Operation on File. Only "open" is known: it hands File, a URL or
// a path in code page 936, to the desktop's handler for it (the web browser
// for an http address; xdg-open on Linux). Owner, Parameters, Directory and
// ShowCommand have no meaning to the desktop here. Returns a value above 32
// when the desktop took the request and 31 (no handler) when not.
std::intptr_t ShellExecuteA(WId Owner, const char* Operation, const char* File,
                            const char* Parameters, const char* Directory,
                            int ShowCommand);

}  // namespace Vcl
