#pragma once
// Where a shared picture was read from, as far as keeping it after its last
// use needs to know (events/JxRetainedImages.h): a kept picture is taken
// again only while its source is still this one.

#include <optional>

#include "platform/core/types.h"
#include "platform/fs/folder_listing.h"

struct JxImageSource {
    std::optional<plat::HostStamp> file;  // the file itself; none for a resource
    plat::HPALETTE palette = nullptr;          // the product palette it was made under
    friend bool operator==(const JxImageSource&, const JxImageSource&) = default;
};
