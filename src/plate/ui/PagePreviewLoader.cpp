#include "plate/ui/PagePreviewLoader.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace torepal {

QString PagePreviewModuleFileName()
{
    return QStringLiteral("torepal_preview.so");
}

bool EngineRefusesToStart(bool runAsRoot, const QByteArray& disableSandbox, const QByteArray& chromiumFlags)
{
    if (!runAsRoot) return false;
    const QByteArray off = disableSandbox.trimmed();
    if (!off.isEmpty() && off != "0") return false;
    return !chromiumFlags.split(' ').contains("--no-sandbox");
}

PagePreviewLoad LoadPagePreview(const QString& moduleFolder, QWidget* parent)
{
    PagePreviewLoad result;
    if (EngineRefusesToStart(geteuid() == 0, qgetenv("QTWEBENGINE_DISABLE_SANDBOX"),
                             qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"))) {
        result.problem = QStringLiteral(
            "管理者（root）として実行されているため、プレビューのブラウザエンジンを起動できません。\n"
            "トレパルを普段のユーザーで起動してください。");
        return result;
    }

    const QString path = QDir(moduleFolder).filePath(PagePreviewModuleFileName());
    if (!QFileInfo(path).isFile()) {
        result.problem = QStringLiteral(
                             "ライブプレビューの部品（%1）がプログラムのフォルダーにありません。\n"
                             "「プレビュー」ボタンでブラウザに表示することはできます。")
                             .arg(PagePreviewModuleFileName());
        return result;
    }
    // The loader object may go: the module stays loaded until the process
    // ends, since nothing calls unload().
    QPluginLoader loader(path);
    QObject* root = loader.instance();
    auto* module = qobject_cast<PagePreviewModule*>(root);
    if (!module) {
        result.problem = QStringLiteral(
                             "ライブプレビューのブラウザエンジン（Qt WebEngine）を読み込めませんでした。\n"
                             "「プレビュー」ボタンでブラウザに表示することはできます。\n\n%1")
                             .arg(loader.errorString());
        return result;
    }
    result.preview.reset(module->createPreview(parent));
    if (!result.preview) result.problem = QStringLiteral("ライブプレビューのウィンドウを作れませんでした。");
    return result;
}

}  // namespace torepal
