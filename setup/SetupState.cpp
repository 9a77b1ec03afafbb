#include "setup/SetupState.h"

#include <vector>

#include "platform/config/profile.h"

namespace {

SetupState& state()
{
    static SetupState s;
    return s;
}

// The current script, parsed once for every value asked of it: the
// installer never changes it, and a list of a few hundred files would
// otherwise read the whole file again for every name.
struct ParsedScript {
    std::string path;
    plat::IniDocument document;
    bool loaded = false;
};

ParsedScript& parsed()
{
    static ParsedScript script;
    return script;
}

const plat::IniDocument& currentScript()
{
    ParsedScript& script = parsed();
    const std::string& path = state().scriptPath;
    if (!script.loaded || script.path != path) {
        script.document = plat::ReadPrivateProfile(path.c_str());
        script.path = path;
        script.loaded = true;
    }
    return script.document;
}

}  // namespace

SetupState& Setup() { return state(); }

void ResetSetup()
{
    state() = SetupState{};
    parsed() = ParsedScript{};
}

std::string ScriptValue(const char* section, const char* key, const char* fallback, std::size_t capacity)
{
    std::vector<char> value(capacity, '\0');
    plat::GetProfileStringOf(currentScript(), section, key, fallback, value.data(), plat::DWORD(capacity));
    return value.data();
}
