// The byte layouts of bank.ini, plate.ini and status.ini. Each file is one
// record with no header: the fields follow each other in the order below,
// texts as archive strings, everything else as u32.

#include <optional>

#include "store/Archive.h"
#include "store/SettingsFiles.h"
#include "text/Encoding.h"
#include "text/SjisText.h"

namespace torepal {
namespace {

// The names of the settings plate.ini holds after its known fields.
constexpr std::string_view kPhoneFitSetting = "phone-fit";

// Settings added after the 31 fields of plate.ini follow them as named
// values: an archive string naming the setting, then its u32. Older
// readers stop after the fields they know and never see them; a value is
// written only when it differs from its default, so a file without any
// stays byte for byte what older writers wrote. Looks `name` up in the
// bytes after the known fields; a tail that does not read as named values
// (bytes some other writer left) counts as holding none.
std::optional<std::uint32_t> NamedValue(std::string_view tail, std::string_view name)
{
    ArchiveReader r(tail);
    std::optional<std::uint32_t> found;
    while (r.remaining() > 0) {
        std::string key;
        std::uint32_t value = 0;
        if (!r.getString(key) || !r.getU32(value)) return std::nullopt;
        if (key == name) found = value;
    }
    return found;
}

std::string_view Tail(std::string_view bytes, const ArchiveReader& r)
{
    return r.ok() ? bytes.substr(bytes.size() - r.remaining()) : std::string_view();
}

// Reads every field as it is stored: what a complete file holds is taken.
class StoredFields {
public:
    explicit StoredFields(std::string_view bytes) : bytes_(bytes), r_(bytes) {}
    void tick(bool& on) { r_.getTick(on); }
    void namedTick(std::string_view name, bool& on)
    {
        if (const auto value = NamedValue(Tail(bytes_, r_), name)) on = *value != 0;
    }
    void number(std::int32_t& value, std::int32_t, std::int32_t) { r_.getInt32(value); }
    void unused()
    {
        std::uint32_t ignored = 0;
        r_.getU32(ignored);
    }
    void text(std::string& sjis, bool) { r_.getString(sjis); }
    void line(std::string& sjis) { r_.getString(sjis); }
    bool ok() const { return r_.ok(); }

private:
    std::string_view bytes_;
    ArchiveReader r_;
};

// Reads what can still be read from a damaged file and takes only values
// the form could have written: ticks 0 or 1, selections inside their lists,
// texts of valid Shift-JIS without control characters (line breaks only
// where the field is a multi-line edit). Everything else keeps its initial
// value, so random bytes cannot tick every box or fill a name with noise.
class ValidFields {
public:
    explicit ValidFields(std::string_view bytes) : bytes_(bytes), r_(bytes) {}
    void tick(bool& on)
    {
        std::uint32_t raw = 0;
        if (r_.ok() && r_.getU32(raw) && raw <= 1) on = raw == 1;
    }
    void namedTick(std::string_view name, bool& on)
    {
        if (const auto value = NamedValue(Tail(bytes_, r_), name); value && *value <= 1) on = *value == 1;
    }
    void number(std::int32_t& value, std::int32_t lowest, std::int32_t highest)
    {
        std::int32_t raw = 0;
        if (r_.ok() && r_.getInt32(raw) && raw >= lowest && raw <= highest) value = raw;
    }
    void unused()
    {
        std::uint32_t ignored = 0;
        if (r_.ok()) r_.getU32(ignored);
    }
    void text(std::string& sjis, bool multiLine)
    {
        std::string raw;
        if (r_.ok() && r_.getString(raw) && IsCleanSettingsText(raw, multiLine)) sjis = std::move(raw);
    }
    void line(std::string& sjis) { text(sjis, false); }
    bool ok() const { return r_.ok(); }

private:
    std::string_view bytes_;
    ArchiveReader r_;
};

// Writes every field as it is stored; walks a copy of the record, since the
// field lists take what they fill by reference.
class WrittenFields {
public:
    void tick(bool& on) { w_.putTick(on); }
    void namedTick(std::string_view name, bool& on)
    {
        if (!on) return;
        w_.putString(name);
        w_.putTick(on);
    }
    void number(std::int32_t& value, std::int32_t, std::int32_t) { w_.putInt32(value); }
    void unused() { w_.putU32(0); }
    void text(std::string& sjis, bool) { w_.putString(sjis); }
    void line(std::string& sjis) { w_.putString(sjis); }
    std::string take() { return w_.take(); }

private:
    ArchiveWriter w_;
};

template <typename Fields>
void WalkBank(Fields& f, CBSave& record)
{
    for (BankAccount& row : record.rows) {
        f.line(row.bankName);
        f.line(row.branch);
        f.line(row.holder);
        f.line(row.number);
        f.number(row.kind, 0, 1);
    }
}

template <typename Fields>
void WalkPlate(Fields& f, CPSave& record)
{
    f.tick(record.yamato);
    f.tick(record.sagawa);
    f.tick(record.yuPack);
    f.tick(record.yahooYuPack);
    f.tick(record.teikeigai);
    f.tick(record.sasshi);
    f.tick(record.kuronekoMail);
    f.tick(record.expack);
    f.number(record.originIndex, 0, kStoredOriginCount - 1);
    f.text(record.TOthers, true);
    f.text(record.Others, true);
    f.line(record.color);
    f.line(record.bgcolor);
    f.line(record.fcolor);
    f.text(record.TOthers, true);
    f.line(record.yahooId);
    f.tick(record.linkOn);
    f.tick(record.linkOff);
    f.unused();
    f.number(record.templateType, 0, kStoredTemplateTypeCount - 1);
    f.tick(record.center);
    f.tick(record.left);
    for (bool& tick : record.accountTicks) f.tick(tick);
    f.tick(record.yahooEasy);
    f.tick(record.stamps);
    f.text(record.mytext, true);
    f.namedTick(kPhoneFitSetting, record.phoneFit);
}

template <typename Fields>
void WalkStatus(Fields& f, CSavemail& record)
{
    f.line(record.post);
    f.line(record.myname);
    f.line(record.zip);
    f.line(record.tel);
    f.line(record.ktel);
    for (bool& tick : record.accountTicks) f.tick(tick);
}

// Each file's three operations are its one walk over its fields: written
// out, read back whole, or read as far as the fields stay sound.
template <typename Record, typename Walk>
std::string Encoded(const Record& record, Walk walk)
{
    Record copy = record;
    WrittenFields f;
    walk(f, copy);
    return f.take();
}

template <typename Record, typename Walk>
bool Decoded(std::string_view bytes, Record& record, Walk walk)
{
    StoredFields f(bytes);
    walk(f, record);
    return f.ok();
}

template <typename Record, typename Walk>
Record Salvaged(std::string_view bytes, Walk walk)
{
    Record record;
    ValidFields f(bytes);
    walk(f, record);
    return record;
}

constexpr auto kBank = [](auto& f, CBSave& r) { WalkBank(f, r); };
constexpr auto kPlate = [](auto& f, CPSave& r) { WalkPlate(f, r); };
constexpr auto kStatus = [](auto& f, CSavemail& r) { WalkStatus(f, r); };

// EncodeX, DecodeX and SalvageX of one file, from its walk: the three are
// the same three steps for every file, so they are written once here.
#define TOREPAL_SETTINGS_FILE(Name, Record, walk)             \
    std::string Encode##Name(const Record& record)            \
    {                                                         \
        return Encoded(record, walk);                         \
    }                                                         \
    bool Decode##Name(std::string_view bytes, Record& record) \
    {                                                         \
        return Decoded(bytes, record, walk);                  \
    }                                                         \
    Record Salvage##Name(std::string_view bytes)              \
    {                                                         \
        return Salvaged<Record>(bytes, walk);                 \
    }

}  // namespace

bool IsCleanSettingsText(std::string_view sjis, bool multiLine)
{
    if (!IsValidSjis(sjis)) return false;
    for (std::size_t pos = 0; pos < sjis.size();) {
        const std::size_t len = CharLength(sjis, pos);
        const auto b = static_cast<unsigned char>(sjis[pos]);
        if (len == 1 && (b < 0x20 || b == 0x7F) && !(multiLine && (b == '\r' || b == '\n' || b == '\t'))) return false;
        pos += len;
    }
    return true;
}

// bank.ini, six rows of: bank name, branch (記号 in the postal rows),
// holder, number, kind. The holder comes before the number in the file
// although the program keeps them the other way round.
TOREPAL_SETTINGS_FILE(Bank, CBSave, kBank)

// plate.ini:
//    1- 8  carrier ticks
//    9     origin
//   10     TOthers
//   11-14  Others, color, bgcolor, fcolor
//   15     TOthers again (the copy that counts on reading)
//   16     yahooId
//   17-18  リンクする, リンクしない
//   19     unused, written 0
//   20     template type
//   21-22  中央, 左寄せ
//   23-28  account ticks
//   29-30  Yahoo!かんたん決済, 切手
//   31     mytext
//   then, only for a setting that is on, its name and the u32 1:
//          "phone-fit"  スマートフォンでも読みやすく
TOREPAL_SETTINGS_FILE(Plate, CPSave, kPlate)

// status.ini: address, name, postcode, telephone, mobile, then the mail
// page's six account ticks.
TOREPAL_SETTINGS_FILE(Status, CSavemail, kStatus)

#undef TOREPAL_SETTINGS_FILE

}  // namespace torepal
