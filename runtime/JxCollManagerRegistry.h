#pragma once
// The two registries of collage manager types by name: arrangement
// managers ("Regular") and data managers (the title's lists). A collage's
// record names one of each, and its reader makes them through the creators
// found here. Names are compared without regard to case. Registering a
// name again counts one more use (the first creator stays); each
// unregistering takes one use back, and the last removes the entry.
//
// The title registers its managers at start-up and unregisters them at
// exit, by explicit calls.

#include <cstdint>

#include "foundation/JxCTableString.h"

class JxCCollArrangementManager;
class JxCCollDataManager;

using JxArrangementManagerCreator = JxCCollArrangementManager* (*)();
using JxDataManagerCreator = JxCCollDataManager* (*)();

void RegisterArrangementManagerType(const JxCTableString& name, JxArrangementManagerCreator creator);
void RegisterDataManagerType(const JxCTableString& name, JxDataManagerCreator creator);
// 1 when the name was registered, else 0.
std::int16_t UnregisterArrangementManagerType(const JxCTableString& name);
std::int16_t UnregisterDataManagerType(const JxCTableString& name);
// The creator registered under the name; null for none.
JxArrangementManagerCreator FindArrangementManagerType(const JxCTableString& name);
JxDataManagerCreator FindDataManagerType(const JxCTableString& name);
