// torepal-cli: the listing page and the winning-bidder mail of a project
// file, made by the same core as the window, without a display and without
// reading any settings file.
#include <langinfo.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/ProjectFile.h"
#include "app/ProjectMapping.h"
#include "io/File.h"
#include "mail/ComposeMail.h"
#include "mail/MailState.h"
#include "plate/ListingChecks.h"
#include "plate/PlateState.h"
#include "plate/RenderPage.h"
#include "shipping/ServiceTicks.h"
#include "shipping/TariffFiles.h"
#include "shipping/TariffLookup.h"
#include "shipping/TariffReader.h"
#include "shipping/TariffWriter.h"
#include "text/Encoding.h"
#include "text/Files.h"
#include "text/Lines.h"
#include "text/TerminalText.h"

namespace {

using namespace torepal;

constexpr int kDone = 0;
constexpr int kUsage = 1;
constexpr int kBadFile = 2;

const char* const kUsageText =
    "使い方:\n"
    "  torepal-cli render FILE.tpf [--tariffs DIR] [--readable]\n"
    "      プロジェクトを開いた直後に「完成」が保存するページを、ファイルに\n"
    "      保存されるバイトのまま（Shift-JIS、改行は CR CR LF）書き出します。\n"
    "      プロジェクトの値、チェック、選択、ラジオボタンと銀行名がそのまま\n"
    "      使われます。プロジェクトがチェックしている今のサービスの料金は DIR\n"
    "      （省略すると、このプログラムの隣の tariffs/）の料金ファイルから\n"
    "      取ります。ファイルのないサービスはエラー出力に名前を出して省きます。\n"
    "  torepal-cli tariffs [DIR]\n"
    "      DIR（省略すると、このプログラムの隣の tariffs/）の今のサービスを、\n"
    "      ID、名前、日付、出典の順に一行ずつ書き出します。使えないファイルは\n"
    "      その行と理由をエラー出力に書きます。\n"
    "  torepal-cli tariffs import ID FILE.csv [--tariffs DIR]\n"
    "      表計算の表（CSV かタブ区切り）の料金をサービス ID に入れ、料金表の\n"
    "      編集と同じように保存します。セルは編集画面の貼り付けと同じに読む\n"
    "      ので「1,200円」や全角の数字も使えます。料金として読めないセルが\n"
    "      あればその場所を書き、何も保存しません。\n"
    "  torepal-cli mail FILE.tpf TEMPLATE.txt [--readable]\n"
    "      「プレビュー・更新」が表示するメールを、プロジェクトのメールの欄、\n"
    "      口座のチェックと六つの口座で、そのテンプレートから作って書き出します\n"
    "      （Shift-JIS、改行は CR LF）。\n"
    "  torepal-cli check FILE.tpf [--tariffs DIR]\n"
    "      ページを出す前の確認を、画面と同じ文で一行にひとつずつ書き出します\n"
    "      （言うことがなければ何も書きません）。確認は助言なので、終了コードは\n"
    "      0 のままです。今のサービスの料金は render と同じく DIR から取ります。\n"
    "  torepal-cli --help\n"
    "      この説明を書き出します。\n"
    "\n"
    "--readable を付けると、ページやメールを読むために、端末の文字コードに\n"
    "直し、改行を LF にして書き出します（保存するときは付けないでください）。\n"
    "確認、サービスの一覧、メッセージとこの説明は端末の文字コード（ロケールが\n"
    "UTF-8 なら UTF-8）で書き出します。設定ファイルは読みません。\n"
    "終了コード: 0 完了、1 引数の誤り、2 読めないファイル、プロジェクト\n"
    "ファイルとして正しくないファイル、または使えない料金ファイル。\n";

// The terminal's character set, learnt once from the locale at start.
TerminalEncoding& Terminal()
{
    static TerminalEncoding terminal;
    return terminal;
}

// Text for a person (UTF-8) on the error stream, in the terminal's set.
void Say(const std::string& utf8)
{
    const std::string text = ForTerminal("torepal-cli: " + utf8 + "\n", Terminal());
    std::fputs(text.c_str(), stderr);
}

int Usage(const char* problem)
{
    if (problem) Say(problem);
    std::fputs(ForTerminal(kUsageText, Terminal()).c_str(), stderr);
    return kUsage;
}

// One line for the terminal: the seller's message without its line breaks.
int BadFile(const std::string& file, const std::string& sjisMessage)
{
    std::string text;
    for (char c : Utf8FromSjis(sjisMessage)) {
        if (c == '\n')
            text.push_back(' ');
        else if (c != '\r')
            text.push_back(c);
    }
    Say(file + ": " + text);
    return kBadFile;
}

std::optional<std::string> ReadFile(const std::string& file, int& status)
{
    ReadResult read = ReadWholeFile(std::filesystem::path(file));
    if (!read.ok()) {
        status = BadFile(file, ProjectUnreadableMessage(read.status == ReadStatus::TooLarge));
        return std::nullopt;
    }
    return std::move(read.bytes);
}

std::optional<ProjectRecord> ReadProject(const std::string& file, int& status)
{
    const std::optional<std::string> bytes = ReadFile(file, status);
    if (!bytes) return std::nullopt;
    std::string message;
    std::optional<ProjectRecord> record = ParseProjectText(*bytes, &message);
    if (!record) status = BadFile(file, message);
    return record;
}

int Write(std::string_view bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0) {
        Say("出力を書き出せません（ディスクがいっぱいか、書き込めない出力先です）。");
        return kBadFile;
    }
    return kDone;
}

