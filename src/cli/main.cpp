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

#include "app/ProjectFile.h"
#include "io/File.h"
#include "mail/ComposeMail.h"
#include "mail/MailState.h"
#include "plate/PlateState.h"
#include "plate/RenderPage.h"
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
    "  torepal-cli render FILE.tpf\n"
    "      Writes the listing page that \"完成\" saves right after the project\n"
    "      is opened (the project's values, ticks, selections, radio buttons\n"
    "      and bank names), byte for byte as it lands in the file.\n"
    "  torepal-cli mail FILE.tpf TEMPLATE.txt\n"
    "      Writes the mail that \"プレビュー・更新\" shows for the project's mail\n"
    "      fields, account ticks and six accounts with that template.\n"
    "  torepal-cli --help\n"
    "\n"
    "Output is Shift-JIS, as the program writes it. No settings file is read.\n"
    "Exit status: 0 done, 1 wrong arguments, 2 a file that cannot be read or\n"
    "is not a well-formed project file.\n";

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

int Render(const std::string& file)
{
    int status = kDone;
    const std::optional<ProjectRecord> record = ReadProject(file, status);
    if (!record) return status;
    PlateState state;
    ApplyProjectToPlate(*record, state);
    RenderPage(state, record->flags);
    // "完成" writes the page in text mode.
    return Write(ToTextMode(state.page));
}

int Mail(const std::string& file, const std::string& templateFile)
{
    int status = kDone;
    const std::optional<ProjectRecord> record = ReadProject(file, status);
    if (!record) return status;
    const std::optional<std::string> templateBytes = ReadFile(templateFile, status);
    if (!templateBytes) return status;

    const ProjectRecord& r = *record;
    MailState state;
    state.myname = r.myname;
    state.zip = r.zip;
    state.tel = r.tel;
    state.post = r.post;
    state.ktel = r.ktel;
    state.item = r.item;
    state.name = r.name;
    state.fauc = r.fauc;
    state.bidderMail = r.bidderMail;
    state.transnum = r.transnum;
    state.transmen = r.transmen;
    state.ftrans = r.ftrans;
    state.useAccount = r.useAccount;
    state.accounts = r.accounts;
    ComposeMail(state, *templateBytes);
    return Write(state.body);
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
        if (argc != 3) return Usage("render takes one project file");
        return Render(argv[2]);
    }
    if (command == "mail") {
        if (argc != 4) return Usage("mail takes a project file and a template file");
        return Mail(argv[2], argv[3]);
    }
    return Usage("unknown command");
}
