#include "platform/backend/sdl.h"

namespace plat {

std::unique_ptr<Backend> CreateSdlBackend(std::string* error)
{
    if (error)
        *error = "not built yet";
    return nullptr;
}

}  // namespace plat
