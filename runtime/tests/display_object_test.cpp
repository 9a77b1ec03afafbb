// The display-object base: its record, hit test, scroll offset, numbered
// properties, the Z-ordered list and the see-through pixel test.

#include <gtest/gtest.h>

#include <vector>

#include "foundation/JxCInStrStream.h"
#include "graphics/JxCMemorySlate.h"
#include "graphics/JxCPolyRegion.h"
#include "platform/backend/harness.h"
#include "platform/draw/draw.h"
#include "runtime/JxCDisplayObject.h"
#include "runtime/JxCPanelObject.h"
#include "testkit/big_endian.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A display-object record after its type id.
struct Record {
    std::uint16_t options = 0;
    std::int16_t rect[4] = {1, 2, 30, 40};
    std::int16_t z = 0;
    Bytes region;
    Bytes Encode() const
    {
        Bytes out;
        for (std::uint16_t v : {std::uint16_t(7), std::uint16_t(9), options})  // id, tag, options
            testkit::PutBigEndian16(out, v);
        if (!(options & JxCDisplayObject::kOptionNoRectScrunge))
            for (std::int16_t v : rect)
                testkit::PutBigEndian16(out, std::uint16_t(v));
        testkit::PutBigEndian16(out, 0);  // no cursor
        testkit::PutBigEndian16(out, 1);  // visible
        testkit::PutBigEndian16(out, std::uint16_t(z));
        if (options & JxCDisplayObject::kOptionPolyRegion)
            out.insert(out.end(), region.begin(), region.end());
        for (int i = 0; i < 3; ++i)  // transparent, no handlers, scope
            testkit::PutBigEndian16(out, 0);
        return out;
    }
};

std::int16_t readInto(JxCDisplayObject& object, const Bytes& bytes, JxCRunTimeObject* container = nullptr)
{
    JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
    return object.Read(in, container, JxCTypeKey());
}

// A region of one 2-pixel cell per row: cells (0..1, 0..1) and (0..1, 2..3).
Bytes smallRegion()
{
    Bytes out;
    for (std::uint16_t v : {0, 0, 4, 4, 2, 2, 2, 1})  // origin, size, rows, cell, entries, across
        testkit::PutBigEndian16(out, v);
    for (std::uint32_t run : {JxCPolyRegion::MakeRun(0, 1, 0), JxCPolyRegion::MakeRun(0, 1, 0)})
        for (int i = 0; i < 4; ++i)
            out.push_back(std::uint8_t(run >> (8 * i)));
    return out;
}

TEST(DisplayObject, ReadsItsRecordAndFailsOnAnyCut)
{
    Record r;
    r.z = -5;
    const Bytes bytes = r.Encode();
    JxCDisplayObject object;
    ASSERT_EQ(readInto(object, bytes), 1);
    EXPECT_EQ(object.GetId(), 7);
    EXPECT_EQ(object.GetTag(), 9);
    EXPECT_EQ(object.GetRect(), JxCRect(1, 2, 30, 40));
    EXPECT_EQ(object.GetZOrder(), -5);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        JxCDisplayObject part;
        EXPECT_EQ(readInto(part, Bytes(bytes.begin(), bytes.begin() + std::ptrdiff_t(cut))), 0) << cut;
    }
}

TEST(DisplayObject, ARecordWithoutRectangleKeepsAnEmptyOne)
{
    Record r;
    r.options = JxCDisplayObject::kOptionNoRectScrunge;
    JxCDisplayObject object;
    ASSERT_EQ(readInto(object, r.Encode()), 1);
    EXPECT_EQ(object.GetRect(), JxCRect());
}

TEST(DisplayObject, AFixedObjectMovesWithTheScrollOffsetFromItsBase)
{
    Record r;
    r.options = JxCDisplayObject::kOptionFixedPosition;
    JxCDisplayObject fixed, loose;
    ASSERT_EQ(readInto(fixed, r.Encode()), 1);
    r.options = 0;
    ASSERT_EQ(readInto(loose, r.Encode()), 1);
    for (int i = 0; i < 2; ++i) {
        fixed.ApplyScrollOffset(JxCSize(10, 20));
        loose.ApplyScrollOffset(JxCSize(10, 20));
    }
    EXPECT_EQ(fixed.GetRect(), JxCRect(11, 22, 40, 60));
    EXPECT_EQ(fixed.GetDrawRect(), JxCRect(1, 2, 30, 40));
    EXPECT_EQ(loose.GetRect(), JxCRect(1, 2, 30, 40));
}

