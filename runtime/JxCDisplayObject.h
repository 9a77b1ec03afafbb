#pragma once
// The display object: the base of everything drawn inside a panel (bitmaps,
// buttons, hotspots, scrolling objects, edit boxes, paragraph text,
// collages and the title's widgets). It holds the object's rectangle, its
// option and state flags, its id and tag, an optional polygon region, its
// cursor name and Z order; it reads the common part of every display-object
// record and gives the defaults of the operations the panel calls for
// drawing, mouse, keys and focus.
//
// It lives here, beside the panel and the product, because the product's
// pages, printing and main window hold and ask display objects and panels;
// the widgets that derive from it live in the objects layer.

#include <cstdint>
#include <memory>

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCList.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCSize.h"
#include "foundation/JxCTableString.h"
#include "foundation/JxObjectRef.h"
#include "runtime/JxCProductDef.h"
#include "runtime/JxCTypeKey.h"

class JxCInStrStream;
class JxCKeyParams;
class JxCPolyRegion;
class JxCSlate;

class JxCDisplayObject : public JxCRunTimeObject {
public:
    // Option flags.
    static constexpr std::int32_t kOptionAlwaysActive = 0x1;
    static constexpr std::int32_t kOptionOwnCapture = 0x2;
    static constexpr std::int32_t kOptionResetResources = 0x4;
    static constexpr std::int32_t kOptionPreload = 0x8;
    static constexpr std::int32_t kOptionLoadOnDemand = 0x10;
    static constexpr std::int32_t kOptionAutoPlay = 0x20;
    static constexpr std::int32_t kOptionAutoRewind = 0x40;
    static constexpr std::int32_t kOptionPlayInChild = 0x80;
    static constexpr std::int32_t kOptionNoRectScrunge = 0x100;
    static constexpr std::int32_t kOptionFixedPosition = 0x200;
    static constexpr std::int32_t kOptionNoRefresh = 0x400;
    static constexpr std::int32_t kOptionPolyRegion = 0x800;
    // State flags.
    static constexpr std::int32_t kStateDisabled = 0x1;
    static constexpr std::int32_t kStateOverButton = 0x2;
    static constexpr std::int32_t kStateSelected = 0x4;

    JxCDisplayObject();
    // Tells the container's panel that the object goes, so that it keeps
    // no capture, hover, focus or tracked reference to it.
    ~JxCDisplayObject() override;
    JxCDisplayObject(const JxCDisplayObject&) = delete;
    JxCDisplayObject& operator=(const JxCDisplayObject&) = delete;

    // Stores the container and the type the object was made as; 1.
    std::int16_t Attach(JxCRunTimeObject* container, const JxCTypeKey& type);
    const JxCTypeKey& GetTypeKey() const { return typeKey_; }

    // Reads the common record (after the type id the panel read); 0 on a
    // damaged record, and the panel drops the object.
    virtual std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type);
    virtual std::int16_t ResetFlags();
    virtual const JxCRect& GetRect() const { return rect_; }
    // The base rectangle for a "FixedPosition" object, else the rectangle.
    virtual const JxCRect& GetDrawRect() const;
    virtual std::int16_t HitTest(const JxCPoint& point);
    virtual std::int16_t Draw(JxCSlate* slate, const JxCRect* clip);
    virtual std::int16_t MouseDown(const JxCPoint& point);
    // Stops every playing object; 1.
    virtual std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag);
    virtual std::int16_t MouseDoubleClick(const JxCPoint& point);
    // Shows the object's cursor (see ChooseCursor); 1.
    virtual std::int16_t MouseMove(const JxCPoint& point);
    virtual std::int16_t MouseEnter() { return 1; }
    virtual std::int16_t MouseLeave() { return 1; }
    // Called once the page is shown; 0 stops the panel's walk.
    virtual std::int16_t Start() { return 1; }
    virtual void SetId(std::int32_t id) { id_ = id; }
    virtual void SetTag(std::int32_t tag) { tag_ = tag; }
    // A "FixedPosition" object stays at its base rectangle moved by the
    // scroll offset.
    virtual void ApplyScrollOffset(const JxCSize& offset);
    virtual void SetRect(const JxCRect& rect) { rect_ = rect; }
    virtual std::int16_t IsActive() const { return transparent_; }
    virtual std::int16_t HandleKey(JxCKeyParams& key);
    virtual std::int32_t SetFocus() { return 0; }
    virtual std::int32_t KillFocus() { return 0; }
    virtual std::int32_t HandleCommand(std::int32_t code, std::int32_t a, std::int32_t b, std::int32_t c);
    virtual std::int16_t SetImage(const JxCTableString& name, std::int16_t redraw);
    virtual void Activate() { transparent_ = 1; }
    virtual void Deactivate() { transparent_ = 0; }
    virtual const JxCString& GetText() const;

    std::int32_t GetId() const { return id_; }
    std::int32_t GetTag() const { return tag_; }
    std::int32_t GetStateFlags() const { return stateFlags_; }
    void SetStateFlags(std::int32_t bits) { stateFlags_ |= bits; }
    void ClearStateFlags(std::int32_t bits) { stateFlags_ &= ~bits; }
    std::int16_t TestStateFlags(std::int32_t bits) const { return (stateFlags_ & bits) ? 1 : 0; }
    std::int32_t GetOptionFlags() const { return optionFlags_; }
    void SetOptionFlags(std::int32_t bits) { optionFlags_ |= bits; }
    void ClearOptionFlags(std::int32_t bits) { optionFlags_ &= ~bits; }
    std::int16_t TestOptionFlags(std::int32_t bits) const { return (optionFlags_ & bits) ? 1 : 0; }
    std::int16_t IsVisible() const { return visible_; }
    std::int32_t GetZOrder() const { return zOrder_; }
    const JxCTableString& GetCursorName() const { return cursorName_; }
    void SetCursorName(const JxCTableString& name) { cursorName_ = name; }
    const JxCPolyRegion* GetRegion() const { return region_.get(); }

    // --- Run-time object ---------------------------------------------------
    std::int32_t GetKind() const override { return kDisplayObjectKind; }
    // Through the container; none while the container is a closing panel.
    void* GetDC() override;
    std::int16_t ReleaseDC(void* dc) override;
    JxCSlate* GetSlate() override;
    std::int16_t ReleaseSlate(JxCSlate* slate) override;
    std::int16_t GetNumberProperty(std::int16_t index, std::int32_t* value) override;
    std::int16_t SetNumberProperty(std::int16_t index, std::int32_t value) override;
    std::int16_t GetFlagProperty(std::int16_t index, std::int16_t* flag) override;
    std::int16_t SetFlagProperty(std::int16_t index, std::int16_t flag) override;
    std::int16_t GetStringProperty(std::int16_t index, JxCString* text) override;
    std::int16_t SetStringProperty(std::int16_t index, const JxCString& text) override;
    JxPropertyKind GetPropertyInfo(std::int16_t index, std::int32_t* stringId) override;

