#include "setup/GreekText.h"

#include <algorithm>
#include <array>

#include "platform/core/codepage.h"

namespace {

// Pairs of a 737 byte and its 1253 byte, the Greek letters only.
struct LetterPair {
    unsigned char oem;
    unsigned char ansi;
};

constexpr std::array<LetterPair, 56> kLetters = {{
    // The 24 capitals: alpha to rho, then sigma to omega (1253 skips 0xD2).
    {0x80, 0xC1}, {0x81, 0xC2}, {0x82, 0xC3}, {0x83, 0xC4}, {0x84, 0xC5}, {0x85, 0xC6},
    {0x86, 0xC7}, {0x87, 0xC8}, {0x88, 0xC9}, {0x89, 0xCA}, {0x8A, 0xCB}, {0x8B, 0xCC},
    {0x8C, 0xCD}, {0x8D, 0xCE}, {0x8E, 0xCF}, {0x8F, 0xD0}, {0x90, 0xD1}, {0x91, 0xD3},
    {0x92, 0xD4}, {0x93, 0xD5}, {0x94, 0xD6}, {0x95, 0xD7}, {0x96, 0xD8}, {0x97, 0xD9},
    // Small alpha to psi; final sigma (0xAA) sits between sigma and tau in 737.
    {0x98, 0xE1}, {0x99, 0xE2}, {0x9A, 0xE3}, {0x9B, 0xE4}, {0x9C, 0xE5}, {0x9D, 0xE6},
    {0x9E, 0xE7}, {0x9F, 0xE8}, {0xA0, 0xE9}, {0xA1, 0xEA}, {0xA2, 0xEB}, {0xA3, 0xEC},
    {0xA4, 0xED}, {0xA5, 0xEE}, {0xA6, 0xEF}, {0xA7, 0xF0}, {0xA8, 0xF1}, {0xA9, 0xF3},
    {0xAA, 0xF2}, {0xAB, 0xF4}, {0xAC, 0xF5}, {0xAD, 0xF6}, {0xAE, 0xF7}, {0xAF, 0xF8},
    // Omega, then the small letters with tonos: alpha, epsilon, eta, iota,
    // omicron, upsilon, omega.
    {0xE0, 0xF9}, {0xE1, 0xDC}, {0xE2, 0xDD}, {0xE3, 0xDE}, {0xE5, 0xDF}, {0xE6, 0xFC},
    {0xE7, 0xFD}, {0xE9, 0xFE},
}};

// Iota with dialytika converts from 737 only.
constexpr LetterPair kIotaDialytika{0xE4, 0xFA};

struct Tables {
    std::array<unsigned char, 256> oemToAnsi;
    std::array<unsigned char, 256> ansiToOem;
};

const Tables& tables()
{
    static const Tables t = [] {
        Tables built;
        for (int i = 0; i < 256; ++i)
            built.oemToAnsi[i] = built.ansiToOem[i] = static_cast<unsigned char>(i);
        for (LetterPair p : kLetters) {
            built.oemToAnsi[p.oem] = p.ansi;
            built.ansiToOem[p.ansi] = p.oem;
        }
        built.oemToAnsi[kIotaDialytika.oem] = kIotaDialytika.ansi;
        return built;
    }();
    return t;
}

// 737 bytes of the letters the case functions name.
constexpr unsigned char kOemCapitalAlpha = 0x80, kOemCapitalSigma = 0x91, kOemCapitalTau = 0x92,
                        kOemCapitalPsi = 0x96, kOemCapitalOmega = 0x97;
constexpr unsigned char kOemCapitalEpsilon = 0x84, kOemCapitalEta = 0x86, kOemCapitalIota = 0x88,
                        kOemCapitalOmicron = 0x8E, kOemCapitalUpsilon = 0x93;
constexpr unsigned char kOemAlpha = 0x98, kOemSigma = 0xA9, kOemFinalSigma = 0xAA, kOemTau = 0xAB,
                        kOemPsi = 0xAF, kOemOmega = 0xE0;
constexpr unsigned char kOemEpsilon = 0x9C, kOemEta = 0x9E, kOemIota = 0xA0, kOemOmicron = 0xA6,
                        kOemUpsilon = 0xAC;
constexpr unsigned char kOemAlphaTonos = 0xE1, kOemEpsilonTonos = 0xE2, kOemEtaTonos = 0xE3,
                        kOemIotaDialytika = 0xE4, kOemIotaTonos = 0xE5, kOemOmicronTonos = 0xE6,
                        kOemUpsilonTonos = 0xE7, kOemUpsilonDialytika = 0xE8, kOemOmegaTonos = 0xE9;

unsigned char upperOem(unsigned char c)
{
    if (c >= kOemAlpha && c <= kOemSigma)
        return static_cast<unsigned char>(c - 24);
    if (c == kOemFinalSigma)
        return kOemCapitalSigma;
    if (c >= kOemTau && c <= kOemPsi)
        return static_cast<unsigned char>(c - 25);
    switch (c) {
    case kOemOmega:
    case kOemOmegaTonos: return kOemCapitalOmega;
    case kOemAlphaTonos: return kOemCapitalAlpha;
    case kOemEpsilonTonos: return kOemCapitalEpsilon;
    case kOemEtaTonos: return kOemCapitalEta;
    case kOemIotaTonos:
    case kOemIotaDialytika: return kOemCapitalIota;
    case kOemOmicronTonos: return kOemCapitalOmicron;
    case kOemUpsilonTonos:
    case kOemUpsilonDialytika: return kOemCapitalUpsilon;
    default: return c;
    }
}

unsigned char lowerOem(unsigned char c)
{
    if (c >= kOemCapitalAlpha && c <= kOemCapitalSigma)
        return static_cast<unsigned char>(c + 24);
    if (c >= kOemCapitalTau && c <= kOemCapitalPsi)
        return static_cast<unsigned char>(c + 25);
    switch (c) {
    case kOemCapitalOmega:
    case kOemOmegaTonos: return kOemOmega;
    case kOemAlphaTonos: return kOemAlpha;
    case kOemEpsilonTonos: return kOemEpsilon;
    case kOemEtaTonos: return kOemEta;
    case kOemIotaTonos:
    case kOemIotaDialytika: return kOemIota;
    case kOemOmicronTonos: return kOemOmicron;
    case kOemUpsilonTonos:
    case kOemUpsilonDialytika: return kOemUpsilon;
    default: return c;
    }
}

// Runs a 737 case mapping on a 1253 byte. Only the letters the tables move
// are Greek: any other byte above ASCII would be read as whatever 737 keeps
// at that value (1253's capital alpha with tonos is 737's gamma), so it
// stays as it is.
unsigned char throughOem(unsigned char c, unsigned char (*map)(unsigned char))
{
    unsigned char oem = GreekAnsiToOemChar(c);
    if (oem == c)
        return c;
    return GreekOemToAnsiChar(map(oem));
}

int clampedLength(int length, std::span<char> buffer)
{
    return std::clamp(length, 0, static_cast<int>(buffer.size()));
}

}  // namespace