TEST(DisplayObject, HitTestsTheRectangleTheRegionAndTheDisabledFlag)
{
    Record r;
    r.options = JxCDisplayObject::kOptionPolyRegion;
    r.rect[0] = 0;
    r.rect[1] = 0;
    r.region = smallRegion();
    JxCDisplayObject shaped;
    ASSERT_EQ(readInto(shaped, r.Encode()), 1);
    ASSERT_NE(shaped.GetRegion(), nullptr);
    EXPECT_EQ(shaped.HitTest(JxCPoint(1, 3)), 1);
    EXPECT_EQ(shaped.HitTest(JxCPoint(3, 1)), 0);   // in the rectangle, outside the region
    EXPECT_EQ(shaped.HitTest(JxCPoint(50, 1)), 0);  // outside the rectangle
    shaped.SetStateFlags(JxCDisplayObject::kStateDisabled);
    EXPECT_EQ(shaped.HitTest(JxCPoint(1, 3)), 0);

    // A region record that gives no polygon leaves none.
    r.region = Bytes(16, 0);
    JxCDisplayObject plain;
    ASSERT_EQ(readInto(plain, r.Encode()), 1);
    EXPECT_EQ(plain.GetRegion(), nullptr);
    EXPECT_EQ(plain.HitTest(JxCPoint(3, 1)), 1);
}

TEST(DisplayObjectList, InsertsByZOrderKeepingEqualOrdersInTheirOrder)
{
    JxCDisplayObjectList list;
    auto make = [&](std::int32_t z) {
        auto* o = new JxCDisplayObject;
        o->SetNumberProperty(kPropZOrder, z);
        list.InsertByZOrder(o);
        return o;
    };
    JxCDisplayObject* first5 = make(5);
    JxCDisplayObject* second5 = make(5);
    JxCDisplayObject* four = make(4);
    EXPECT_EQ(list.GetAt(0), four);
    EXPECT_EQ(list.GetAt(1), first5);
    EXPECT_EQ(list.GetAt(2), second5);

    // A change of Z order moves the object, without deleting it.
    JxCPanelObject panel;
    auto* mover = new JxCDisplayObject;
    mover->Attach(&panel, JxCTypeKey());
    panel.GetDisplayObjects().InsertByZOrder(mover);
    auto* other = new JxCDisplayObject;
    other->SetNumberProperty(kPropZOrder, 3);
    panel.GetDisplayObjects().InsertByZOrder(other);
    EXPECT_EQ(panel.GetDisplayObjects().GetFirst(), mover);
    EXPECT_EQ(mover->SetNumberProperty(kPropZOrder, 30000), kPropertyOk);
    EXPECT_EQ(panel.GetDisplayObjects().GetLast(), mover);
    EXPECT_EQ(panel.GetDisplayObjects().GetCount(), 2);
    EXPECT_EQ(mover->SetNumberProperty(kPropZOrder, 30001), kPropertyNoPlace);
    EXPECT_EQ(mover->GetZOrder(), 30000);
}

