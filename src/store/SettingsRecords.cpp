// The byte layouts of bank.ini, plate.ini and status.ini. Each file is one
// record with no header: the fields follow each other in the order below,
// texts as archive strings, everything else as u32.

#include "store/Archive.h"
#include "store/SettingsFiles.h"

namespace torepal {

namespace {

// Each layout is written down once, as a list of fields, and walked by a
// writer to store a record and by a reader to load one, so the two can never
// disagree about the order.
struct Store {
    ArchiveWriter& w;
    void tick(bool on) { w.putTick(on); }
    void int32(std::int32_t value) { w.putInt32(value); }
    void text(const std::string& sjis) { w.putString(sjis); }
    void unused() { w.putU32(0); }
};

struct Load {
    ArchiveReader& r;
    void tick(bool& on) { r.getTick(on); }
    void int32(std::int32_t& value) { r.getInt32(value); }
    void text(std::string& sjis) { r.getString(sjis); }
    void unused()
    {
        std::uint32_t ignored = 0;
        r.getU32(ignored);
    }
};

// bank.ini, six rows of: bank name, branch (記号 in the postal rows),
// holder, number, kind. The holder comes before the number in the file
// although the program keeps them the other way round.
template <typename Io, typename Record>
void BankFields(Io& io, Record& record)
{
    for (auto& row : record.rows) {
        io.text(row.bankName);
        io.text(row.branch);
        io.text(row.holder);
        io.text(row.number);
        io.int32(row.kind);
    }
}

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
//   29-30  Yahoo!かんたん決算, 切手
//   31     mytext
template <typename Io, typename Record>
void PlateFields(Io& io, Record& record)
{
    io.tick(record.yamato);
    io.tick(record.sagawa);
    io.tick(record.yuPack);
    io.tick(record.yahooYuPack);
    io.tick(record.teikeigai);
    io.tick(record.sasshi);
    io.tick(record.kuronekoMail);
    io.tick(record.expack);
    io.int32(record.originIndex);
    io.text(record.TOthers);
    io.text(record.Others);
    io.text(record.color);
    io.text(record.bgcolor);
    io.text(record.fcolor);
    io.text(record.TOthers);
    io.text(record.yahooId);
    io.tick(record.linkOn);
    io.tick(record.linkOff);
    io.unused();
    io.int32(record.templateType);
    io.tick(record.center);
    io.tick(record.left);
    for (auto& tick : record.accountTicks) io.tick(tick);
    io.tick(record.yahooEasy);
    io.tick(record.stamps);
    io.text(record.mytext);
}

// status.ini: address, name, postcode, telephone, mobile, then the mail
// page's six account ticks.
template <typename Io, typename Record>
void StatusFields(Io& io, Record& record)
{
    io.text(record.post);
    io.text(record.myname);
    io.text(record.zip);
    io.text(record.tel);
    io.text(record.ktel);
    for (auto& tick : record.accountTicks) io.tick(tick);
}

template <typename Record, void (*Fields)(Store&, const Record&)>
std::string Encode(const Record& record)
{
    ArchiveWriter w;
    Store store{w};
    Fields(store, record);
    return w.take();
}

template <typename Record, void (*Fields)(Load&, Record&)>
bool Decode(std::string_view bytes, Record& record)
{
    ArchiveReader r(bytes);
    Load load{r};
    Fields(load, record);
    return r.ok();
}

}  // namespace

std::string EncodeBank(const CBSave& record)
{
    return Encode<CBSave, BankFields<Store, const CBSave>>(record);
}

bool DecodeBank(std::string_view bytes, CBSave& record)
{
    return Decode<CBSave, BankFields<Load, CBSave>>(bytes, record);
}

std::string EncodePlate(const CPSave& record)
{
    return Encode<CPSave, PlateFields<Store, const CPSave>>(record);
}

bool DecodePlate(std::string_view bytes, CPSave& record)
{
    return Decode<CPSave, PlateFields<Load, CPSave>>(bytes, record);
}

std::string EncodeStatus(const CSavemail& record)
{
    return Encode<CSavemail, StatusFields<Store, const CSavemail>>(record);
}

bool DecodeStatus(std::string_view bytes, CSavemail& record)
{
    return Decode<CSavemail, StatusFields<Load, CSavemail>>(bytes, record);
}

}  // namespace torepal
