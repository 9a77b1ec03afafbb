#include "runtime/JxCVersion.h"

#include <string>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxLanguage.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "runtime/JxVersionInfo.h"

namespace {

constexpr int kProductCodeLength = 8;

bool sameNoCase(const JxCString& a, const JxCString& b)
{
    return JxCTableString::CompareNoCase(a.View(), b.View()) == 0;
}

// A two-character version code as digit, dot, digit.
JxCString dotted(const JxCString& code)
{
    std::string_view v = code.View();
    std::string text;
    if (!v.empty())
        text += v[0];
    text += '.';
    if (v.size() > 1)
        text += v[1];
    return JxCString(text.c_str());
}

std::int32_t askAboutMismatch(unsigned id, unsigned devId, const JxCString& ours, const JxCString& theirs)
{
    return IsTestingEnabled() ? ReportErrorAbortRetryIgnore(devId, ours, theirs)
                              : ReportErrorRetryCancel(id, ours, theirs);
}

}  // namespace

JxCVersion::JxCVersion(const char* text)
{
    productCode_ = text ? text : "";
    if (productCode_.GetCharCount() > kProductCodeLength)
        productCode_ = productCode_.Mid(0, kProductCodeLength - 1);
}

bool JxCVersion::readFields(JxCInStrStream& in)
{
    JxCVersion read;
    in.ReadCountedString(read.productCode_)
        .ReadCountedString(read.softwareVersion_)
        .ReadCountedString(read.third_)
        .ReadCountedString(read.fourth_)
        .ReadCountedString(read.countryCode_);
    if (!in.Good())
        return false;
    productCode_ = read.productCode_;
    softwareVersion_ = read.softwareVersion_;
    third_ = read.third_;
    fourth_ = read.fourth_;
    countryCode_ = read.countryCode_;
    return true;
}

bool ReadVersion(JxCInStrStream& in, JxCVersion& version)
{
    return version.readFields(in);
}

std::int16_t JxCVersion::CheckProduct(std::int16_t& reason) const
{
    reason = 0;
    if (!IsUsingOldCD())
        return 1;
    const JxCString expected = GetExpectedVolumeLabel();
    if (expected.IsEmpty()) {
        reason = 2;
        return 0;
    }
    if (productCode_.IsEmpty())
        return 0;
    if (!sameNoCase(productCode_, expected)) {
        reason = 1;
        return 0;
    }
    return 1;
}

JxCFileVersion::JxCFileVersion(const char* path) : JxCFileVersion()
{
    if (!path || !FileExists(path))
        return;
    JxCInStrStream in(path);
    if (in.Good() && ReadFrom(in))
        valid_ = 1;
    in.CloseFile();
}

bool JxCFileVersion::ReadFrom(JxCInStrStream& in)
{
    JxCFileVersion read;
    if (!read.readFields(in))
        return false;
    in.ReadCountedString(read.line1_).ReadCountedString(read.line2_);
    if (!in.Good())
        return false;
    const std::int16_t valid = valid_;
    *this = read;
    valid_ = valid;
    return true;
}

JxCString JxCFileVersion::GetDescription() const
{
    return JxCString((std::string(line1_.View()) + "\n" + std::string(line2_.View())).c_str());
}

std::int16_t CheckVersionRecord(const JxCVersion& record)
{
    std::int32_t answer = 0;
    do {
        answer = 0;
        const char* code = GetLanguageCode();
        const JxCString language(code ? code : "");
        if (!sameNoCase(record.GetCountryCode(), language)) {
            answer = askAboutMismatch(kCountryMismatchId, kCountryMismatchDevId, language, record.GetCountryCode());
            continue;
        }
        const JxCString program = GetVersionCode();
        if (!sameNoCase(record.GetSoftwareVersion(), program))
            answer = askAboutMismatch(kVersionMismatchId, kVersionMismatchDevId, dotted(program),
                                      dotted(record.GetSoftwareVersion()));
    } while (answer == kAnswerRetry);
    return (answer == 0 || answer == kAnswerIgnore) ? 1 : 0;
}

JxCString GetExpectedVolumeLabel()
{
    const JxCString& setting = GetVolumeLabelSetting();
    if (!setting.IsEmpty())
        return setting;
    std::string text;
    return LoadStringText(kVolumeLabelTextId, text) ? JxCString(text.c_str()) : JxCString();
}

JxCString GetDataVersionFilePath()
{
    std::string name;
    if (!LoadStringText(kDataVersionFileTextId, name))
        name = kDataVersionFileName;
    return JxCString((std::string(GetDataPathString().View()) + "\\" + name).c_str());
}
