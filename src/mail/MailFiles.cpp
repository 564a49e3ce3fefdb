#include "mail/MailFiles.h"

#include <algorithm>
#include <system_error>

#include "text/Encoding.h"
#include "text/Lines.h"
#include "text/SjisText.h"
#include "text/Sorting.h"

namespace torepal {
namespace {

constexpr std::size_t kLongestFileName = 255;  // bytes of the name on disk (UTF-8)

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

std::string SavedMailName(std::string_view stamp, std::string_view item)
{
    static const std::string head = Sjis("【メール ～"), middle = Sjis("～ 】--"), slash = Sjis("／");
    const std::string prefix = head + std::string(stamp) + middle;
    const std::string suffix = ".txt";
    std::size_t room = kLongestFileName;
    const std::size_t fixed = Utf8FromSjis(prefix).size() + suffix.size();
    room = fixed < room ? room - fixed : 0;

    std::string part;
    for (std::size_t i = 0; i < item.size();) {
        const std::size_t len = CharLength(item, i);
        std::string ch(item.substr(i, len));
        i += len;
        if (len == 1) {
            const unsigned char c = static_cast<unsigned char>(ch[0]);
            if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F) ch = slash;
        }
        const std::size_t utf8Length = Utf8FromSjis(ch).size();
        if (utf8Length > room) break;
        room -= utf8Length;
        part += ch;
    }
    return prefix + part + suffix;
}

WriteStatus SaveMail(const std::filesystem::path& programFolder, std::string_view stamp, std::string_view item,
                     std::string_view body)
{
    const std::filesystem::path path = JoinSjis(programFolder / "back", SavedMailName(stamp, item));
    return WriteFileAtomically(path, ToTextMode(body));
}

}  // namespace torepal
