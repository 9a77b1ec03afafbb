#include "media/JxMissingMedia.h"

#include <set>
#include <string>

#include "foundation/JxFileUtils.h"
#include "runtime/JxMissingFile.h"

namespace {

// The missing files named so far, by their upper-case paths.
std::set<std::string>& namedFiles()
{
    static std::set<std::string> named;
    return named;
}

}  // namespace

bool FindMediaFile(const JxCString& path)
{
    JxCString upper(path);
    upper.MakeUpper();
    const std::string key(upper.View());
    bool discCheckedAgain = false;
    for (bool asked = false;; asked = true) {
        if (FileExists(path.GetText())) {
            namedFiles().erase(key);
            return true;
        }
        if (!asked && !namedFiles().insert(key).second)
            return false;
        if (!AskAboutMissingFile(path, kMediaNotFoundId, discCheckedAgain))
            return false;
    }
}

void ForgetMissingMedia()
{
    namedFiles().clear();
}
