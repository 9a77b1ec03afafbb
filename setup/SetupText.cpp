#include "setup/SetupText.h"

#include <algorithm>
#include <array>

#include "platform/modules/resources.h"

namespace {

constexpr int kTextBufferSize = 450;

}  // namespace

std::string LoadRawText(plat::UINT id)
{
    std::array<char, kTextBufferSize> buffer{};
    int n = plat::LoadStringA(nullptr, id, buffer.data(), kTextBufferSize);
    return std::string(buffer.data(), static_cast<std::size_t>(std::max(n, 0)));
}

std::string LoadText(plat::UINT id)
{
    std::array<char, kTextBufferSize> buffer{};
    if (plat::LoadStringA(nullptr, id, buffer.data(), kTextBufferSize) <= 0)
        return "LS error";
    std::string text(buffer.data());
    std::replace(text.begin(), text.end(), '_', '\x80');
    return text;
}