TEST(DisplayObject, PositionsAreBoundedByThePanelAndFlagsAreBits)
{
    JxCPanelObject panel;
    panel.SetRect(JxCRect(0, 0, 100, 50));
    auto* object = new JxCDisplayObject;
    object->Attach(&panel, JxCTypeKey());
    object->SetRect(JxCRect(10, 10, 30, 20));
    panel.GetDisplayObjects().InsertByZOrder(object);

    EXPECT_EQ(object->SetNumberProperty(kPropLeft, 10), kPropertyOk);
    EXPECT_EQ(object->SetNumberProperty(kPropLeft, 81), kPropertyDoesNotFit);
    EXPECT_EQ(object->SetNumberProperty(kPropLeft, -1), kPropertyDoesNotFit);
    EXPECT_EQ(object->GetRect(), JxCRect(10, 10, 30, 20));
    EXPECT_EQ(object->SetNumberProperty(kPropLeft, 80), kPropertyOk);
    EXPECT_EQ(object->SetNumberProperty(kPropHeight, 41), kPropertyDoesNotFit);
    EXPECT_EQ(object->SetNumberProperty(kPropHeight, 40), kPropertyOk);
    EXPECT_EQ(object->GetRect(), JxCRect(80, 10, 100, 50));
    std::int32_t value = 0;
    EXPECT_EQ(object->GetNumberProperty(kPropWidth, &value), kPropertyOk);
    EXPECT_EQ(value, 20);
    EXPECT_EQ(object->GetNumberProperty(kPropWidth, nullptr), kPropertyNoPlace);

    EXPECT_EQ(object->SetFlagProperty(kPropOwnCapture, 1), kPropertyOk);
    EXPECT_TRUE(object->TestOptionFlags(JxCDisplayObject::kOptionOwnCapture));
    EXPECT_EQ(object->SetFlagProperty(kPropOwnCapture, 2), kPropertyOk);  // only 1 sets
    EXPECT_FALSE(object->TestOptionFlags(JxCDisplayObject::kOptionOwnCapture));
    EXPECT_EQ(object->SetFlagProperty(kPropSelected, 1), kPropertyOk);
    EXPECT_TRUE(object->TestStateFlags(JxCDisplayObject::kStateSelected));
    EXPECT_EQ(object->SetFlagProperty(kPropPolyRegion, 1), kPropertyOk);
    EXPECT_EQ(object->GetPropertyInfo(kPropPolyRegion, nullptr), JxPropertyKind::None);

    // Kinds: a flag index is no number and no string.
    JxCString text;
    EXPECT_EQ(object->GetStringProperty(kPropOwnCapture, &text), kPropertyOtherKind);
    EXPECT_EQ(object->GetNumberProperty(kPropOwnCapture, &value), kPropertyMissing);
    EXPECT_EQ(object->GetPropertyInfo(kPropPageCloseIfClicked, nullptr), JxPropertyKind::None);
    EXPECT_EQ(panel.GetPropertyInfo(kPropPageCloseIfClicked, nullptr), JxPropertyKind::Flag);
    EXPECT_EQ(object->GetStringProperty(kPropName, &text), kPropertyOk);
    EXPECT_EQ(text.View(), "m_Name");
    EXPECT_EQ(object->SetStringProperty(kPropName, text), kPropertyReadOnly);
    std::int32_t nameId = 0;
    EXPECT_EQ(object->GetPropertyInfo(kPropCursor, &nameId), JxPropertyKind::String);
    EXPECT_EQ(nameId, 1333);
}

TEST(DisplayObject, SeeThroughPixelsAreThoseOfTheTransparentIndex)
{
    plat::Harness harness;
    JxCMemorySlate slate(4, 3);
    ASSERT_TRUE(slate.HasBitmap());
    plat::BITMAPINFOHEADER h;
    std::uint8_t* bits = slate.GetBits(&h);
    const int rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    auto px = [&](int x, int y) -> std::uint8_t& {
        const int row = h.biHeight < 0 ? y : rows - 1 - y;
        return bits[row * plat::DibStride(h.biWidth, 8) + x];
    };
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            px(x, y) = 1;
    px(3, 0) = 255;
    px(0, 2) = 255;
    JxCDisplayObject object;
    const JxObjectRef& bitmap = slate.GetBitmap();
    EXPECT_EQ(IsTransparentPixelAt(object, bitmap, JxCPoint(3, 0)), 1);
    EXPECT_EQ(IsTransparentPixelAt(object, bitmap, JxCPoint(0, 2)), 1);
    EXPECT_EQ(IsTransparentPixelAt(object, bitmap, JxCPoint(1, 1)), 0);
    EXPECT_EQ(IsTransparentPixelAt(object, bitmap, JxCPoint(4, 0)), 0);
    EXPECT_EQ(IsTransparentPixelAt(object, bitmap, JxCPoint(0, -1)), 0);
    EXPECT_EQ(IsTransparentPixelAt(object, JxObjectRef(), JxCPoint(0, 0)), 0);
}

}  // namespace
