// The calling thread's last-error code, as GetLastError reports it.
#pragma once

#include "platform/win32_api.h"

namespace platform {

void SetLastErrorCode(DWORD code);

} // namespace platform
