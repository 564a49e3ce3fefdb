#pragma once
// Keeps both forms, whole, while unsaved in the recovery file beside the program
// (every half minute when they changed, and at exit) and offers last time's
// texts back at start in a quiet bar of the main window: 復元 or 破棄, never
// a modal question.

#include <QObject>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/RecoveryFile.h"

class QLabel;
class QPushButton;
class QWidget;

namespace torepal {

// How the keeper reaches the two forms' records, so it knows no page. The
// mail form is made on first need; until then it has nothing to recover.
struct RecoveryForms {
    std::function<PlateForm()> plate;  // as typed now, without messages
    std::function<void(const PlateForm&)> restorePlate;
    std::function<MailForm()> mail;
    std::function<void(const MailForm&)> restoreMail;
};

// The bar's widgets, laid out by the window's form.
struct RecoveryBar {
    QWidget* bar = nullptr;
    QLabel* text = nullptr;
    QPushButton* restore = nullptr;
    QPushButton* discard = nullptr;
};

class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    RecoveryKeeper(std::filesystem::path programFolder, RecoveryForms forms, RecoveryBar bar,
                   QObject* parent = nullptr);

    // Reads last time's file and shows the bar when it holds something;
    // then starts keeping.
    void offer();
    // The plate form's texts count as settled (nothing to recover) after
    // 完成, クリアー, 新規作成 and a project saved or opened.
    void settlePlate();
    // The mail form's texts count as settled after its 保存 and クリアー, at
    // its start and after a project saved or opened.
    void settleMail();
    // Writes the unsaved texts when they changed since the last write.
    void keep();
    // At exit: the last write, then no more.
    void finish();
    void restore();
    void discard();
    bool offered() const { return offerPending_; }

private:
    RecoveryRecord current() const;
    void hideBar();

    std::filesystem::path folder_;
    RecoveryForms forms_;
    RecoveryBar bar_;
    UnsavedForm<PlateForm> plateUnsaved_;
    UnsavedForm<MailForm> mailUnsaved_;
    RecoveryRecord lastStored_;
    LoadedRecovery offered_;
    bool offerPending_ = false;
    QTimer timer_;
};

}  // namespace torepal
