// The program's own embedded resources: byte blocks linked into the
// executable under a name and a type, found by LoadImageA.
#pragma once

#include <cstddef>

#include "platform/win32_api.h"

// Resource type of a device-independent bitmap (header and rows, no file
// header).
constexpr UINT RT_BITMAP = 2;

namespace platform {

struct EmbeddedResource {
    const char* name;
    UINT type;
    const BYTE* data;
    size_t size;
};

// Adds a resource; called by the registrars of the objects that carry them.
void RegisterEmbeddedResource(const EmbeddedResource& resource);
// The resource of that name (case does not matter) and type, or null.
const EmbeddedResource* FindEmbeddedResource(const char* name, UINT type);

} // namespace platform
