#pragma once
// The base of everything that exists at run time under a name: display
// objects, panels, pages, page definitions, the product and the action
// processor.
//
// A stand-in so far for its event handlers and notifications; built are the
// container, the list of shared bitmap references the object uses, and the
// numbered property interface with its result codes, which the display
// objects and panels answer.

#include <cstdint>

#include "events/JxCBitmapRef.h"
#include "events/JxCNotifyRoot.h"
#include "foundation/JxCString.h"
#include "platform/core/types.h"

class JxCSlate;

// Results of the property operations.
enum JxPropertyResult : std::int16_t {
    kPropertyDone = 0,
    kPropertyMissing = 1,
    kPropertyNoPlace = 2,  // also a "Z Order" out of its range
    kPropertyNoFit = 3,
    kPropertyReadOnly = 5,
    kPropertyWrongKind = 7,
};

// What GetPropertyInfo answers.
enum JxPropertyKind : std::int32_t {
    kPropertyKindNone = 0,
    kPropertyKindNumber = 1,
    kPropertyKindFlag = 2,
    kPropertyKindString = 3,
    kPropertyKindEvent = 4,
};

// Property numbers; a property's display name is string id 1299 + number
// for 1 to 30 (30 is 1329), 1332 and 1333 for 31 and 33.
enum JxPropertyIndex : std::int32_t {
    kPropLeft = 1,
    kPropTop = 2,
    kPropWidth = 3,
    kPropHeight = 4,
    kPropHighlight = 5,
    kPropScrollWidth = 6,
    kPropScrollHeight = 7,
    kPropDisabled = 8,
    kPropOverButton = 9,
    kPropSelected = 10,
    kPropAlwaysActive = 11,
    kPropOwnCapture = 12,
    kPropResetResources = 13,
    kPropPreload = 14,
    kPropLoadOnDemand = 15,
    kPropAutoPlay = 16,
    kPropAutoRewind = 17,
    kPropPlayInChild = 18,
    kPropNoRectScrunge = 19,
    kPropFixedPosition = 20,
    kPropNoRefresh = 21,
    kPropPageCloseIfClicked = 22,
    kPropName = 23,
    kPropFile = 24,
    kPropOnClick = 25,
    kPropTransparent = 26,
    kPropPolyRegion = 27,
    kPropValue = 28,
    kPropZOrder = 29,
    kPropVisible = 30,
    kPropText = 31,
    kPropCursor = 33,
};

// What GetKind answers.
enum JxRunTimeKind : std::int32_t {
    kKindPlain = 0,
    kKindDisplayObject = 1,
    kKindPage = 2,
    kKindPanel = 3,
};

class JxCRunTimeObject : public JxCNotifyRoot {
public:
    JxCRunTimeObject() = default;
    // A copy shares no bitmap references and has no container.
    JxCRunTimeObject(const JxCRunTimeObject& other) : JxCNotifyRoot(other) {}
    JxCRunTimeObject& operator=(const JxCRunTimeObject&) = delete;
    // Releases the object's bitmap references.
    ~JxCRunTimeObject() override;

    // Raises an event on the object: the notifications registered for it
    // and the handlers of the object, the current page, its definition and
    // template and the product definition. Until the handlers and the
    // notifications exist, an event reaches nobody.
    virtual void DispatchEvent(std::int16_t eventId, std::int16_t key)
    {
        (void)eventId;
        (void)key;
    }

    // The folder the object's media files are read from: its container's;
    // empty without a container.
    virtual JxCString GetDataPath() const;
    virtual plat::HDC GetDC() { return nullptr; }
    virtual std::int16_t ReleaseDC(plat::HDC dc)
    {
        (void)dc;
        return 0;
    }
    // A slate to draw the object into, given back with ReleaseSlate.
    virtual JxCSlate* GetSlate() { return nullptr; }
    virtual std::int16_t ReleaseSlate(JxCSlate* slate)
    {
        (void)slate;
        return 0;
    }
    virtual JxCRunTimeObject* GetContainer() const { return container_; }
    void SetContainer(JxCRunTimeObject* container) { container_ = container; }
    // Stops whatever the object plays.
    virtual std::int16_t Stop() { return 0; }

    // The numbered properties (JxPropertyIndex); results are JxPropertyResult.
    virtual std::int16_t GetNumberProperty(std::int32_t index, std::int32_t* value);
    virtual std::int16_t SetNumberProperty(std::int32_t index, std::int32_t value);
    virtual std::int16_t GetFlagProperty(std::int32_t index, std::int16_t* flag);
    virtual std::int16_t SetFlagProperty(std::int32_t index, std::int16_t flag);
    virtual std::int16_t GetStringProperty(std::int32_t index, JxCString* text);
    virtual std::int16_t SetStringProperty(std::int32_t index, const JxCString& text);
    // The kind of the property (JxPropertyKind); its name's string id goes
    // to stringId when given.
    virtual std::int32_t GetPropertyInfo(std::int32_t index, std::int32_t* stringId);
    // 0 when the property is of the kind, 7 when of another, 1 when there is
    // none.
    std::int16_t CheckPropertyKind(std::int32_t index, std::int32_t kind);

    virtual std::int32_t GetKind() const { return kKindPlain; }
    // Builds what the object needs to be shown; 1 on success.
    virtual std::int16_t CreateResources() { return 1; }
    // Undoes CreateResources: the object's bitmap references are released.
    virtual std::int16_t ReleaseResources();

    // The shared bitmap references the object uses (not owned).
    JxCBitmapRefList& GetBitmapRefs() { return bitmapRefs_; }

private:
    JxCRunTimeObject* container_ = nullptr;
    JxCBitmapRefList bitmapRefs_;
};
