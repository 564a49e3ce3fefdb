#include "shipping/TariffFiles.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "io/File.h"
#include "shipping/TariffPaste.h"
#include "shipping/TariffReader.h"
#include "shipping/TariffWriter.h"
#include "text/Files.h"

namespace torepal {
namespace {

std::string FileName(std::string_view id)
{
    return std::string(id) + std::string(kTariffExtension);
}

// A rename that never replaces what is there: two services must not become
// one by a slip of the keyboard.
TariffFileStatus MoveTariffFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    switch (MoveWithoutReplacing(from, to)) {
        case MoveStatus::Moved:
            return TariffFileStatus::Done;
        case MoveStatus::TargetExists:
            return TariffFileStatus::Exists;
        case MoveStatus::Missing:
            return TariffFileStatus::Missing;
        case MoveStatus::Failed:
            break;
    }
    return TariffFileStatus::WriteFailed;
}

std::string Place(std::size_t row, std::size_t column)
{
    return std::to_string(row + 1) + "行目" + std::to_string(column + 1) + "列目: ";
}

void ImportBands(TariffImport& out, const CellBlock& rows)
{
    Tariff& t = out.tariff;
    std::size_t first = 0;
    if (!rows.empty() && !rows[0].empty() && !ReadGramsCell(rows[0][0])) {
        // The header names the variants; over a single price column it is
        // only a caption ("料金") and the service's own column stays.
        if (rows[0].size() != 2 || t.variants.size() != 1) {
            t.variants.clear();
            for (std::size_t c = 1; c < rows[0].size(); ++c) t.variants.push_back(TariffVariant{rows[0][c], {}});
        }
        first = 1;
    }
    for (TariffVariant& v : t.variants) v.bands.clear();
    for (std::size_t r = first; r < rows.size(); ++r) {
        const auto& row = rows[r];
        if (row.size() == 1 && row[0].empty()) continue;  // a blank line
        const std::optional<int> grams = ReadGramsCell(row[0]);
        if (!grams) {
            out.problems.push_back(Place(r, 0) + "「" + row[0] + "」は重さとして読めません。");
            continue;
        }
        if (row.size() - 1 > t.variants.size())
            out.problems.push_back(Place(r, t.variants.size() + 1) + "料金の列が" + std::to_string(t.variants.size()) +
                                   "つより多くあります。");
        for (std::size_t c = 1; c < row.size() && c - 1 < t.variants.size(); ++c) {
            if (row[c].empty()) continue;
            const std::optional<int> yen = ReadPriceCell(row[c]);
            if (!yen)
                out.problems.push_back(Place(r, c) + "「" + row[c] + "」は料金として読めません。");
            else
                t.variants[c - 1].bands.push_back(WeightBand{*grams, *yen});
        }
    }
}

void ImportRegions(TariffImport& out, const CellBlock& rows)
{
    Tariff& t = out.tariff;
    if (rows.empty()) {
        out.problems.push_back("表が空です。");
        return;
    }
    std::vector<int> destination;
    for (std::size_t c = 2; c < rows[0].size(); ++c) {
        int found = -1;
        for (std::size_t r = 0; r < t.regions.size(); ++r)
            if (t.regions[r].name == rows[0][c]) found = static_cast<int>(r);
        if (found < 0) out.problems.push_back(Place(0, c) + "「" + rows[0][c] + "」という地域はありません。");
        destination.push_back(found);
    }
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const auto& row = rows[r];
        if (row.size() == 1 && row[0].empty()) continue;
        const std::optional<int> cm = ReadSizeCell(row[0]);
        int size = -1;
        for (std::size_t s = 0; cm && s < t.sizeClasses.size(); ++s)
            if (t.sizeClasses[s].sizeCm == *cm) size = static_cast<int>(s);
        if (size < 0) {
            out.problems.push_back(Place(r, 0) + "「" + row[0] + "」はこのサービスの大きさの区分ではありません。");
            continue;
        }
        int origin = -1;
        for (std::size_t o = 0; row.size() > 1 && o < t.regions.size(); ++o)
            if (t.regions[o].name == row[1]) origin = static_cast<int>(o);
        if (origin < 0) {
            out.problems.push_back(Place(r, 1) + "「" + (row.size() > 1 ? row[1] : "") + "」という地域はありません。");
            continue;
        }
        for (std::size_t c = 2; c < row.size(); ++c) {
            if (c - 2 >= destination.size() || destination[c - 2] < 0) continue;
            const std::optional<int> yen = ReadPriceCell(row[c]);
            if (!yen) {
                out.problems.push_back(Place(r, c) + "「" + row[c] + "」は料金として読めません。");
                continue;
            }
            const CellBlock one{{row[c]}};
            PasteCells(t, TariffGrid::Prices, size, origin, destination[c - 2], one);
        }
    }
}

}  // namespace

