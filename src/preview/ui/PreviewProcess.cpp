#include "preview/ui/PreviewProcess.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>

#include "preview/EngineSandbox.h"

namespace torepal {

namespace {

// Kept of the process's error stream, for the message when it cannot start.
constexpr qsizetype kErrorTail = 4096;

QString CannotStartMessage(const QByteArray& errors)
{
    QString message = QStringLiteral(
        "ライブプレビューのブラウザエンジン（Qt WebEngine）を起動できませんでした。\n"
        "「プレビュー」ボタンでブラウザに表示することはできます。");
    // The dynamic loader's line names a missing library, which helps whoever
    // installs the program; the engine's own chatter does not.
    const QList<QByteArray> lines = errors.trimmed().split('\n');
    for (const QByteArray& line : lines)
        if (line.contains("error while loading shared libraries")) {
            message += QStringLiteral("\n\n") + QString::fromLocal8Bit(line.trimmed());
            break;
        }
    return message;
}

}  // namespace

QString PreviewProcess::ProgramName()
{
    return QStringLiteral("torepal-preview");
}

PagePreviewLoad PreviewProcess::Start(const QString& programFolder)
{
    PagePreviewLoad result;
    if (EngineRefusesToStart(::geteuid() == 0, qgetenv("QTWEBENGINE_DISABLE_SANDBOX").toStdString(),
                             qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").toStdString())) {
        result.problem = QStringLiteral(
            "管理者（root）として実行されているため、プレビューのブラウザエンジンを起動できません。\n"
            "トレパルを普段のユーザーで起動してください。");
        return result;
    }
    const QString program = QDir(programFolder).filePath(ProgramName());
    const QFileInfo file(program);
    if (!file.isFile() || !file.isExecutable()) {
        result.problem = QStringLiteral(
                             "ライブプレビューの部品（%1）がプログラムのフォルダーにありません。\n"
                             "「プレビュー」ボタンでブラウザに表示することはできます。")
                             .arg(ProgramName());
        return result;
    }
    result.preview.reset(new PreviewProcess(program));
    return result;
}

PreviewProcess::PreviewProcess(const QString& program)
{
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        stop(
            QStringLiteral("ライブプレビューが応答しなくなったため閉じました。フォームはそのままです。\n"
                           "もう一度「ライブプレビュー」を押すと新しく開きます。"));
    });
    connect(&process_, &QProcess::readyReadStandardOutput, this, &PreviewProcess::readReplies);
    connect(&process_, &QProcess::readyReadStandardError, this, &PreviewProcess::readErrors);
    connect(&process_, &QProcess::finished, this, &PreviewProcess::processEnded);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        // A process that never started sends no finished signal.
        if (error == QProcess::FailedToStart) {
            problem_ = CannotStartMessage(errors_);
            processEnded();
        }
    });
    // Its own arguments only: the process takes nothing from a command line.
    process_.setProgram(program);
    process_.setArguments({});
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(QIODevice::ReadWrite);
    deadline_.start(kStartMilliseconds);
}

PreviewProcess::~PreviewProcess()
{
    disconnect(&process_, nullptr, this, nullptr);
    if (process_.state() == QProcess::NotRunning) return;
    // The end of its input closes the preview; one that does not go in a
    // moment is ended.
    process_.closeWriteChannel();
    if (!process_.waitForFinished(1500)) {
        process_.kill();
        process_.waitForFinished(1000);
    }
}

void PreviewProcess::showPage(const std::string& sjisPage, const std::vector<std::string>& checkLines)
{
    if (ended_) return;
    PreviewPageMessage message;
    if (sjisPage.size() + 64 * 1024 > kLargestPreviewFrame) {
        // Far beyond any page the window shows; it says so instead.
        message.page = std::string(2 * 1024 * 1024, ' ');
    } else {
        message.page = sjisPage;
    }
    message.checks = checkLines;
    waiting_ = std::move(message);
    sendWaiting();
}

void PreviewProcess::raise(const PreviewGeometry& frame)
{
    if (ended_) return;
    process_.write(QByteArray::fromStdString(EncodeWindowFrame(frame)));
}

void PreviewProcess::sendWaiting()
{
    // One page at a time: while the engine lays one out, later keys only
    // replace the page that waits, so the engine never falls behind.
    if (!waiting_ || sent_ != shown_ || ended_) return;
    waiting_->sequence = ++sent_;
    process_.write(QByteArray::fromStdString(EncodePageFrame(*waiting_)));
    inFlight_ = std::move(waiting_->page);
    waiting_.reset();
    if (ready_) deadline_.start(pageDeadline_);
}

void PreviewProcess::readReplies()
{
    replies_.append(process_.readAllStandardOutput().toStdString());
    while (std::optional<PreviewReply> reply = replies_.next()) {
        switch (reply->kind) {
            case PreviewReply::Kind::Ready:
                ready_ = true;
                deadline_.stop();
                if (sent_ != shown_) deadline_.start(pageDeadline_);
                break;
            case PreviewReply::Kind::Shown:
                if (reply->sequence > sent_ || reply->sequence < shown_) break;
                shown_ = reply->sequence;
                if (shown_ == sent_) shownPage_ = std::move(inFlight_);
                deadline_.stop();
                emit pageShown(shown_);
                sendWaiting();
                break;
            case PreviewReply::Kind::Place:
                placed(reply->place);
                break;
            case PreviewReply::Kind::Closed:
                sellerClosed_ = true;
                deadline_.stop();
                break;
            case PreviewReply::Kind::Problem:
                problem_ = QString::fromStdString(reply->text);
                break;
        }
        if (ended_) return;
    }
}

void PreviewProcess::readErrors()
{
    errors_ += process_.readAllStandardError();
    if (errors_.size() > kErrorTail) errors_ = errors_.right(kErrorTail);
}

void PreviewProcess::stop(const QString& problem)
{
    if (ended_) return;
    problem_ = problem;
    process_.kill();  // its end arrives as finished
}

void PreviewProcess::processEnded()
{
    if (ended_) return;
    readReplies();
    ended_ = true;
    deadline_.stop();
    waiting_.reset();
    QString problem;
    if (!problem_.isEmpty())
        problem = problem_;
    else if (!sellerClosed_ && !ready_)
        problem = CannotStartMessage(errors_);
    else if (!sellerClosed_)
        problem = QStringLiteral(
            "ライブプレビューが止まりました。フォームはそのままです。\n"
            "もう一度「ライブプレビュー」を押すと新しく開きます。");
    ended(problem);
}

}  // namespace torepal
