#include "platform/ui/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include "platform/ui/QtText.h"
#include "platform/ui/ReadableLabel.h"

namespace torepal {

QString ProgramTitle()
{
    return QStringLiteral("トレパル Ver 1.3.3");
}

QWidget* QtPlatform::parent() const
{
    return window_ ? window_ : QApplication::activeWindow();
}

std::optional<Rgb> QtPlatform::chooseColour()
{
    const QColor c = QColorDialog::getColor(Qt::black, parent());
    if (!c.isValid()) return std::nullopt;
    return Rgb{c.red(), c.green(), c.blue()};
}

namespace {

QString FilterOf(const FileDialogRequest& r)
{
    // Qt's filter syntax: "label (pattern)". A label that already ends in
    // its pattern ("トレパルファイル(*.tpf)") is a whole filter: adding the
    // pattern again would show it twice.
    const QString label = ToQt(r.filterLabel);
    const QString pattern = ToQt(r.pattern);
    if (label.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) return label;
    return label + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

std::filesystem::path PathOf(const QString& file)
{
    const QByteArray local = QFile::encodeName(file);
    return std::filesystem::path(std::string(local.constData(), static_cast<std::size_t>(local.size())));
}

}  // namespace

std::optional<std::filesystem::path> QtPlatform::chooseFileToOpen(const FileDialogRequest& r)
{
    QFileDialog dialog(parent(), QString(), QString(), FilterOf(r));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(ToQt(r.defaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return PathOf(dialog.selectedFiles().front());
}

std::optional<std::filesystem::path> QtPlatform::chooseFileToSave(const FileDialogRequest& r)
{
    QFileDialog dialog(parent(), QString(), QString(), FilterOf(r));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(ToQt(r.defaultSuffix));
    // An existing project file is replaced without a question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return PathOf(dialog.selectedFiles().front());
}

void QtPlatform::showMessage(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption.empty() ? ProgramTitle() : ToQt(caption), ToQtMultiline(text),
                    QMessageBox::Ok, parent());
    box.exec();
}

void QtPlatform::showUnicodeMessage(const std::string& utf8Text)
{
    QMessageBox box(QMessageBox::Warning, ProgramTitle(), QString::fromUtf8(utf8Text.c_str()), QMessageBox::Ok,
                    parent());
    box.exec();
}

bool QtPlatform::copyText(const std::string& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    const QString value = ToQt(text);
    clipboard->setText(value);
    return clipboard->text() == value;
}

bool QtPlatform::openFile(const std::filesystem::path& path)
{
    const std::filesystem::path absolute = std::filesystem::absolute(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(absolute.c_str())));
}

bool QtPlatform::openUri(const std::string& asciiUri)
{
    const QUrl url =
        QUrl::fromEncoded(QByteArray(asciiUri.data(), static_cast<qsizetype>(asciiUri.size())), QUrl::StrictMode);
    if (!url.isValid()) return false;
    return QDesktopServices::openUrl(url);
}

LocalTime QtPlatform::now()
{
    const QDateTime t = QDateTime::currentDateTime();
    return LocalTime{t.date().month(), t.date().day(), t.time().hour(), t.time().minute()};
}

HandlerPresence QtPlatform::handlerPresence(DesktopHandler kind)
{
    // xdg-mime answers from the desktop's tables in a few milliseconds; a
    // short limit keeps a hung desktop from freezing the button.
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (program.isEmpty()) return HandlerPresence::Unknown;
    QStringList arguments;
    for (const std::string& a : HandlerQueryArguments(kind)) arguments << QString::fromStdString(a);
    QProcess query;
    query.setProcessChannelMode(QProcess::SeparateChannels);
    query.start(program, arguments, QIODevice::ReadOnly);
    constexpr int kLimitMs = 1500;
    const bool finished =
        query.waitForStarted(kLimitMs) && query.waitForFinished(kLimitMs) && query.exitStatus() == QProcess::NormalExit;
    if (!finished) {
        query.kill();
        query.waitForFinished(100);
    }
    const QByteArray output = query.readAllStandardOutput();
    return HandlerPresenceFromQuery(finished, finished ? query.exitCode() : -1,
                                    std::string_view(output.constData(), static_cast<std::size_t>(output.size())));
}

bool QtPlatform::moveToTrash(const std::filesystem::path& path)
{
    // The desktop's trash lives in the data home (~/.local/share/Trash). An
    // account where that cannot be had (no data home, and none can be
    // made) has no trash:
    // handed the file anyway, Qt lays the trash's files/ and info/ folders
    // where it stands (the program folder), so the page keeps the file in
    // its own folder of deleted files instead.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || QDir::isRelativePath(data)) return false;
    const QString trash = data + QStringLiteral("/Trash/");
    if (!QDir().mkpath(trash + QStringLiteral("files")) || !QDir().mkpath(trash + QStringLiteral("info"))) return false;
    const std::filesystem::path absolute = std::filesystem::absolute(path);
    return QFile::moveToTrash(QFile::decodeName(absolute.c_str()));
}

bool QtPlatform::askYesNo(const std::string& text)
{
    QMessageBox box(QMessageBox::Question, ProgramTitle(), ToQtMultiline(text), QMessageBox::Yes | QMessageBox::No,
                    parent());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

UnsavedAnswer QtPlatform::askUnsaved(const std::string& text)
{
    QMessageBox box(QMessageBox::Question, ProgramTitle(), ToQtMultiline(text), QMessageBox::NoButton, parent());
    QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("破棄"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return UnsavedAnswer::Save;
    if (box.clickedButton() == discard) return UnsavedAnswer::Discard;
    return UnsavedAnswer::Cancel;
}

namespace {

QLabel* StatusText(QStatusBar& line)
{
    auto* label = line.findChild<QLabel*>(QStringLiteral("statusText"), Qt::FindDirectChildrenOnly);
    if (label) return label;
    label = new QLabel(&line);
    label->setObjectName(QStringLiteral("statusText"));
    MakeLabelReadable(*label);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long message (a saved page's whole name) is cut at the window's
    // edge rather than widening the window past the screen; its tool tip
    // holds it whole.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    line.addWidget(label, 1);
    auto* timer = new QTimer(label);
    timer->setObjectName(QStringLiteral("statusTextTimer"));
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, label, &QLabel::clear);
    return label;
}

}  // namespace

void QtPlatform::showSuccess(const std::string& text)
{
    QWidget* window = window_ ? window_ : QApplication::activeWindow();
    if (!window) return;
    auto* line = window->findChild<QStatusBar*>();
    if (!line) return;
    // The text goes into a label of the status line rather than the line's
    // own message, which it paints itself: a screen reader or a test tool
    // reads a label through its text, and could not read the message.
    QLabel* label = StatusText(*line);
    label->setText(ToQt(text));
    label->setToolTip(label->text());
    label->findChild<QTimer*>(QStringLiteral("statusTextTimer"))->start(kSuccessShownMs);
}

int QtPlatform::runModal(QDialog& dialog)
{
    return dialog.exec();
}

}  // namespace torepal
