#include "testkit/title_folder.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testkit {

void WriteHostFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void TitleFolder::Write(const std::string& folder)
{
    const std::string library = folder + "/kelbores.resources";
    std::filesystem::remove_all(library);
    std::map<unsigned, std::string> strings = texts;
    strings.emplace(2, dataFileName);
    std::string table;
    for (const auto& [id, text] : strings)
        table += std::to_string(id) + "\t" + text + "\n";
    const std::string module = "[Module]\nCodePage=1252\nLanguage=0x0409\n\n[Version]\nCompanyName=" + companyName +
                               "\nProductName=" + productName + "\nFileVersion=" + fileVersion +
                               "\nTranslation=0409 04E4\n";
    WriteHostFile(library + "/module.ini", std::vector<std::uint8_t>(module.begin(), module.end()));
    WriteHostFile(library + "/strings.txt", std::vector<std::uint8_t>(table.begin(), table.end()));
    if (!palette.empty())
        WriteHostFile(library + "/PALETTE/1907.pal", EncodeLogPalette(palette));
    if (splash)
        WriteHostFile(library + "/bitmap/1908.bmp", EncodeBmp(*splash));
    WriteHostFile(folder + "/" + dataFileName, data.Bytes());
    WriteHostFile(folder + "/JxMMDAT.VER", VersionBytes(data.version()));
    if (withStore)
        WriteHostFile(folder + "/DATA.MNG", store.Bytes());
    for (const auto& [name, bytes] : files)
        WriteHostFile(folder + "/" + name, bytes);
}

}  // namespace testkit