std::filesystem::path TariffFile(const std::filesystem::path& folder, std::string_view id)
{
    return folder / FileName(id);
}

TariffSaveResult SaveTariff(const std::filesystem::path& folder, const Tariff& tariff)
{
    if (!IsServiceId(tariff.id)) return {TariffFileStatus::Invalid, std::nullopt};
    if (auto fault = ValidateTariff(tariff)) return {TariffFileStatus::Invalid, fault};
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (WriteFileAtomically(TariffFile(folder, tariff.id), TariffToToml(tariff)) != WriteStatus::Ok)
        return {TariffFileStatus::WriteFailed, std::nullopt};
    return {};
}

bool TariffFileHasComments(const std::filesystem::path& folder, std::string_view id)
{
    const ReadResult read = ReadWholeFile(TariffFile(folder, id), kLargestTariffFile);
    return read.ok() && HasComments(read.bytes);
}

TariffFileStatus RenameTariff(const std::filesystem::path& folder, std::string_view oldId, std::string_view newId)
{
    if (!IsServiceId(newId)) return TariffFileStatus::Invalid;
    return MoveTariffFile(TariffFile(folder, oldId), TariffFile(folder, newId));
}

TariffFileStatus DeleteTariffToBackup(const std::filesystem::path& folder, std::string_view id)
{
    const std::filesystem::path file = TariffFile(folder, id);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return TariffFileStatus::Missing;
    const std::filesystem::path backups = folder / kDeletedTariffFolder;
    std::filesystem::create_directories(backups, ec);
    if (ec) return TariffFileStatus::WriteFailed;
    std::filesystem::rename(file, backups / FileName(id), ec);
    return ec ? TariffFileStatus::WriteFailed : TariffFileStatus::Done;
}

std::vector<std::string> DeletedTariffIds(const std::filesystem::path& folder)
{
    std::vector<std::string> ids;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder / kDeletedTariffFolder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::filesystem::path& p = it->path();
        if (p.extension() == kTariffExtension && IsServiceId(p.stem().string())) ids.push_back(p.stem().string());
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

TariffFileStatus RestoreTariff(const std::filesystem::path& folder, std::string_view id)
{
    return MoveTariffFile(folder / kDeletedTariffFolder / FileName(id), TariffFile(folder, id));
}

std::string FreeTariffId(const std::filesystem::path& folder, std::string_view base)
{
    std::string stem = IsServiceId(base) ? std::string(base) : std::string("service");
    if (stem.size() > 56) stem.resize(56);
    std::error_code ec;
    if (base.size() && IsServiceId(base) && !std::filesystem::exists(TariffFile(folder, stem), ec)) return stem;
    for (int n = 2;; ++n) {
        const std::string id = stem + "-" + std::to_string(n);
        if (!std::filesystem::exists(TariffFile(folder, id), ec)) return id;
    }
}

TariffImport ImportTariffTable(const Tariff& base, std::string_view text)
{
    TariffImport out{base, {}};
    const std::size_t lineEnd = text.find_first_of("\r\n");
    const char delimiter = text.substr(0, lineEnd).find('\t') != std::string_view::npos ? '\t' : ',';
    const CellBlock rows = SplitCells(text, delimiter);
    switch (base.shape) {
        case TariffShape::Flat: {
            if (rows.size() != 1 || rows[0].size() != 2) {
                out.problems.push_back("一律料金の表は「重さ, 料金」の一行だけにしてください。");
                break;
            }
            const auto grams = ReadGramsCell(rows[0][0]);
            const auto yen = ReadPriceCell(rows[0][1]);
            if (!grams) out.problems.push_back(Place(0, 0) + "「" + rows[0][0] + "」は重さとして読めません。");
            if (!yen) out.problems.push_back(Place(0, 1) + "「" + rows[0][1] + "」は料金として読めません。");
            if (grams && yen) {
                out.tariff.flatMaxGrams = *grams;
                out.tariff.flatYen = *yen;
            }
            break;
        }
        case TariffShape::Bands:
            ImportBands(out, rows);
            break;
        case TariffShape::Regions:
            ImportRegions(out, rows);
            break;
    }
    if (out.problems.empty())
        if (auto fault = ValidateTariff(out.tariff))
            out.problems.push_back(DescribeTariffCell(out.tariff, fault->cell) + ": " + fault->reason);
    return out;
}

}  // namespace torepal