std::filesystem::path DefaultTariffFolder()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (ec ? std::filesystem::current_path(ec) : self.parent_path()) / kTariffFolderName;
}

int Tariffs(const std::filesystem::path& folder)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        Say(folder.string() + ": そのフォルダはありません。");
        return kBadFile;
    }
    const TariffFolder read = ReadTariffFolder(folder);
    for (const Tariff& t : read.services) {
        const std::string line = t.id + "\t" + t.name + "\t" + JapaneseDate(t.date) +
                                 (t.dateKind == TariffDateKind::Effective ? "改定" : "時点") + "\t" + t.source + "\n";
        if (const int status = Write(ForTerminal(line, Terminal())); status != kDone) return status;
    }
    for (const TariffProblem& p : read.problems) Say(DescribeTariffProblem(p));
    return read.problems.empty() ? kDone : kBadFile;
}

// The prices of a spreadsheet into one service's file, read as a paste in
// the tariff editor reads them; the file is written as the editor writes it.
int ImportTariff(const std::string& id, const std::string& table, const std::filesystem::path& folder)
{
    if (!IsServiceId(id)) {
        Say("「" + id + "」はサービスのIDではありません（半角の英数字と「-」「_」だけで、64文字まで）。");
        return kBadFile;
    }
    const ReadResult file = ReadWholeFile(TariffFile(folder, id), kLargestTariffFile);
    if (!file.ok()) {
        Say(TariffFile(folder, id).string() + ": 料金ファイルを読めません。");
        return kBadFile;
    }
    auto read = ReadTariffText(id, file.bytes, id + std::string(kTariffExtension));
    if (const auto* problem = std::get_if<TariffProblem>(&read)) {
        Say(DescribeTariffProblem(*problem));
        return kBadFile;
    }
    const ReadResult sheet = ReadWholeFile(table, kLargestTariffFile);
    if (!sheet.ok()) {
        Say(table + ": 表のファイルを読めません。");
        return kBadFile;
    }
    const TariffImport imported = ImportTariffTable(std::get<Tariff>(read), sheet.bytes);
    for (const std::string& problem : imported.problems) Say(table + ": " + problem);
    if (!imported.ok()) return kBadFile;
    // No one is there to ask, so the tool says what the editor would ask.
    if (HasComments(file.bytes))
        Say(TariffFile(folder, id).string() + ": 手で書いた注釈（# のあとの文）は書き直したファイルに残りません。");
    if (SaveTariff(folder, imported.tariff).status != TariffFileStatus::Done) {
        Say(TariffFile(folder, id).string() + ": 料金ファイルを書き込めませんでした。ファイルは元のままです。");
        return kBadFile;
    }
    return kDone;
}

// The current services the project ticks, from the tariff files of the
// folder; a service without a file is named on the error stream.
std::vector<Tariff> TickedServicesOf(const ProjectRecord& record, const std::string& file,
                                     const std::filesystem::path& tariffFolder)
{
    std::vector<Tariff> current;
    if (record.currentServices.empty()) return current;
    const TariffFolder tariffs = ReadTariffFolder(tariffFolder);
    const ProjectServices services = ServicesOfProject(record, tariffs.services);
    for (const std::string& id : services.unknown)
        Say(file + ": 今のサービス「" + id + "」の使える料金ファイルが " + tariffFolder.string() +
            " にないため、省きました。");
    return TickedServices(tariffs.services, services.known);
}

// The saved bytes for a script, or the same text made readable.
int WriteSaved(const std::string& sjis, bool readable)
{
    return Write(readable ? ReadableFromSjis(sjis, Terminal()) : sjis);
}

