#pragma once
// Prices copied from a spreadsheet or a web page table: the block of cells
// it puts on the clipboard, each cell read as the seller means it ("1,200円",
// full-width digits), and the block laid into a service's grid at a cell.
// A cell that is not a number is not taken; its place is reported so the
// editor can mark it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shipping/Tariff.h"
#include "shipping/TariffRules.h"

namespace torepal {

using CellBlock = std::vector<std::vector<std::string>>;

// Rows and cells of copied text: rows end at a line break, cells at
// `delimiter` (a tab from a spreadsheet or a browser, "," from a CSV file).
// A cell in double quotes may hold the delimiter, line breaks and "" for a
// quote. A last empty line is not a row.
CellBlock SplitCells(std::string_view utf8, char delimiter = '\t');

// A price cell: digits (ASCII or full-width), thousands separated by ","
// or "，" in groups of three, an optional "¥"/"￥" before and "円" after,
// blanks around. Nothing for anything else (empty, "-", "1.5", "無料").
std::optional<int> ReadPriceCell(std::string_view utf8);

// A weight cell: "500", "500g", "～500g", "1kg", "1.5kg", "500gまで".
std::optional<int> ReadGramsCell(std::string_view utf8);

// A size cell: "60", "60cm", "60サイズ", "60size".
std::optional<int> ReadSizeCell(std::string_view utf8);

// The grids of the editor. Bands: group = variant, columns weight and
// price, rows past the end are added. Sizes: columns size and weight, rows
// past the end add a size class. Prices: group = size class, rows origin
// regions, columns destination regions.
enum class TariffGrid { Bands, Sizes, Prices };

struct PasteOutcome {
    std::vector<TariffCell> taken;
    std::vector<TariffCell> refused;  // not a number: left as it was
    int outside = 0;                  // cells that fall off the grid
};

// The model cell of a grid position.
TariffCell GridCell(TariffGrid grid, int group, int row, int column);

PasteOutcome PasteCells(Tariff& tariff, TariffGrid grid, int group, int row, int column, const CellBlock& block);

// A size class added at the end, with no prices yet (zeros the rules refuse
// until the seller fills them in).
void AddSizeClass(Tariff& tariff, SizeClass size);
void RemoveSizeClass(Tariff& tariff, std::size_t index);
// A region added at the end with no prefectures, and its row and column of
// prices; removing one takes its row and column away.
void AddRegion(Tariff& tariff, const std::string& name);
void RemoveRegion(Tariff& tariff, std::size_t index);
// Moves a prefecture (official name) into the region `region`, out of any
// other; it goes to its place in the official order.
void AssignPrefecture(Tariff& tariff, const std::string& prefecture, std::size_t region);
// The region holding the prefecture; -1 for none.
int RegionOfPrefecture(const Tariff& tariff, const std::string& prefecture);

}  // namespace torepal
