#include "app/RecoveryFile.h"

#include <array>
#include <optional>
#include <span>
#include <system_error>
#include <vector>

#include "app/ProjectFile.h"
#include "io/LittleEndian.h"
#include "text/Encoding.h"

namespace torepal {
namespace {

constexpr std::string_view kMagic{"TRPLRCV\0", 8};
constexpr std::size_t kHeaderSize = 8 + 4 + 4 + 4;
constexpr std::uint32_t kPlateBit = 1;
constexpr std::uint32_t kMailBit = 2;
// Far more than two forms of text can hold; a larger file is no recovery file.
constexpr std::uintmax_t kLargestRecoveryFile = 64ull * 1024 * 1024;

std::uint32_t Crc32(std::string_view bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char ch : bytes) crc = table[(crc ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

// A form's fields where a project file keeps them, the other form empty.
std::string ProjectTextOf(const PlateForm& form)
{
    ProjectRecord r;
    static_cast<PlateTexts&>(r) = form.texts;
    r.flags = form.flags;
    r.selections = form.selections;
    r.currentServices = form.services;
    r.thickness = form.thickness;
    return BuildProjectText(r);
}

std::string ProjectTextOf(const MailForm& form)
{
    ProjectRecord r;
    static_cast<MailTexts&>(r) = form.texts;
    r.useAccount = form.useAccount;
    return BuildProjectText(r);
}

void FormFromProject(const ProjectRecord& r, PlateForm& form)
{
    form.texts = r;
    form.flags = r.flags;
    form.selections = r.selections;
    form.services = r.currentServices;
    form.thickness = r.thickness;
}

void FormFromProject(const ProjectRecord& r, MailForm& form)
{
    form.texts = r;
    form.useAccount = r.useAccount;
}

std::span<const PlateTextField> TextFields(const PlateForm&)
{
    return PlateTextFields();
}

std::span<const MailTextField> TextFields(const MailForm&)
{
    return MailTextFields();
}

// The project text, then the texts the field table has the recovery keep
// on their own, in table order.
template <typename Form>
void PutForm(std::string& out, const Form& form)
{
    PutText(out, ProjectTextOf(form));
    std::uint32_t own = 0;
    for (const auto& f : TextFields(form))
        if (f.recovery == RecoveryKeeps::OwnText) ++own;
    PutU32(out, own);
    for (const auto& f : TextFields(form))
        if (f.recovery == RecoveryKeeps::OwnText) PutText(out, form.texts.*f.value);
}

template <typename Form>
bool GetForm(LittleEndianReader& r, Form& form)
{
    std::string text;
    if (!r.text(text)) return false;
    const std::optional<ProjectRecord> project = ParseProjectText(text);
    if (!project) return false;
    FormFromProject(*project, form);
    std::uint32_t own = 0, expected = 0;
    for (const auto& f : TextFields(form))
        if (f.recovery == RecoveryKeeps::OwnText) ++expected;
    if (!r.u32(own) || own != expected) return false;
    for (const auto& f : TextFields(form))
        if (f.recovery == RecoveryKeeps::OwnText && !r.text(form.texts.*f.value)) return false;
    return true;
}

// The first version's forms: a count, then each text in this order.
std::vector<std::string*> FirstVersionTexts(PlateTexts& t)
{
    return {&t.Title, &t.Items,  &t.trans,   &t.TOthers, &t.Others,  &t.sdata,
            &t.pdata, &t.mytext, &t.yahooId, &t.color,   &t.bgcolor, &t.fcolor};
}

std::vector<std::string*> FirstVersionTexts(MailTexts& t)
{
    return {&t.item, &t.name,   &t.transmen, &t.transnum, &t.fauc, &t.ftrans, &t.bidderMail,
            &t.body, &t.myname, &t.post,     &t.zip,      &t.tel,  &t.ktel};
}

template <typename Texts>
bool GetFirstVersionTexts(LittleEndianReader& r, Texts& texts)
{
    const std::vector<std::string*> fields = FirstVersionTexts(texts);
    std::uint32_t count = 0;
    if (!r.u32(count) || count != fields.size()) return false;
    for (std::string* f : fields)
        if (!r.text(*f)) return false;
    return true;
}

}  // namespace

RecoveryRecord RecoveryOf(const PlateForm& plate, const UnsavedForm<PlateForm>& plateState, const MailForm& mail,
                          const UnsavedForm<MailForm>& mailState)
{
    RecoveryRecord record;
    if (plateState.unsaved(plate)) {
        record.hasPlate = true;
        record.plate = plate;
    }
    if (mailState.unsaved(mail)) {
        record.hasMail = true;
        record.mail = mail;
    }
    return record;
}

std::string EncodeRecovery(const RecoveryRecord& record)
{
    std::string payload;
    PutU32(payload, (record.hasPlate ? kPlateBit : 0) | (record.hasMail ? kMailBit : 0));
    if (record.hasPlate) PutForm(payload, record.plate);
    if (record.hasMail) PutForm(payload, record.mail);

    std::string out(kMagic);
    PutU32(out, kRecoveryVersion);
    PutU32(out, static_cast<std::uint32_t>(payload.size()));
    PutU32(out, Crc32(payload));
    return out + payload;
}

RecoveryDecode DecodeRecovery(std::string_view bytes, RecoveryRecord& record)
{
    record = RecoveryRecord{};
    if (bytes.size() < kHeaderSize || bytes.substr(0, kMagic.size()) != kMagic) return RecoveryDecode::Damaged;
    LittleEndianReader header(bytes.substr(kMagic.size(), kHeaderSize - kMagic.size()));
    std::uint32_t version = 0, length = 0, crc = 0;
    header.u32(version);
    header.u32(length);
    header.u32(crc);
    if (version != kRecoveryVersion && version != 1) return RecoveryDecode::OtherVersion;
    const std::string_view payload = bytes.substr(kHeaderSize);
    if (payload.size() != length || Crc32(payload) != crc) return RecoveryDecode::Damaged;

    RecoveryRecord read;
    LittleEndianReader r(payload);
    std::uint32_t forms = 0;
    if (!r.u32(forms) || (forms & ~(kPlateBit | kMailBit)) != 0) return RecoveryDecode::Damaged;
    read.hasPlate = (forms & kPlateBit) != 0;
    read.hasMail = (forms & kMailBit) != 0;
    if (version == 1) {
        read.textsOnly = true;
        if (read.hasPlate && !GetFirstVersionTexts(r, read.plate.texts)) return RecoveryDecode::Damaged;
        if (read.hasMail && !GetFirstVersionTexts(r, read.mail.texts)) return RecoveryDecode::Damaged;
    } else {
        if (read.hasPlate && !GetForm(r, read.plate)) return RecoveryDecode::Damaged;
        if (read.hasMail && !GetForm(r, read.mail)) return RecoveryDecode::Damaged;
    }
    if (!r.atEnd()) return RecoveryDecode::Damaged;
    record = std::move(read);
    return RecoveryDecode::Ok;
}

std::filesystem::path RecoveryPath(const std::filesystem::path& programFolder)
{
    return programFolder / kRecoveryFileName;
}

LoadedRecovery LoadRecovery(const std::filesystem::path& programFolder)
{
    LoadedRecovery loaded;
    const ReadResult read = ReadWholeFile(RecoveryPath(programFolder), kLargestRecoveryFile);
    if (read.status == ReadStatus::Missing) return loaded;
    if (!read.ok() || DecodeRecovery(read.bytes, loaded.record) != RecoveryDecode::Ok) {
        loaded.status = RecoveryStatus::Damaged;
        return loaded;
    }
    // A file holding no form offers nothing.
    loaded.status = loaded.record.empty() ? RecoveryStatus::None : RecoveryStatus::Found;
    return loaded;
}

WriteStatus StoreRecovery(const std::filesystem::path& programFolder, const RecoveryRecord& record)
{
    if (record.empty()) {
        ClearRecovery(programFolder);
        return WriteStatus::Ok;
    }
    return WriteFileAtomically(RecoveryPath(programFolder), EncodeRecovery(record));
}

void ClearRecovery(const std::filesystem::path& programFolder)
{
    std::error_code ec;
    std::filesystem::remove(RecoveryPath(programFolder), ec);
}

std::string RecoveryOfferMessage()
{
    return Sjis(
        "前回、保存しないまま終わった入力が残っています。\r\n"
        "入力欄に戻しますか。戻さない場合、残っていた入力は消えます。");
}

std::string RecoveryDamagedMessage()
{
    return Sjis(
        "前回の入力を残したファイル「torepal-recovery.dat」が壊れていたため、戻せませんでした。\r\n"
        "今の入力欄には影響ありません。");
}

}  // namespace torepal
