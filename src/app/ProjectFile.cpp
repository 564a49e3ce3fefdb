#include "app/ProjectFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "mail/MailFields.h"
#include "plate/PageTemplates.h"
#include "plate/PlateFields.h"
#include "shipping/ParcelLists.h"
#include "shipping/TariffReader.h"
#include "shipping/ThicknessList.h"
#include "text/Encoding.h"
#include "text/Lines.h"
#include "text/SjisText.h"

namespace torepal {
namespace {

constexpr std::size_t kSections = 13;

// clang-format off
constexpr std::array<std::string_view, kSections> kMarkers = {
    "[TM1]", "[TM2]", "[TM3]", "[TM4]", "[TM5]", "[MP1]", "[MP2]",
    "[BK1]", "[BK2]", "[BK3]", "[BK4]", "[BK5]", "[BK6]",
};
// clang-format on

enum : std::size_t { TM1, TM2, TM3, TM4, TM5, MP1, MP2, BK1 };

// The value lines each section holds right after its marker line. Seller
// text on these lines is never taken for a marker, whatever it begins with.
// "[TM1]" holds counted values instead; its lines are found by walking it.
constexpr std::array<std::size_t, kSections> kValueLines = {
    0, 1, 1, 1, 7, 13, 1, 5, 5, 5, 5, 5, 5,
};

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kServicesMarker = "[CS1]";
constexpr std::string_view kThicknessMarker = "[TH1]";
// The plate form's layout ticks added since the thirteen sections (the
// field table's PL1 places), as ticks after commas, in a section written
// only when one is on: ",1" for スマートフォンでも読みやすく.
constexpr std::string_view kLayoutMarker = "[PL1]";

bool BeginsWith(std::string_view line, std::string_view marker)
{
    return line.substr(0, marker.size()) == marker;
}

bool BeginsWithAnyMarker(std::string_view line)
{
    for (std::string_view m : kMarkers)
        if (BeginsWith(line, m)) return true;
    return false;
}

// "-" n "-": the count line before a multi-line value. Any number of digits
// is accepted, so values of a hundred lines and more come back whole.
std::optional<std::size_t> CountOf(std::string_view line)
{
    if (line.size() < 3 || line.front() != '-' || line.back() != '-') return std::nullopt;
    std::size_t n = 0;
    for (char c : line.substr(1, line.size() - 2)) {
        if (c < '0' || c > '9') return std::nullopt;
        // Saturates: a count beyond the file is caught as too long anyway.
        n = n > SIZE_MAX / 20 ? SIZE_MAX / 2 : n * 10 + static_cast<std::size_t>(c - '0');
    }
    return n;
}

// Decimal text as the C library's atoi reads it: leading blanks skipped, an
// optional sign, digits up to the first other byte, 0 without digits.
std::int32_t DecimalValue(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (v < (std::int64_t{1} << 32)) v = v * 10 + (text[i] - '0');
    if (negative) v = -v;
    return static_cast<std::int32_t>(v);  // wraps like the 32-bit original
}

std::string StateDigit(bool on)
{
    return on ? ",1" : ",0";
}

std::string CountedValue(const std::string& value)
{
    std::size_t lfs = 0;
    for (char c : value)
        if (c == '\n') ++lfs;
    return "-" + std::to_string(lfs + 1) + "-" + std::string(kCrLf) + value + std::string(kCrLf);
}

// The lines of one section between its marker line and the next marker.
struct Body {
    const std::vector<std::string>* lines = nullptr;
    std::size_t first = 0;
    std::size_t end = 0;

    // Line k (1-based) of the body; a line the file does not hold is empty.
    std::string line(std::size_t k) const
    {
        const std::size_t at = first + k - 1;
        return at < end ? (*lines)[at] : std::string();
    }

    // "[TM2]", "[TM3]", "[MP2]": the one character after each ",". A ","
    // that ends its line yields no value.
    std::vector<std::int32_t> digitsAfterCommas() const
    {
        std::vector<std::int32_t> values;
        for (std::size_t i = first; i < end; ++i) {
            const std::string& l = (*lines)[i];
            for (std::size_t p = 0; p < l.size(); ++p)
                if (l[p] == ',' && p + 1 < l.size())
                    values.push_back(DecimalValue(std::string_view(l).substr(p + 1, 1)));
        }
        return values;
    }