int Render(const std::string& file, const std::filesystem::path& tariffFolder, bool readable)
{
    int status = kDone;
    const std::optional<ProjectRecord> record = ReadProject(file, status);
    if (!record) return status;
    const std::vector<Tariff> current = TickedServicesOf(*record, file, tariffFolder);
    PlateState plate;
    PlateFlags flags;
    PlateSelections selections;
    MailState mail;
    FormsFromProject(*record, plate, flags, selections, mail);
    RenderPage(plate, flags, current);
    // "完成" writes the page in text mode.
    return WriteSaved(ToTextMode(plate.page), readable);
}

int Mail(const std::string& file, const std::string& templateFile, bool readable)
{
    int status = kDone;
    const std::optional<ProjectRecord> record = ReadProject(file, status);
    if (!record) return status;
    const std::optional<std::string> templateBytes = ReadFile(templateFile, status);
    if (!templateBytes) return status;

    PlateState plate;
    PlateFlags flags;
    PlateSelections selections;
    MailState mail;
    FormsFromProject(*record, plate, flags, selections, mail);
    // No bank.ini is read here: the project's own accounts fill the mail.
    mail.accounts = record->accounts;
    ComposeMail(mail, *templateBytes);
    return WriteSaved(mail.body, readable);
}

int Check(const std::string& file, const std::filesystem::path& tariffFolder)
{
    int status = kDone;
    const std::optional<ProjectRecord> record = ReadProject(file, status);
    if (!record) return status;
    PlateState state;
    ApplyProjectToPlate(*record, state);
    // The form shows what a project's selections become in its combos.
    const PlateSelections selections = ProjectSelectionsInLists(record->selections);
    std::string lines;
    const std::vector<Tariff> current = TickedServicesOf(*record, file, tariffFolder);
    for (const CheckResult& result : CheckListing(state, record->flags, selections, current))
        lines += Utf8FromSjis(CheckLine(result)) + "\n";
    return Write(ForTerminal(lines, Terminal()));
}

// The arguments after the command, with "--readable" taken out wherever it
// stands (render and mail only), so the positions below stay as they were.
struct Arguments {
    std::vector<std::string> words;
    bool readable = false;
};

Arguments ArgumentsAfter(int argc, char** argv)
{
    Arguments a;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--readable") == 0)
            a.readable = true;
        else
            a.words.emplace_back(argv[i]);
    }
    return a;
}

}  // namespace

int main(int argc, char** argv)
{
    // Only the character set follows the locale: numbers and dates stay as
    // the program writes them.
    std::setlocale(LC_CTYPE, "");
    Terminal() = TerminalEncodingOf(nl_langinfo(CODESET));

    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        return Write(ForTerminal(kUsageText, Terminal()));
    }
    if (argc < 2) return Usage("コマンドがありません。");
    const std::string_view command = argv[1];
    const Arguments args = ArgumentsAfter(argc, argv);
    const std::vector<std::string>& w = args.words;
    const bool readableUsed = args.readable && command != "render" && command != "mail";
    if (readableUsed) return Usage("--readable は render と mail にだけ付けられます。");
    if (command == "render") {
        if (w.size() == 1) return Render(w[0], DefaultTariffFolder(), args.readable);
        if (w.size() == 3 && w[1] == "--tariffs") return Render(w[0], w[2], args.readable);
        if (w.size() == 3 && w[0] == "--tariffs") return Render(w[2], w[1], args.readable);
        return Usage("render にはプロジェクトファイルをひとつと、必要なら --tariffs DIR を付けてください。");
    }
    if (command == "tariffs") {
        if (!w.empty() && w[0] == "import") {
            if (w.size() == 3) return ImportTariff(w[1], w[2], DefaultTariffFolder());
            if (w.size() == 5 && w[3] == "--tariffs") return ImportTariff(w[1], w[2], w[4]);
            return Usage("tariffs import にはサービスのID、CSVファイルと、必要なら --tariffs DIR を付けてください。");
        }
        if (w.empty()) return Tariffs(DefaultTariffFolder());
        if (w.size() == 1) return Tariffs(w[0]);
        return Usage("tariffs に付けられるフォルダはひとつまでです。");
    }
    if (command == "check") {
        if (w.size() == 1) return Check(w[0], DefaultTariffFolder());
        if (w.size() == 3 && w[1] == "--tariffs") return Check(w[0], w[2]);
        if (w.size() == 3 && w[0] == "--tariffs") return Check(w[2], w[1]);
        return Usage("check にはプロジェクトファイルをひとつと、必要なら --tariffs DIR を付けてください。");
    }
    if (command == "mail") {
        if (w.size() != 2) return Usage("mail にはプロジェクトファイルとテンプレートファイルを付けてください。");
        return Mail(w[0], w[1], args.readable);
    }
    return Usage("そのコマンドはありません。");
}
