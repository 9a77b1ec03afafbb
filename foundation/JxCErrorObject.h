#pragma once
// Deferred reports: a message id and its text, kept in one global list
// until the next page opens or the program ends.

#include <cstdint>

#include "foundation/JxCList.h"
#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"

class JxCErrorObject : public JxCObject {
public:
    // The text is kept to its first 255 bytes (whole characters).
    JxCErrorObject(std::int32_t id, const char* text);
    ~JxCErrorObject() override = default;

    std::int32_t GetId() const { return id_; }
    const JxCString& GetText() const { return text_; }

    static constexpr std::uint32_t kMaxTextLength = 255;

private:
    std::int32_t id_;
    JxCString text_;
};

// The list owns its reports.
class JxCErrorObjectList : public JxCList {
public:
    JxCErrorObjectList();
    ~JxCErrorObjectList() override;

    JxCErrorObject* First() { return static_cast<JxCErrorObject*>(GetFirst()); }
    JxCErrorObject* Next(const JxCErrorObject* report) { return static_cast<JxCErrorObject*>(GetNext(report)); }
    std::int16_t Add(JxCErrorObject* report) { return JxCList::Add(report); }
    std::int16_t Remove(JxCErrorObject* report) { return JxCList::Remove(report); }
};

JxCErrorObjectList& GetErrorObjectList();
void QueueError(std::int32_t id, const char* text);
// Removes and deletes every queued report; answers 1.
int ClearDeferredErrors();