    // "[TM4]": after each "," the next character and, unless it is itself
    // ",", the one after it, read as a decimal number ("-1", "46").
    std::vector<std::int32_t> numbersAfterCommas() const
    {
        std::vector<std::int32_t> values;
        for (std::size_t i = first; i < end; ++i) {
            const std::string& l = (*lines)[i];
            for (std::size_t p = 0; p < l.size(); ++p) {
                if (l[p] != ',' || p + 1 >= l.size()) continue;
                std::string digits(1, l[p + 1]);
                if (p + 2 < l.size() && l[p + 2] != ',') digits.push_back(l[p + 2]);
                values.push_back(DecimalValue(digits));
            }
        }
        return values;
    }
};

bool On(const std::vector<std::int32_t>& values, std::size_t i)
{
    return i < values.size() && values[i] != 0;
}

std::int32_t At(const std::vector<std::int32_t>& values, std::size_t i)
{
    return i < values.size() ? values[i] : 0;
}

// The fields of a table that stand in `section`, in the order the file
// holds them; a field that stands twice is listed at both places.
template <typename Field>
std::vector<const Field*> InFileOrder(std::span<const Field> fields, ProjectSection section)
{
    std::vector<std::pair<int, const Field*>> placed;
    for (const Field& f : fields) {
        if (f.project.section != section) continue;
        placed.emplace_back(f.project.at, &f);
        if (f.project.again != 0) placed.emplace_back(f.project.again, &f);
    }
    std::sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<const Field*> ordered;
    for (const auto& [at, f] : placed) ordered.push_back(f);
    return ordered;
}

std::string TickDigits(PlateFlags flags, ProjectSection section)
{
    std::string out;
    for (const PlateTickField* f : InFileOrder(PlateTickFields(), section)) out += StateDigit(f->flag(flags));
    return out;
}

void TakeTicks(const std::vector<std::int32_t>& values, ProjectSection section, PlateFlags& flags)
{
    for (const PlateTickField* f : InFileOrder(PlateTickFields(), section))
        f->flag(flags) = On(values, static_cast<std::size_t>(f->project.at - 1));
}

std::string NotProjectMessage()
{
    static const std::string m = Sjis("このファイルはトレパルファイルではありません。");
    return m;
}

std::string MissingMarkerMessage(std::string_view marker)
{
    static const std::string a = Sjis("トレパルファイルの「");
    static const std::string b = Sjis("」の区切りが見つかりません。ファイルが壊れている可能性があります。");
    return a + std::string(marker) + b;
}

std::string CutShortMessage()
{
    static const std::string m =
        Sjis("トレパルファイルの「[TM1]」の内容が途中で終わっています。ファイルが壊れている可能性があります。");
    return m;
}

}  // namespace

std::string BuildProjectText(const ProjectRecord& r)
{
    const std::string crlf(kCrLf);
    std::string out;
    out.reserve(1024 + r.Items.size() + r.trans.size() + r.Others.size());

    out += "[TM1]" + crlf;
    for (const PlateTextField* f : InFileOrder(PlateTextFields(), ProjectSection::TM1))
        out += CountedValue(r.*f->value);

    out += crlf + "[TM2]" + crlf + TickDigits(r.flags, ProjectSection::TM2) + crlf;
    out += crlf + "[TM3]" + crlf + TickDigits(r.flags, ProjectSection::TM3) + crlf;

    // The four selections, then the two radio pairs.
    out += crlf + "[TM4]" + crlf;
    for (const PlateSelectionField* f : InFileOrder(PlateSelectionFields(), ProjectSection::TM4))
        out += "," + std::to_string(r.selections.*f->value);
    out += TickDigits(r.flags, ProjectSection::TM4) + crlf;

    out += crlf + "[TM5]" + crlf;
    bool first = true;
    for (const PlateTextField* f : InFileOrder(PlateTextFields(), ProjectSection::TM5)) {
        if (!first) out += crlf;
        out += WithoutLineBreaks(r.*f->value);
        first = false;
    }

    // The mail values lose their line breaks like the plate's one-line
    // values: a break would shift every later line of the section.
    out += crlf + crlf + "[MP1]" + crlf;
    for (const MailTextField* f : InFileOrder(MailTextFields(), ProjectSection::MP1))
        out += WithoutLineBreaks(r.*f->value) + crlf;

    out += crlf + "[MP2]" + crlf;
    for (bool tick : r.useAccount) out += StateDigit(tick);
    out += crlf;

    for (std::size_t k = 0; k < kAccountCount; ++k) {
        const BankAccount& a = r.accounts[k];
        out += crlf + std::string(kMarkers[BK1 + k]) + crlf;
        out += WithoutLineBreaks(a.bankName) + crlf;
        out += WithoutLineBreaks(a.branch) + crlf;
        out += WithoutLineBreaks(a.holder) + crlf;  // holder before number, as in bank.ini
        out += WithoutLineBreaks(a.number) + crlf;
        out += std::to_string(a.kind) + crlf;
    }

    // Without a ticked service the file is the one the program always wrote.
    std::string services;
    for (const std::string& id : r.currentServices)
        if (IsServiceId(id)) services += "," + id;
    if (!services.empty()) out += crlf + std::string(kServicesMarker) + crlf + services + crlf;
    if (r.thickness > 0 && static_cast<std::size_t>(r.thickness) < ThicknessList().size())
        out += crlf + std::string(kThicknessMarker) + crlf + std::to_string(r.thickness) + crlf;
    const std::vector<const PlateTickField*> layout = InFileOrder(PlateTickFields(), ProjectSection::PL1);
    PlateFlags flags = r.flags;
    if (std::any_of(layout.begin(), layout.end(), [&](const PlateTickField* f) { return f->flag(flags); }))
        out += crlf + std::string(kLayoutMarker) + crlf + TickDigits(r.flags, ProjectSection::PL1) + crlf;
    return out;
}

std::optional<ProjectRecord> ParseProjectText(std::string_view bytes, std::string* message)
{
    auto fail = [&](std::string text) -> std::optional<ProjectRecord> {
        if (message) *message = std::move(text);
        return std::nullopt;
    };

    // Every line loses its CR and LF bytes, whatever line ends the file has.
    std::vector<std::string> lines;
    for (std::string_view raw : SplitLines(bytes)) {
        std::string l;
        l.reserve(raw.size());
        for (char ch : raw)
            if (ch != '\r') l.push_back(ch);
        lines.push_back(std::move(l));
    }
    const std::size_t n = lines.size();

    std::size_t markerLine = 0;
    while (markerLine < n && !BeginsWith(lines[markerLine], kMarkers[TM1])) ++markerLine;
    if (markerLine == n) {
        for (const std::string& l : lines)
            if (BeginsWithAnyMarker(l)) return fail(MissingMarkerMessage(kMarkers[TM1]));
        return fail(NotProjectMessage());
    }

    // The markers are found in order. After each marker line the section's
    // own value lines are passed over before the next marker is looked for,
    // so seller text that begins a line with a marker never moves a
    // section. A marker that stands again before the next one starts its
    // section afresh: the later occurrence counts.
    std::array<Body, kSections> bodies;
    const std::vector<const PlateTextField*> countedFields = InFileOrder(PlateTextFields(), ProjectSection::TM1);
    std::vector<std::string> counted(countedFields.size());
    for (std::size_t i = 0; i < kSections; ++i) {
        const bool last = i + 1 == kSections;
        std::size_t start = markerLine;
        std::size_t next = 0;
        std::size_t values = 0;
        auto begin = [&](std::size_t at) {
            start = at;
            next = std::min(start + 1 + kValueLines[i], n);
            if (i == TM1) {
                values = 0;
                counted.assign(countedFields.size(), std::string());
            }
        };
        begin(start);
        while (next < n) {
            const std::string& l = lines[next];
            if (!last && BeginsWith(l, kMarkers[i + 1])) break;
            if (BeginsWith(l, kMarkers[i])) {
                begin(next);
                continue;
            }
            if (i == TM1) {
                if (const auto count = CountOf(l)) {
                    if (*count > n - next - 1) return fail(CutShortMessage());
                    std::string value;
                    for (std::size_t k = 0; k < *count; ++k) {
                        if (k) value += kCrLf;
                        value += lines[next + 1 + k];
                    }
                    // A counted value after the form's last belongs nowhere.
                    if (values < counted.size()) counted[values] = std::move(value);
                    ++values;
                    next += 1 + *count;
                    continue;
                }
            }
            ++next;
        }
        bodies[i] = Body{&lines, start + 1, next};
        if (!last) {
            if (next >= n) return fail(MissingMarkerMessage(kMarkers[i + 1]));
            markerLine = next;
        }
    }

    ProjectRecord r;
    for (std::size_t k = 0; k < countedFields.size(); ++k) r.*countedFields[k]->value = std::move(counted[k]);

    TakeTicks(bodies[TM2].digitsAfterCommas(), ProjectSection::TM2, r.flags);
    TakeTicks(bodies[TM3].digitsAfterCommas(), ProjectSection::TM3, r.flags);
    const auto sel = bodies[TM4].numbersAfterCommas();
    for (const PlateSelectionField* f : InFileOrder(PlateSelectionFields(), ProjectSection::TM4))
        r.selections.*f->value = At(sel, static_cast<std::size_t>(f->project.at - 1));
    TakeTicks(sel, ProjectSection::TM4, r.flags);

    for (const PlateTextField* f : InFileOrder(PlateTextFields(), ProjectSection::TM5))
        r.*f->value = bodies[TM5].line(static_cast<std::size_t>(f->project.at));
    // A value written twice (the telephone) is read from its later line.
    for (const MailTextField& f : MailTextFields())
        if (f.project.section == ProjectSection::MP1)
            r.*f.value = bodies[MP1].line(static_cast<std::size_t>(f.project.again ? f.project.again : f.project.at));

    const auto ticks = bodies[MP2].digitsAfterCommas();
    for (std::size_t k = 0; k < kAccountCount; ++k) r.useAccount[k] = On(ticks, k);

    for (std::size_t k = 0; k < kAccountCount; ++k) {
        const Body& b = bodies[BK1 + k];
        BankAccount& a = r.accounts[k];
        a.bankName = b.line(1);
        a.branch = b.line(2);
        a.holder = b.line(3);
        a.number = b.line(4);
        a.kind = DecimalValue(b.line(5));
    }

    // "[CS1]" may follow the last account's five lines; its one line lists
    // ids after commas. A file without it has no current service ticked.
    const Body& last = bodies[BK1 + kAccountCount - 1];
    for (std::size_t i = last.first + kValueLines[kSections - 1]; i < n; ++i) {
        if (lines[i] != kServicesMarker) continue;
        if (i + 1 < n) {
            std::string_view list = lines[i + 1];
            while (!list.empty()) {
                const std::size_t comma = list.find(',');
                const std::string_view id = list.substr(0, comma);
                list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
                if (IsServiceId(id) &&
                    std::find(r.currentServices.begin(), r.currentServices.end(), id) == r.currentServices.end())
                    r.currentServices.emplace_back(id);
            }
        }
        break;
    }
    // "[TH1]" may follow; its one line is the thickness position. One
    // outside the list is read as none chosen.
    for (std::size_t i = last.first + kValueLines[kSections - 1]; i + 1 < n; ++i) {
        if (lines[i] != kThicknessMarker) continue;
        const int value = DecimalValue(lines[i + 1]);
        r.thickness = value > 0 && static_cast<std::size_t>(value) < ThicknessList().size() ? value : 0;
        break;
    }

    // "[PL1]" likewise; a file without it has the choices off.
    for (std::size_t i = last.first + kValueLines[kSections - 1]; i < n; ++i) {
        if (lines[i] != kLayoutMarker) continue;
        const Body layout{&lines, i + 1, std::min(i + 2, n)};
        TakeTicks(layout.digitsAfterCommas(), ProjectSection::PL1, r.flags);
        break;
    }
    return r;
}

ProjectSelections ProjectSelectionsInLists(const ProjectSelections& s)
{
    auto inList = [](int index, std::size_t size) {
        return index >= 0 && static_cast<std::size_t>(index) < size ? index : -1;
    };
    return ProjectSelections{inList(s.weight, WeightList().size()), inList(s.size, SizeList().size()),
                             inList(s.origin, PrefectureList().size()), inList(s.type, kTemplateTypeCount)};
}

void ApplyProjectToPlate(const ProjectRecord& r, PlateState& state)
{
    // Only what the file holds: the last render's texts stay the form's.
    for (const PlateTextField& f : PlateTextFields())
        if (f.project.section != ProjectSection::None) state.*f.value = r.*f.value;
    const ProjectSelections s = ProjectSelectionsInLists(r.selections);
    state.weightIndex = s.weight;
    state.sizeIndex = s.size;
    state.originIndex = s.origin;
    state.templateType = s.type;
    state.thicknessIndex = r.thickness;
    state.accounts = r.accounts;
}

FileDialogRequest ProjectFileDialog()
{
    static const std::string label = Sjis("トレパルファイル(*.tpf)");
    return FileDialogRequest{label, "*.tpf", "tpf"};
}

std::string ProjectNotOpenedMessage(const std::string& reason)
{
    static const std::string unchanged = Sjis("\r\nフォームは変更されていません。");
    return reason + unchanged;
}

std::string ProjectSaveFailedMessage()
{
    static const std::string m = Sjis(
        "トレパルファイルを保存できませんでした。\r\n"
        "保存先のフォルダーと空き容量を確認してください。同じ名前のファイルがあった場合、そのファイルは元のままです。");
    return m;
}

std::string ProjectUnreadableMessage(bool tooLarge)
{
    static const std::string unreadable = Sjis("ファイルを読み込めませんでした。");
    static const std::string large = Sjis("ファイルが大きすぎるため、読み込めませんでした。");
    return tooLarge ? large : unreadable;
}

}  // namespace torepal
