#include "platform/core/codepage.h"

#include <iconv.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <vector>

#include "platform/core/codepage_tables.h"

namespace plat {

namespace {

std::atomic<int> g_codePage{1252};

const char16_t* singleByteTable(int codePage)
{
    switch (codePage) {
    case 737: return detail::kCodePage737;
    case 874: return detail::kCodePage874;
    case 1250: return detail::kCodePage1250;
    case 1251: return detail::kCodePage1251;
    case 1252: return detail::kCodePage1252;
    case 1253: return detail::kCodePage1253;
    case 1254: return detail::kCodePage1254;
    case 1255: return detail::kCodePage1255;
    case 1256: return detail::kCodePage1256;
    case 1257: return detail::kCodePage1257;
    case 1258: return detail::kCodePage1258;
    default: return nullptr;
    }
}

const char* iconvName(int codePage)
{
    switch (codePage) {
    case 932: return "CP932";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    default: return nullptr;
    }
}

// An iconv conversion descriptor that closes itself.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

std::u32string decodeDoubleByte(std::string_view bytes, const char* name)
{
    std::u32string out;
    Converter conv("UTF-32LE", name);
    if (!conv.ok()) {
        out.assign(bytes.size(), U'\uFFFD');
        return out;
    }
    std::vector<char> src(bytes.begin(), bytes.end());
    char* in = src.data();
    size_t inLeft = src.size();
    while (inLeft > 0) {
        std::array<char32_t, 64> buf;
        char* o = reinterpret_cast<char*>(buf.data());
        size_t outLeft = sizeof(buf);
        size_t r = iconv(conv.get(), &in, &inLeft, &o, &outLeft);
        out.append(buf.data(), (sizeof(buf) - outLeft) / sizeof(char32_t));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: replace one byte and go on.
            out.push_back(U'\uFFFD');
            ++in;
            --inLeft;
            iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::string encodeDoubleByte(char32_t ch, const char* name)
{
    Converter conv(name, "UTF-32LE");
    if (!conv.ok())
        return {};
    char32_t src = ch;
    char* in = reinterpret_cast<char*>(&src);
    size_t inLeft = sizeof(src);
    std::array<char, 8> buf{};
    char* o = buf.data();
    size_t outLeft = buf.size();
    if (iconv(conv.get(), &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1))
        return {};
    return std::string(buf.data(), buf.size() - outLeft);
}

}  // namespace

int GetACP()
{
    return g_codePage.load();
}

void SetACP(int codePage)
{
    if (IsCodePageSupported(codePage))
        g_codePage.store(codePage);
}

bool IsCodePageSupported(int codePage)
{
    return singleByteTable(codePage) != nullptr || iconvName(codePage) != nullptr;
}

bool IsDoubleByteCodePage(int codePage)
{
    return iconvName(codePage) != nullptr;
}

std::u32string DecodeText(std::string_view bytes, int codePage)
{
    if (const char* name = iconvName(codePage))
        return decodeDoubleByte(bytes, name);
    const char16_t* table = singleByteTable(codePage);
    std::u32string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b < 128)
            out.push_back(b);
        else
            out.push_back(table ? table[b - 128] : U'\uFFFD');
    }
    return out;
}

std::string EncodeChar(char32_t ch, int codePage)
{
    if (ch < 128)
        return std::string(1, static_cast<char>(ch));
    if (ch == U'\uFFFD')
        return {};  // stands for bytes a page leaves undefined; none encodes it
    if (const char* name = iconvName(codePage))
        return encodeDoubleByte(ch, name);
    const char16_t* table = singleByteTable(codePage);
    if (!table)
        return {};
    for (int i = 0; i < 128; ++i)
        if (table[i] == ch)
            return std::string(1, static_cast<char>(128 + i));
    return {};
}

int GetOEMCP()
{
    return GetACP() == 1253 ? 737 : 437;
}

namespace {

// Each byte through Unicode from one single-byte page to the other; a
// character the target lacks becomes '?'. Without a table for either page
// the bytes stay as they are.
void convertBytes(const char* src, char* dst, int from, int to)
{
    const bool known = singleByteTable(from) && singleByteTable(to);
    for (;; ++src, ++dst) {
        auto b = static_cast<unsigned char>(*src);
        char out = static_cast<char>(b);
        if (b >= 128 && known) {
            std::string bytes = EncodeChar(singleByteTable(from)[b - 128], to);
            out = bytes.size() == 1 ? bytes[0] : '?';
        }
        *dst = out;
        if (b == 0)
            return;
    }
}

}  // namespace

BOOL OemToCharA(const char* src, char* dst)
{
    if (!src || !dst)
        return 0;
    convertBytes(src, dst, GetOEMCP(), GetACP());
    return 1;
}

BOOL CharToOemA(const char* src, char* dst)
{
    if (!src || !dst)
        return 0;
    convertBytes(src, dst, GetACP(), GetOEMCP());
    return 1;
}

}  // namespace plat
