#include "foundation/DBErrors.h"

#include <string>

#include "foundation/JxStringLoader.h"
#include "platform/fs/errors.h"

DBError SystemErrorToDbError(std::uint32_t systemError)
{
    switch (systemError) {
    case 2: return kDbFileNotFound;
    case 3: case 15: case 20: case 144: case 267: return kDbPathNotFound;
    case 4: case 18: case 36: case 113: return kDbTooManyFiles;
    case 5: return kDbAccessDenied;
    case 6: case 24: case 55: case 87: case 122: case 132: case 161: case 183: case 186: case 254:
        return kDbBadArgument;
    case 8: return kDbOutOfMemory;
    case 12: case 82: case 110: case 1005: return kDbCannotOpen;
    case 14: case 39: case 112: return kDbDiskFull;
    case 19: case 33: case 108: return kDbWriteProtected;
    case 21: return kDbNotReady;
    case 29: return kDbWriteFault;
    case 32: case 148: return kDbSharingViolation;
    case 38: return kDbPastEnd;
    case 65: case 86: case 994: return kDbNetworkDenied;
    case 80: return kDbFileExists;
    case 111: return kDbOutOfRange;
    case 123: return kDbBadFileName;
    case 131: return kDbBeforeStart;
    case 146: case 147: return kDbJoinedPath;
    case 167: case 173: case 174: return kDbLockViolation;
    case 170: return kDbDeviceBusy;
    case 276: return kDbBadHeader;
    case 1001: return kDbRecursion;
    // The platform's own codes for the conditions Windows reports with the
    // numbers above (its open call keeps separate numbers for them).
    case plat::ERROR_NO_DISC: return kDbNotReady;
    case plat::ERROR_WRITE_PROTECTED: return kDbWriteProtected;
    case plat::ERROR_DISK_FULL: return kDbDiskFull;
    case plat::ERROR_SHARING: return kDbSharingViolation;
    default: return kDbSystemError;
    }
}

DBError MapSystemErrorToDbError()
{
    return SystemErrorToDbError(plat::GetLastError());
}

const char* GetDbErrorText(DBError code)
{
    static std::string text;
    if (code == kDbOk)
        text = "OK";
    else if (code < 0 || !LoadStringText(static_cast<unsigned>(code), text))
        text = "Unknown Error";
    return text.c_str();
}
