#pragma once
// The live preview in its own process: starts torepal-preview from the
// program folder, hands it pages over its standard input and reads its
// answers (preview/PreviewChannel.h). A process that dies, hangs or cannot
// start ends this preview with a word for the seller; the form is never
// waited on.

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QTimer>
#include <optional>

#include "preview/ui/PagePreview.h"

namespace torepal {

class PreviewProcess final : public QObject, public PagePreview {
    Q_OBJECT

public:
    // How long the process may take to make its window, and to show a page
    // it was handed, before it counts as hung.
    static constexpr int kStartMilliseconds = 60000;
    static constexpr int kPageMilliseconds = 20000;

    // The preview process's file name in the program folder.
    static QString ProgramName();

    // Starts the process from `programFolder`, or says why it cannot.
    static PagePreviewLoad Start(const QString& programFolder);

    ~PreviewProcess() override;

    void showPage(const std::string& sjisPage, const std::vector<std::string>& checkLines) override;
    void raise(const PreviewGeometry& frame) override;
    bool isOpen() const override { return !ended_; }

    // A shorter wait for a page, for a test of a hung process.
    void setPageDeadline(int milliseconds) { pageDeadline_ = milliseconds; }

    // For the tests and the benchmark.
    qint64 processId() const { return process_.processId(); }
    std::uint32_t lastShown() const { return shown_; }
    // The bytes of the page last shown.
    const std::string& shownPage() const { return shownPage_; }

signals:
    // The page handed over as `sequence` (counting from 1) is on screen.
    void pageShown(std::uint32_t sequence);

private:
    explicit PreviewProcess(const QString& program);

    void readReplies();
    void readErrors();
    void sendWaiting();
    void processEnded();
    void stop(const QString& problem);

    QProcess process_;
    PreviewReplyReader replies_;
    QTimer deadline_;
    std::optional<PreviewPageMessage> waiting_;  // the newest page not handed over yet
    std::uint32_t sent_ = 0;                     // the sequence last handed over
    std::uint32_t shown_ = 0;                    // the sequence last shown
    int pageDeadline_ = kPageMilliseconds;
    std::string inFlight_;   // the bytes handed over and not shown yet
    std::string shownPage_;  // the bytes last shown
    bool ready_ = false;
    bool sellerClosed_ = false;
    bool ended_ = false;
    QString problem_;    // what the process or a deadline said went wrong
    QByteArray errors_;  // the end of the process's error stream
};

}  // namespace torepal
