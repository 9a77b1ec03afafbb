#include "platform/ui/responder.h"

#include <cstring>

#include "platform/backend/backend.h"
#include "platform/core/codepage.h"
#include "platform/fs/paths.h"

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
    s += " captioned \"" + CodePageToUtf8(r.caption, GetACP()) + "\"";
    if (!r.text.empty())
        s += " saying \"" + CodePageToUtf8(r.text, GetACP()) + "\"";
    return s;
}

}  // namespace plat::ui
