#pragma once
// Named values of the application's settings, read from the registry or,
// on a platform without one, from a private INI file. Under the registry
// the values sit under "Software\<company>\<product>" of the resource
// library (with the language code appended for languages other than US and
// UK English), looked for under the current user first and then the local
// machine; without it they are read from the title's INI file. The store
// only reads.

#include <cstdint>
#include <functional>

#include "foundation/JxCString.h"

// What the key path is made of: the resource library's company and product
// names and language id (its version information), and the current
// language's two-letter code.
struct JxSettingsIdentity {
    JxCString company;
    JxCString product;
    std::uint16_t languageId = 0;
    JxCString languageCode;
};
using JxSettingsIdentityProvider = std::function<JxSettingsIdentity()>;

// Installs the provider (an empty function: the version information of the
// newest resource library and the selected language's code); returns the
// previous.
JxSettingsIdentityProvider SetSettingsIdentityProvider(JxSettingsIdentityProvider provider);
JxSettingsIdentity GetSettingsIdentity();

class JxCSettings {
public:
    // The application's settings.
    JxCSettings();
    ~JxCSettings();

    static bool UsesRegistry();

    // The value of name under the sub-key (registry) or in the section (INI
    // file); value keeps defaultValue and the answer is false when it is
    // missing.
    bool GetString(const char* name, JxCString& value, const char* subKey, const char* defaultValue) const;
    JxCString BuildKeyPath(const char* subKey) const;

    bool IsUsingRegistry() const { return useRegistry_ != 0; }
    const JxCString& GetKeyPath() const { return keyPath_; }
    const JxCString& GetIniPath() const { return iniPath_; }

private:
    bool readRegistry(const char* name, JxCString& value, const char* subKey) const;
    bool readIni(const char* name, JxCString& value, const char* subKey, const char* defaultValue) const;

    JxCString name_;
    JxCString iniPath_;
    JxCString section_;
    JxCString keyPath_;
    std::int16_t useRegistry_ = 0;
};

// The title's INI file as the product INI look-up finds it, through
// GetMmappIniPath.
void GetSettingsIniPath(JxCString& path);
// The shared "mmapp.ini": WIN.INI section "mmapp", value "Path" when it
// names an existing file, else "ShortPath" + "\mmapp.ini" when that exists.
bool GetMmappIniPath(JxCString& path);
