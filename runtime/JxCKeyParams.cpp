#include "runtime/JxCKeyParams.h"

#include <algorithm>
#include <array>

#include "platform/modules/module.h"
#include "platform/window/messages.h"

JxCKeyParams::JxCKeyParams(std::uint32_t message, std::uint16_t keyCode, std::int32_t lParam)
    : keyCode_(keyCode), lParam_(lParam), message_(message)
{
    keyDown_ = (message == plat::WM_KEYDOWN || message == plat::WM_SYSKEYDOWN || message == kCompositeCharMessage)
                   ? 1
                   : 0;
}

namespace {

// The request block the input method reads: a request code, its parameter,
// and room for what it answers.
constexpr std::size_t kImeRequestSize = 32;
constexpr std::uint32_t kImeRequestCode = 65;
constexpr std::uint32_t kImeRequestParam = 3;

using SendImeMessageFn = plat::LRESULT (*)(plat::HWND, plat::LPARAM);

}  // namespace

void SendImeControl(plat::HWND window)
{
    plat::HMODULE library = plat::LoadLibraryA("WINNLS.DLL");
    if (!library)
        return;
    auto send = reinterpret_cast<SendImeMessageFn>(plat::GetProcAddress(library, "SendIMEMessageEx"));
    if (send) {
        alignas(std::uint32_t) std::array<std::uint8_t, kImeRequestSize> request{};
        const std::uint32_t words[2] = {kImeRequestCode, kImeRequestParam};
        std::copy_n(reinterpret_cast<const std::uint8_t*>(words), sizeof words, request.begin());
        // The answer is not looked at.
        send(window, reinterpret_cast<plat::LPARAM>(request.data()));
    }
    plat::FreeLibrary(library);
}
