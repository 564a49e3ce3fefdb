// torepal-cli: the listing page and the winning-bidder mail of a project
// file, made by the same core as the window, without a display and without
// reading any settings file.
#include <cerrno>
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

namespace {

using namespace torepal;

constexpr int kDone = 0;
constexpr int kUsage = 1;
constexpr int kBadFile = 2;

const char* const kUsageText =
    "Usage:\n"
    "  torepal-cli render FILE.tpf [--tariffs DIR]\n"
    "      Writes the listing page that \"完成\" saves right after the project\n"
    "      is opened (the project's values, ticks, selections, radio buttons\n"
    "      and bank names), byte for byte as it lands in the file. The current\n"
    "      services the project ticks are priced from the tariff files of DIR\n"
    "      (default: tariffs/ beside this program); a service without a file\n"
    "      is named on the error stream and left out.\n"
    "  torepal-cli tariffs [DIR]\n"
    "      Lists id, name, date and source of every current service in DIR\n"
    "      (default: tariffs/ beside this program), and each file left out\n"
    "      with its line and reason.\n"
    "  torepal-cli tariffs import ID FILE.csv [--tariffs DIR]\n"
    "      Lays the prices of a spreadsheet (CSV, or tab-separated) into the\n"
    "      service ID, reading each cell as the tariff editor's paste does\n"
    "      (\"1,200円\", full-width digits), and saves its file as the editor\n"
    "      does. A cell that is not a price is named and nothing is written.\n"
    "  torepal-cli mail FILE.tpf TEMPLATE.txt\n"
    "      Writes the mail that \"プレビュー・更新\" shows for the project's mail\n"
    "      fields, account ticks and six accounts with that template.\n"
    "  torepal-cli check FILE.tpf [--tariffs DIR]\n"
    "      Writes the checks before the page goes out, one per line as the\n"
    "      form shows them (nothing when there is nothing to say), the current\n"
    "      services priced from DIR as for render. They are advice, not\n"
    "      errors: the exit status stays 0.\n"
    "  torepal-cli --help\n"
    "\n"
    "Output is Shift-JIS, as the program writes it, except the tariff list\n"
    "(UTF-8, as the tariff files). No settings file is read.\n"
    "Exit status: 0 done, 1 wrong arguments, 2 a file that cannot be read or\n"
    "is not a well-formed project file, or a tariff file left out.\n";

int Usage(const char* problem)
{
    if (problem) std::fprintf(stderr, "torepal-cli: %s\n", problem);
    std::fputs(kUsageText, stderr);
    return kUsage;
}

// One line for the terminal (UTF-8): the seller's message without its
// line breaks.
int BadFile(const std::string& file, const std::string& sjisMessage)
{
    std::string text;
    for (char c : Utf8FromSjis(sjisMessage)) {
        if (c == '\n')
            text.push_back(' ');
        else if (c != '\r')
            text.push_back(c);
    }
    std::fprintf(stderr, "torepal-cli: %s: %s\n", file.c_str(), text.c_str());
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
        std::fprintf(stderr, "torepal-cli: cannot write the output: %s\n", std::strerror(errno));
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
        std::fprintf(stderr, "torepal-cli: %s: no such folder\n", folder.string().c_str());
        return kBadFile;
    }
    const TariffFolder read = ReadTariffFolder(folder);
    for (const Tariff& t : read.services) {
        const std::string line = t.id + "\t" + t.name + "\t" + JapaneseDate(t.date) +
                                 (t.dateKind == TariffDateKind::Effective ? "改定" : "時点") + "\t" + t.source + "\n";
        if (const int status = Write(line); status != kDone) return status;
    }
    for (const TariffProblem& p : read.problems)
        std::fprintf(stderr, "torepal-cli: %s\n", DescribeTariffProblem(p).c_str());
    return read.problems.empty() ? kDone : kBadFile;
}

