#include "testkit/user_file.h"

#include <fstream>

#include "testkit/big_endian.h"

namespace testkit {

UserFile& UserFile::answer(int level, int topic, int question, std::int16_t value)
{
    UserAnswer& slot = answers.at(std::size_t((topic * 3 + level) * 5 + question));
    slot.answered = 1;
    slot.value = value;
    return *this;
}

std::vector<std::uint8_t> UserFile::Bytes() const
{
    std::vector<std::uint8_t> out;
    PutBigEndian16(out, std::uint16_t(nameLength.value_or(std::int16_t(name.size()))));
    out.insert(out.end(), name.begin(), name.end());
    PutBigEndian16(out, std::uint16_t(reserved));
    PutBigEndian16(out, std::uint16_t(level));
    for (const UserAnswer& a : answers) {
        PutBigEndian16(out, a.answered);
        PutBigEndian16(out, std::uint16_t(a.value));
    }
    for (std::uint16_t mark : visited)
        PutBigEndian16(out, mark);
    return out;
}

bool UserFile::WriteTo(const std::string& hostPath) const
{
    const std::vector<std::uint8_t> bytes = Bytes();
    std::ofstream file(hostPath, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file.flush());
}

}  // namespace testkit
