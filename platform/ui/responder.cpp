#include "platform/ui/responder.h"

#include <cstring>

#include "platform/backend/backend.h"

namespace plat::ui {

bool Headless()
{
    return std::strcmp(TheBackend().name(), "headless") == 0;
}

std::string Describe(const UiRequest& r)
{
    std::string s = r.kind;
    if (!r.templateName.empty())
        s += " \"" + r.templateName + "\"";
    else if (r.templateId)
        s += " " + std::to_string(r.templateId);
    s += " captioned \"" + r.caption + "\"";
    if (!r.text.empty())
        s += " saying \"" + r.text + "\"";
    return s;
}

}  // namespace plat::ui
