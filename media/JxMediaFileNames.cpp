#include "media/JxMediaFileNames.h"

#include <string>

#include "events/JxCAction.h"
#include "events/JxCRunTimeObject.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "runtime/JxCBaseProduct.h"

namespace {

std::string text(const JxCString& s)
{
    return std::string(s.View());
}

// The owner's data folder when the action asks for it and has an owner.
bool ownerFolder(JxCAction* action, std::string& folder)
{
    const auto* flag = dynamic_cast<const JxMediaPathFlag*>(action);
    if (!flag || !flag->GetPathFlag() || !action->GetOwner())
        return false;
    folder = text(action->GetOwner()->GetDataPath());
    return true;
}

std::string productFolder()
{
    JxCBaseProduct* product = GetProduct();
    return product && product->GetProductDef() ? text(product->GetProductDef()->GetSecondText()) : std::string();
}

}  // namespace

JxSoundSource ResolveSoundName(const JxCString& name, JxCAction* action)
{
    std::string n = text(name);
    if (!n.empty() && n[0] == '@')
        return {JxCString(n.substr(1).c_str()), true};
    if (!n.empty() && n[0] == '&') {
        n.erase(0, 1);
        const std::string inProgram = text(GetProgramFolderString()) + n + ".wav";
        if (FileExists(inProgram.c_str()))
            return {JxCString(inProgram.c_str()), false};
    }
    std::string folder;
    if (!n.empty() && n[0] == '\\')
        folder = productFolder();
    else if (!ownerFolder(action, folder))
        folder = productFolder() + "\\";
    return {JxCString((folder + n + ".wav").c_str()), false};
}

JxCString ResolveMovieName(const JxCString& name, JxCAction* action)
{
    const std::string n = text(name);
    std::string folder;
    if (!n.empty() && n[0] == '\\')
        folder.clear();
    else if (!ownerFolder(action, folder))
        folder = text(GetDataPathString()) + "\\";
    return JxCString((folder + n + ".mov").c_str());
}
