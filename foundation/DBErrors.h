#pragma once
// The error codes of the xBase table library. Every operation of the
// streams, tables, records and fields returns one of them (0 = success)
// and shows nothing to the user: callers decide what to say. The message
// texts of the codes are string ids of the same numbers.

#include <cstdint>

using DBError = std::int16_t;

constexpr DBError kDbOk = 0;
constexpr DBError kDbNotReady = 9501;          // drive not ready
constexpr DBError kDbPathNotFound = 9502;
constexpr DBError kDbDeviceBusy = 9503;
constexpr DBError kDbFileExists = 9504;
constexpr DBError kDbFileNotFound = 9505;
constexpr DBError kDbBadHeader = 9506;         // header or descriptors unreadable, invalid or unwritable
constexpr DBError kDbSharingViolation = 9510;
constexpr DBError kDbWriteProtected = 9511;    // write-protected or locked
constexpr DBError kDbCannotOpen = 9512;
constexpr DBError kDbJoinedPath = 9514;
constexpr DBError kDbNetworkDenied = 9521;
constexpr DBError kDbAppendFailed = 9522;
constexpr DBError kDbOutOfRange = 9531;        // too wide for its field, bad record number, overflow
constexpr DBError kDbBadArgument = 9533;
constexpr DBError kDbOutOfMemory = 9540;
constexpr DBError kDbDiskFull = 9541;
constexpr DBError kDbTooManyFiles = 9570;
constexpr DBError kDbNoSuchField = 9574;
constexpr DBError kDbBadField = 9575;          // bad field index or a field of the wrong type
constexpr DBError kDbNotBound = 9576;          // record not bound to an open table
constexpr DBError kDbNoMemo = 9579;
constexpr DBError kDbNoMatch = 9589;
constexpr DBError kDbPastEnd = 9601;
constexpr DBError kDbBeforeStart = 9602;
constexpr DBError kDbLayoutsDiffer = 9604;
constexpr DBError kDbNotOpen = 9605;           // table empty or not open
constexpr DBError kDbLockViolation = 9606;
constexpr DBError kDbBadFileName = 9608;
constexpr DBError kDbZeroBuffer = 9617;
constexpr DBError kDbAccessDenied = 9619;
constexpr DBError kDbWriteFault = 9624;
constexpr DBError kDbSystemError = 9626;       // any other system error; memory stream overrun
constexpr DBError kDbRecursion = 9627;
constexpr DBError kDbTooManyMatches = 9629;

// The code for a Windows system error code (anything unlisted, 0 too,
// gives kDbSystemError).
DBError SystemErrorToDbError(std::uint32_t systemError);
// The same, for the calling thread's last system error.
DBError MapSystemErrorToDbError();

// "OK" for 0; otherwise the message text of the code, or "Unknown Error".
// The text lives in one shared string until the next call.
const char* GetDbErrorText(DBError code);
