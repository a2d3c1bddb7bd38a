// The table of embedded resources. It lives in a function so that registrars
// running during static initialisation always find it built.
#include "platform/resources.h"

#include <strings.h>

#include <vector>

namespace platform {

namespace {

std::vector<EmbeddedResource>& Table() {
    static std::vector<EmbeddedResource> table;
    return table;
}

} // namespace

void RegisterEmbeddedResource(const EmbeddedResource& resource) { Table().push_back(resource); }

const EmbeddedResource* FindEmbeddedResource(const char* name, UINT type) {
    if (!name) return nullptr;
    for (const EmbeddedResource& r : Table())
        if (r.type == type && strcasecmp(r.name, name) == 0) return &r;
    return nullptr;
}

} // namespace platform
