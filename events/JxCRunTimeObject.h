#pragma once
// The base of everything that exists at run time under a name: display
// objects, panels, pages, page definitions, the product, the action
// processor, text output and the transitions. It adds to the notify root the
// object's event handlers (which it owns), its shared-bitmap references
// (which it does not own), its container and the numbered property
// interface (events/JxProperties.h) that lets generic code read and change
// any object by number.
//
// Raising an event (DispatchEvent) runs, in order and without stopping
// early: the before-event notifications, the object's own handlers, the
// handlers of the current page, of its definition and of its template while
// that page is still open, the product definition's handlers and the
// after-event notifications. The current page hears every object's event,
// wherever the object lies: a panel's "on_open" as it starts reaches the
// page's definition as the page's own does, and titles bind their handlers
// knowing so. The stages above the object are reached through the event
// link that the product installs (events/JxEventLink.h).

#include <cstdint>

#include "events/JxCEventHandler.h"
#include "events/JxCNotifyRoot.h"
#include "events/JxProperties.h"
#include "foundation/JxCList.h"
#include "foundation/JxCString.h"

class JxCInStrStream;
class JxCSlate;

// The shared-bitmap references an object uses; they belong to the global
// reference list, so this list does not own them.
class JxCBitmapRefList : public JxCList {
public:
    JxCBitmapRefList() { SetOwnsItems(0); }
};

// Gives one reference back to the global reference list; installed by the
// layer that keeps that list. Null uninstalls; the previous one is returned.
using JxBitmapRefReleaser = void (*)(JxCObject* reference);
JxBitmapRefReleaser SetBitmapRefReleaser(JxBitmapRefReleaser releaser);

class JxCRunTimeObject : public JxCNotifyRoot {
public:
    JxCRunTimeObject();
    ~JxCRunTimeObject() override;
    JxCRunTimeObject(const JxCRunTimeObject&) = delete;
    JxCRunTimeObject& operator=(const JxCRunTimeObject&) = delete;

    virtual std::int16_t ReservedGet(std::int32_t value);
    // The folder the object's media files are read from: empty without a
    // container; the page's folder when the container keeps its own
    // (GetFolderPage); otherwise the product definition's folder and "\".
    virtual JxCString GetDataPath();
    virtual void* GetDC();
    virtual std::int16_t ReleaseDC(void* dc);
    // A new drawing slate, the caller's to release; null by default.
    virtual JxCSlate* GetSlate();
    virtual std::int16_t ReleaseSlate(JxCSlate* slate);
    virtual std::int16_t ReservedAccept(std::int32_t value);
    virtual JxCRunTimeObject* GetContainer() const;
    // Stops whatever the object plays.
    virtual std::int16_t Stop();

    // Numbered properties; results are JxPropertyResult codes. A get with
    // a null place answers 2 once it has found the property.
    virtual std::int16_t GetNumberProperty(std::int16_t index, std::int32_t* value);
    virtual std::int16_t SetNumberProperty(std::int16_t index, std::int32_t value);
    virtual std::int16_t GetFlagProperty(std::int16_t index, std::int16_t* flag);
    virtual std::int16_t SetFlagProperty(std::int16_t index, std::int16_t flag);
    virtual std::int16_t GetStringProperty(std::int16_t index, JxCString* text);
    virtual std::int16_t SetStringProperty(std::int16_t index, const JxCString& text);
    // The kind of the property (0: the object has none); the string id of
    // its display name goes to nameId when given.
    virtual JxPropertyKind GetPropertyInfo(std::int16_t index, std::int32_t* nameId);
    virtual void* GetSharedData();
    // 0 plain, 1 display object, 2 page, 3 panel (JxRunTimeKind).
    virtual std::int32_t GetKind() const;
    // Builds what the object needs to be shown; 1 = success. May alternate
    // with ReleaseResources any number of times.
    virtual std::int16_t CreateResources();
    // Gives every bitmap reference back and empties the list; 1.
    virtual std::int16_t ReleaseResources();

    // 0 when the property has that kind, 7 when it has another, 1 when the
    // object has no such property.
    std::int16_t CheckPropertyKind(std::int16_t index, JxPropertyKind kind);

    // Raises the event on this object. The key reaches the notifications
    // only; handlers match on the event id.
    virtual void DispatchEvent(std::int16_t eventId, std::int16_t key);
    // Posts the actions of every handler of the list for the event; a post
    // that fails ends the product's busy state once the walk is done.
    void RunEventHandlers(JxCEventHandlerList* list, std::int16_t eventId);
    // 0 while an action of this object's own handlers for the event plays.
    std::int16_t IsEventIdle(std::int16_t eventId);

    // The scope word that ends a run-time object's record: 0 reads (1), any
    // other value fails the record (0): no kind of scope object exists.
    std::int16_t ReadScope(JxCInStrStream& in);
    // The record trailer: the handler list, then the scope word.
    std::int16_t ReadHandlersAndScope(JxCInStrStream& in);

    JxCEventHandlerList& GetEventHandlers() { return handlers_; }
    JxCBitmapRefList& GetBitmapRefs() { return bitmapRefs_; }
    // Set by the holder as it attaches the object; not owned.
    void SetContainer(JxCRunTimeObject* container) { container_ = container; }

protected:
    // The page whose folder this object's contents use, for a container
    // that keeps a folder of its own; null otherwise.
    virtual JxCRunTimeObject* GetFolderPage();

private:
    JxCEventHandlerList handlers_;
    void* scope_ = nullptr;  // stays null: no scope objects exist
    JxCBitmapRefList bitmapRefs_;
    JxCRunTimeObject* container_ = nullptr;
};

// A watch on one run-time object for as long as a caller needs it (an event
// raised, a handler walk): the object's destructor marks every watch on it,
// so the caller knows not to touch the object, or what it owned, any more.
// Watches live on the stack and nest.
class JxCLifeWatch {
public:
    explicit JxCLifeWatch(const JxCRunTimeObject* object);
    ~JxCLifeWatch();
    JxCLifeWatch(const JxCLifeWatch&) = delete;
    JxCLifeWatch& operator=(const JxCLifeWatch&) = delete;

    bool IsDead() const { return dead_; }
    // Called by the object's destructor.
    static void MarkDead(const JxCRunTimeObject* dying);

private:
    static JxCLifeWatch*& top();

    const JxCRunTimeObject* object_;
    JxCLifeWatch* below_;
    bool dead_ = false;
};
