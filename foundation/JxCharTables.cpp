#include "foundation/JxCharTables.h"

#include "foundation/JxLanguage.h"
#include "platform/core/codepage.h"

namespace {

JxCaseTables& tables()
{
    static JxCaseTables current = DefaultCaseTables();
    return current;
}

}  // namespace

const JxCaseTables& CurrentCaseTables()
{
    return tables();
}

void SetCaseTables(const JxCaseTables& t)
{
    tables() = t;
}

void ResetCaseTables()
{
    tables() = DefaultCaseTables();
}

unsigned char CharToLower(unsigned char c)
{
    constexpr std::uint16_t kTurkish = 1055;
    constexpr unsigned char kDotlessSmallI = 253;
    if (c == 'I' && GetCurrentLanguage() == kTurkish)
        return kDotlessSmallI;
    if (c >= 128) {
        unsigned char other = tables().lower[c - 128];
        return other ? other : c;
    }
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

unsigned char CharToUpper(unsigned char c)
{
    if (c >= 128) {
        unsigned char other = tables().upper[c - 128];
        return other ? other : c;
    }
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

unsigned char TextCharToLower(unsigned char c)
{
    return (c >= 128 && IsDoubleByteText()) ? c : CharToLower(c);
}

unsigned char TextCharToUpper(unsigned char c)
{
    return (c >= 128 && IsDoubleByteText()) ? c : CharToUpper(c);
}

bool IsLeadByteInCodePage(unsigned char c, int codePage)
{
    switch (codePage) {
    case 932:
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case 936:
    case 949:
    case 950:
        return c >= 0x81 && c <= 0xFE;
    default:
        return false;
    }
}

bool IsLeadByte(unsigned char c)
{
    return c >= 0x81 && IsLeadByteInCodePage(c, plat::GetACP());
}

bool IsDoubleByteText()
{
    return plat::IsDoubleByteCodePage(plat::GetACP());
}
