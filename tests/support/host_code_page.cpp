#include "support/host_code_page.h"

#ifdef _WIN32
#include "platform/win32/ansi_code_page.h"
#else
#include "fakes/iconv_code_page.h"
#endif

namespace tarnwick::testing {

const CodePage& HostCodePage() {
#ifdef _WIN32
    static const win32::AnsiCodePage codePage;
#else
    static const fake::IconvCodePage codePage;
#endif
    return codePage;
}

}  // namespace tarnwick::testing
