// The marker that makes this program recognisable as the installer stub
// (package/StubMarker.h). Nothing refers to it, so it is kept explicitly:
// `used` keeps it from the compiler, `retain` keeps its section from the
// linker's garbage collection, and the link requires the symbol besides
// (installer/CMakeLists.txt). Stripping removes symbols, not the text.

#include "package/StubMarker.h"

extern "C" {
[[gnu::used, gnu::retain]] extern const char SsinstallStubMarker[] =
    SSI_STUB_MARKER_PREFIX SSI_VERSION;
}
