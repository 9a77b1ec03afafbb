#pragma once
// A file of the title that is not there, named to the user and asked
// about. A file of a disc (the disc may have been taken out or swapped),
// or any file for a developer, who is offered to look for it, goes the
// file opener's road (foundation/JxFileUtils.h: HandleFileNotFound): Retry
// looks again, Ignore goes on without it. Elsewhere the file will not come
// back by itself, and an OK box says which it is.

#include "foundation/JxCString.h"

// Names the missing file; `missingId` is the message of the OK box, with
// the name as its argument. True when the user asks to look again.
// `discCheckedAgain` belongs to the caller's retries (HandleFileNotFound).
bool AskAboutMissingFile(const JxCString& name, unsigned missingId, bool& discCheckedAgain);
