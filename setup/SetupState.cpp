#include "setup/SetupState.h"

#include <vector>

#include "platform/config/profile.h"
#include "setup/InstallJournal.h"

namespace {

SetupState& state()
{
    static SetupState s;
    return s;
}

}  // namespace

SetupState& Setup() { return state(); }

void ResetSetup()
{
    state() = SetupState{};
    Journal().Clear();
}

std::string ScriptValue(const char* section, const char* key, const char* fallback, std::size_t capacity)
{
    std::vector<char> value(capacity, '\0');
    plat::GetPrivateProfileStringA(section, key, fallback, value.data(), plat::DWORD(capacity),
                                   state().scriptPath.c_str());
    return value.data();
}
