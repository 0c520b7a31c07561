// The ANSI code page of the build the tests run in: iconv's CP936 natively, the system's own
// (936 under the test host's zh_CN locale) under Wine.
#pragma once

#include "platform/code_page.h"

namespace tarnwick::testing {

const CodePage& HostCodePage();

}  // namespace tarnwick::testing