unsigned char GreekOemToAnsiChar(unsigned char c) { return tables().oemToAnsi[c]; }

unsigned char GreekAnsiToOemChar(unsigned char c) { return tables().ansiToOem[c]; }

unsigned char GreekToUpper(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 'a' + 'A');
    return throughOem(c, upperOem);
}

unsigned char GreekToLower(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c - 'A' + 'a');
    return throughOem(c, lowerOem);
}

std::string ConvertGreekText(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(GreekOemToAnsiChar(static_cast<unsigned char>(c)));
    return out;
}

std::string OemToAnsiText(std::string_view text)
{
    std::string out(text);
    plat::OemToCharA(out.c_str(), out.data());
    return out;
}

std::string AnsiToOemText(std::string_view text)
{
    std::string out(text);
    plat::CharToOemA(out.c_str(), out.data());
    return out;
}

void OemToAnsiBuffer(const char* src, char* dst, int length)
{
    (void)length;
    plat::OemToCharA(src, dst);
}

void UpperBuffer(int length, std::span<char> buffer)
{
    for (char& c : buffer.first(clampedLength(length, buffer)))
        c = static_cast<char>(GreekToUpper(static_cast<unsigned char>(c)));
}

void LowerBuffer(int length, std::span<char> buffer)
{
    for (char& c : buffer.first(clampedLength(length, buffer)))
        c = static_cast<char>(GreekToLower(static_cast<unsigned char>(c)));
}

unsigned char ConvertNonLowerChar(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return c;
    return GreekAnsiToOemChar(c);
}

int ConvertPadBuffer(int length, std::span<char> buffer)
{
    if (buffer.empty())
        return 0;
    length = std::clamp(length, 0, static_cast<int>(buffer.size()) - 1);
    int i = 0;
    for (; i < length && buffer[i] != '\0'; ++i)
        buffer[i] = static_cast<char>(ConvertNonLowerChar(static_cast<unsigned char>(buffer[i])));
    for (; i <= length; ++i)
        buffer[i] = '\0';
    return length;
}

void ClearBuffer(int count, std::span<char> buffer)
{
    for (char& c : buffer.first(clampedLength(count, buffer)))
        c = '\0';
}
