#include "mail/MailFiles.h"

#include <algorithm>
#include <system_error>

#include "text/Encoding.h"
#include "text/FileNames.h"
#include "text/Lines.h"
#include "text/SjisText.h"
#include "text/Sorting.h"

namespace torepal {
namespace {

bool EndsWithTxt(const std::string& name)
{
    if (name.size() < 4) return false;
    std::string ext = name.substr(name.size() - 4);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext == ".txt";
}

}  // namespace

std::vector<TemplateEntry> ListTemplates(const std::filesystem::path& programFolder)
{
    std::vector<TemplateEntry> list;
    std::error_code ec;
    std::filesystem::directory_iterator it(programFolder / "file", ec);
    if (ec) return list;
    for (const std::filesystem::directory_entry& entry : it) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError) || !EndsWithTxt(entry.path().filename().string())) continue;
        list.push_back({SjisFileName(entry.path()), entry.path()});
    }
    std::sort(list.begin(), list.end(), [](const TemplateEntry& a, const TemplateEntry& b) {
        if (SjisLess(a.name, b.name)) return true;
        if (SjisLess(b.name, a.name)) return false;
        return a.path < b.path;  // names shown alike: keep a fixed order
    });
    return list;
}

std::optional<std::string> ReadTemplate(const std::filesystem::path& path)
{
    ReadResult read = ReadWholeFile(path);
    if (!read.ok()) return std::nullopt;
    return NormalizedLinesCrLf(read.bytes);
}

bool WriteTemplate(const std::filesystem::path& path, std::string_view text)
{
    return WriteFileAtomically(path, ToTextMode(text)) == WriteStatus::Ok;
}

namespace {

std::string SavedMailPrefix(std::string_view stamp)
{
    static const std::string head = Sjis("【メール ～"), middle = Sjis("～ 】--");
    return head + std::string(stamp) + middle;
}

}  // namespace

std::string SavedMailName(std::string_view stamp, std::string_view item)
{
    return FileNameWithPart(SavedMailPrefix(stamp), item, ".txt");
}

WriteStatus SaveMail(const std::filesystem::path& programFolder, std::string_view stamp, std::string_view item,
                     std::string_view body, std::string* savedName)
{
    const SaveOutcome saved =
        SaveUnderFreeName(programFolder / "back", SavedMailPrefix(stamp), item, ".txt", ToTextMode(body));
    if (savedName) *savedName = saved.name;
    return saved.status;
}

}  // namespace torepal