// The prices of a spreadsheet into one service's file, read as a paste in
// the tariff editor reads them; the file is written as the editor writes it.
int ImportTariff(const std::string& id, const std::string& table, const std::filesystem::path& folder)
{
    if (!IsServiceId(id)) {
        std::fprintf(stderr, "torepal-cli: \"%s\" is not a service id\n", id.c_str());
        return kBadFile;
    }
    const ReadResult file = ReadWholeFile(TariffFile(folder, id), kLargestTariffFile);
    if (!file.ok()) {
        std::fprintf(stderr, "torepal-cli: %s: cannot read the tariff file\n", TariffFile(folder, id).c_str());
        return kBadFile;
    }
    auto read = ReadTariffText(id, file.bytes, id + std::string(kTariffExtension));
    if (const auto* problem = std::get_if<TariffProblem>(&read)) {
        std::fprintf(stderr, "torepal-cli: %s\n", DescribeTariffProblem(*problem).c_str());
        return kBadFile;
    }
    const ReadResult sheet = ReadWholeFile(table, kLargestTariffFile);
    if (!sheet.ok()) {
        std::fprintf(stderr, "torepal-cli: %s: cannot read the table\n", table.c_str());
        return kBadFile;
    }
    const TariffImport imported = ImportTariffTable(std::get<Tariff>(read), sheet.bytes);
    for (const std::string& problem : imported.problems)
        std::fprintf(stderr, "torepal-cli: %s: %s\n", table.c_str(), problem.c_str());
    if (!imported.ok()) return kBadFile;
    // No one is there to ask, so the tool says what the editor would ask.
    if (HasComments(file.bytes))
        std::fprintf(stderr, "torepal-cli: %s: its comments are not kept in the rewritten file\n",
                     TariffFile(folder, id).c_str());
    if (SaveTariff(folder, imported.tariff).status != TariffFileStatus::Done) {
        std::fprintf(stderr, "torepal-cli: %s: cannot write the tariff file; it is as it was\n",
                     TariffFile(folder, id).c_str());
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
        std::fprintf(stderr, "torepal-cli: %s: no valid tariff file for the current service \"%s\" in %s\n",
                     file.c_str(), id.c_str(), tariffFolder.string().c_str());
    return TickedServices(tariffs.services, services.known);
}

int Render(const std::string& file, const std::filesystem::path& tariffFolder)
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
    return Write(ToTextMode(plate.page));
}

int Mail(const std::string& file, const std::string& templateFile)
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
    return Write(mail.body);
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
        lines += CheckLine(result) + "\n";
    return Write(lines);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsageText, stdout);
        return kDone;
    }
    if (argc < 2) return Usage("no command given");
    const std::string_view command = argv[1];
    if (command == "render") {
        if (argc == 3) return Render(argv[2], DefaultTariffFolder());
        if (argc == 5 && std::strcmp(argv[3], "--tariffs") == 0) return Render(argv[2], argv[4]);
        if (argc == 5 && std::strcmp(argv[2], "--tariffs") == 0) return Render(argv[4], argv[3]);
        return Usage("render takes one project file and, optionally, --tariffs DIR");
    }
    if (command == "tariffs") {
        if (argc >= 3 && std::strcmp(argv[2], "import") == 0) {
            if (argc == 5) return ImportTariff(argv[3], argv[4], DefaultTariffFolder());
            if (argc == 7 && std::strcmp(argv[5], "--tariffs") == 0) return ImportTariff(argv[3], argv[4], argv[6]);
            return Usage("tariffs import takes a service id, a CSV file and, optionally, --tariffs DIR");
        }
        if (argc == 2) return Tariffs(DefaultTariffFolder());
        if (argc == 3) return Tariffs(argv[2]);
        return Usage("tariffs takes at most one folder");
    }
    if (command == "check") {
        if (argc == 3) return Check(argv[2], DefaultTariffFolder());
        if (argc == 5 && std::strcmp(argv[3], "--tariffs") == 0) return Check(argv[2], argv[4]);
        if (argc == 5 && std::strcmp(argv[2], "--tariffs") == 0) return Check(argv[4], argv[3]);
        return Usage("check takes one project file and, optionally, --tariffs DIR");
    }
    if (command == "mail") {
        if (argc != 4) return Usage("mail takes a project file and a template file");
        return Mail(argv[2], argv[3]);
    }
    return Usage("unknown command");
}
