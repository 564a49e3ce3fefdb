#include "shipping/NewerShippedTariffs.h"

#include <algorithm>
#include <system_error>

#include "shipping/TariffReader.h"
#include "text/Encoding.h"

namespace torepal {

std::vector<std::string> TariffsWithNewerShippedVersion(const std::filesystem::path& folder)
{
    std::vector<std::string> files;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) return files;
    const std::string ending = std::string(kTariffExtension) + std::string(kNewerShippedSuffix);
    for (const auto& entry : it) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= ending.size() || name.front() == '.') continue;
        if (name.compare(name.size() - ending.size(), ending.size(), ending) != 0) continue;
        if (!entry.is_regular_file(ec)) continue;
        files.push_back(name.substr(0, name.size() - kNewerShippedSuffix.size()));
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string NewerShippedTariffsMessage(const std::vector<std::string>& files)
{
    if (files.empty()) return {};
    std::string text = "変更された料金ファイルはそのまま使っています。新しい版を隣に置きました：";
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i > 0) text += "、";
        text += "tariffs/" + files[i] + " → " + files[i] + std::string(kNewerShippedSuffix);
    }
    // A file name may hold characters Shift-JIS cannot: they are left out
    // of the note, never the note itself.
    return SjisFromUtf8(text).text;
}

}  // namespace torepal
