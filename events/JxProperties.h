#pragma once
// The numbered properties of run-time objects: their indexes, the string ids
// of their display names, their kinds and the result codes of property
// access. Generic code (the send-message and title actions, the title's
// panels) passes these numbers, so they are fixed.

#include <cstdint>

// What GetPropertyInfo answers.
enum class JxPropertyKind : std::int16_t {
    None = 0,
    Number = 1,  // 32-bit signed
    Flag = 2,    // 16-bit, 0 or 1
    String = 3,
    Event = 4,   // names an event; has no value
};

// The results of the six get and set operations.
enum JxPropertyResult : std::int16_t {
    kPropertyOk = 0,
    kPropertyMissing = 1,    // the object has no such property
    kPropertyNoPlace = 2,    // a get without a place for the value; a Z order out of range
    kPropertyDoesNotFit = 3, // a position or size that does not fit the container
    kPropertyReadOnly = 5,
    kPropertyOtherKind = 7,
};

// Property indexes.
enum JxPropertyIndex : std::int16_t {
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
    kPropScrollPosition = 91,
    kPropRangeMaximum = 93,
    kPropRangeMinimum = 95,
    kPropSourceFile = 103,
    kPropDialogTitle = 104,
};

// The limits of a Z order.
inline constexpr std::int32_t kMinZOrder = -30000;
inline constexpr std::int32_t kMaxZOrder = 30000;

// The string id of a property's display name; 0 for an index that names no
// property in any class.
std::int32_t PropertyNameId(std::int16_t index);

// What GetKind answers.
enum JxRunTimeKind : std::int32_t {
    kPlainObject = 0,
    kDisplayObjectKind = 1,
    kPageKind = 2,
    kPanelKind = 3,
};
