#include "shipping/ServiceTicks.h"

#include <algorithm>

#include "shipping/TariffReader.h"
#include "text/Encoding.h"

namespace torepal {

std::string ServiceTicksText(const std::vector<std::string>& ids)
{
    std::string text;
    for (const std::string& id : ids)
        if (IsServiceId(id)) text += id + "\n";
    return text;
}

std::vector<std::string> ParseServiceTicks(std::string_view bytes)
{
    std::vector<std::string> ids;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        if (!IsServiceId(line)) continue;
        if (std::find(ids.begin(), ids.end(), line) == ids.end()) ids.emplace_back(line);
    }
    return ids;
}

std::vector<std::string> ReadServiceTicks(const std::filesystem::path& programFolder)
{
    const ReadResult read = ReadWholeFile(programFolder / kServiceTicksFileName, 64 * 1024);
    return read.ok() ? ParseServiceTicks(read.bytes) : std::vector<std::string>{};
}

WriteStatus WriteServiceTicks(const std::filesystem::path& programFolder, const std::vector<std::string>& ids)
{
    const std::filesystem::path path = programFolder / kServiceTicksFileName;
    const std::string text = ServiceTicksText(ids);
    if (text.empty()) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        return ec ? WriteStatus::CannotReplace : WriteStatus::Ok;
    }
    return WriteFileAtomically(path, text);
}

namespace {

bool Known(const std::string& id, const std::vector<Tariff>& services)
{
    return std::any_of(services.begin(), services.end(), [&](const Tariff& t) { return t.id == id; });
}

}  // namespace

std::vector<std::string> KnownServiceIds(const std::vector<std::string>& ids, const std::vector<Tariff>& services)
{
    std::vector<std::string> out;
    for (const std::string& id : ids)
        if (Known(id, services)) out.push_back(id);
    return out;
}

std::vector<std::string> UnknownServiceIds(const std::vector<std::string>& ids, const std::vector<Tariff>& services)
{
    std::vector<std::string> out;
    for (const std::string& id : ids)
        if (!Known(id, services)) out.push_back(id);
    return out;
}

std::string UnknownServicesMessage(const std::vector<std::string>& ids)
{
    if (ids.empty()) return {};
    std::string list;
    for (const std::string& id : ids) {
        if (!list.empty()) list += "、";
        list += id;
    }
    // Ids are ASCII, so the whole text converts.
    return Sjis(
        "このファイルで選ばれていた次の配送サービスは、tariffs フォルダに料金ファイルがないため外しました。\r\n" +
        list);
}

}  // namespace torepal