protected:
    // The container's redraw of an area of it (content coordinates).
    void RedrawInContainer(const JxCRect& area);
    // The visible and transparent words, for the classes that switch them.
    void SetVisibleWord(std::int16_t visible) { visible_ = visible; }
    void SetTransparentWord(std::int16_t transparent) { transparent_ = transparent; }

private:
    std::int16_t readRecord(JxCInStrStream& in);
    // The mask of the flag property, or 0; the word properties 26 and 30
    // are answered apart.
    static std::int32_t optionBitOf(std::int32_t index);
    static std::int32_t stateBitOf(std::int32_t index);
    std::int16_t setPosition(std::int16_t index, std::int32_t value);
    std::int16_t setZOrder(std::int32_t value);

    JxCTypeKey typeKey_;
    std::int32_t optionFlags_ = 0;
    JxCRect rect_;
    std::unique_ptr<JxCPolyRegion> region_;
    JxCTableString cursorName_;
    std::int32_t stateFlags_ = 0;
    std::int32_t id_ = 0;
    std::int32_t tag_ = 0;
    JxCRect baseRect_;
    std::int16_t visible_ = 1;
    std::int32_t zOrder_ = 0;
    std::int16_t transparent_ = 0;
};

// A panel's display objects, bottom (lowest "Z Order") first.
class JxCDisplayObjectList : public JxCTypedList<JxCDisplayObject> {
public:
    JxCDisplayObjectList() { SetOwnsItems(1); }
    // Before the first object of a greater Z order, else at the end: equal
    // orders keep their insertion order.
    std::int16_t InsertByZOrder(JxCDisplayObject* object);
    // Moves the object to its place after its Z order changed; nothing when
    // it is not in the list.
    void ReorderByZ(JxCDisplayObject* object);
};

// 1 when the pixel of the picture under the point (object coordinates: the
// object's top-left is the picture's) is the product's transparent index;
// 0 outside the picture or on any other colour.
std::int16_t IsTransparentPixelAt(const JxCDisplayObject& object, const JxObjectRef& bitmap, const JxCPoint& point);

// What the pointer over an object shows: the product's default cursor
// while the object's panel is active or while media plays and the object is
// not "AlwaysActive", else the object's own cursor.
JxCTableString ChooseCursor(const JxCDisplayObject& object);

// Whether any media object plays; installed by the layer that keeps them
// (null uninstalls; the previous query is returned). Without one, nothing
// plays.
using JxMediaPlayingQuery = bool (*)();
JxMediaPlayingQuery SetMediaPlayingQuery(JxMediaPlayingQuery query);
bool AnyMediaPlaying();

// The product's default cursor name.
JxCTableString DefaultCursorName();

// "Left", "Top", "Width" and "Height" of a rectangle, for display objects
// and panels alike: the value of the index (false for another index), and
// the rectangle with the index set to the value, which must be 0 or more
// and keep the far edge within the bound (false, nothing changed, when it
// does not). The area to redraw after a change is the union of the two.
bool GetRectangleProperty(const JxCRect& rect, std::int16_t index, std::int32_t& value);
bool SetRectangleProperty(JxCRect& rect, std::int16_t index, std::int32_t value, const JxCSize& bound);
JxCRect UnionOf(const JxCRect& a, const JxCRect& b);

// The kind of a property among the number, flag and string indexes a
// class answers (a number index is listed in numbers, ...), with its name's
// string id when asked for.
JxPropertyKind PropertyKindIn(std::int16_t index, std::int32_t* nameId, bool number, bool flag, bool string);
