#include "app/ui/RecoveryKeeper.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "platform/ui/QtText.h"

namespace torepal {
namespace {

// Often enough that a crash loses little, seldom enough to cost nothing.
constexpr int kRecoveryIntervalMs = 30 * 1000;

}  // namespace

RecoveryKeeper::RecoveryKeeper(std::filesystem::path programFolder, RecoveryForms forms, RecoveryBar bar,
                               QObject* parent)
    : QObject(parent), folder_(std::move(programFolder)), forms_(std::move(forms)), bar_(bar)
{
    connect(bar_.restore, &QPushButton::clicked, this, &RecoveryKeeper::restore);
    connect(bar_.discard, &QPushButton::clicked, this, &RecoveryKeeper::discard);
    bar_.bar->hide();
    timer_.setInterval(kRecoveryIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::keep);
}

void RecoveryKeeper::offer()
{
    offered_ = LoadRecovery(folder_);
    if (offered_.status != RecoveryStatus::None) {
        // Quietly, above the pages: the seller may take the texts back,
        // throw them away, or simply start typing.
        const bool found = offered_.status == RecoveryStatus::Found;
        bar_.text->setText(ToQtMultiline(found ? RecoveryOfferMessage() : RecoveryDamagedMessage()));
        bar_.restore->setVisible(found);
        bar_.bar->show();
        offerPending_ = true;
    }
    timer_.start();
}

void RecoveryKeeper::settlePlate()
{
    plateUnsaved_.settle(forms_.plate());
}

void RecoveryKeeper::settleMail()
{
    mailUnsaved_.settle(forms_.mail());
}

RecoveryRecord RecoveryKeeper::current() const
{
    return RecoveryOf(forms_.plate(), plateUnsaved_, forms_.mail(), mailUnsaved_);
}

void RecoveryKeeper::keep()
{
    RecoveryRecord record = current();
    if (offerPending_) {
        // An offer the seller has not answered is kept for a form that has
        // nothing new; new work in a form takes that form's place.
        bool carried = false;
        const RecoveryRecord& old = offered_.record;
        if (offered_.status == RecoveryStatus::Found && !record.hasPlate && old.hasPlate) {
            record.hasPlate = true;
            record.plate = old.plate;
            carried = true;
        }
        if (offered_.status == RecoveryStatus::Found && !record.hasMail && old.hasMail) {
            record.hasMail = true;
            record.mail = old.mail;
            carried = true;
        }
        if (record.empty()) return;  // the file stays as it was found
        if (!carried) hideBar();
    }
    if (record == lastStored_) return;
    if (StoreRecovery(folder_, record) != WriteStatus::Ok) return;  // tried again at the next tick
    lastStored_ = record;
}

void RecoveryKeeper::finish()
{
    timer_.stop();
    keep();
}

void RecoveryKeeper::restore()
{
    if (!offerPending_ || offered_.status != RecoveryStatus::Found) return;
    RecoveryRecord r = offered_.record;
    if (r.textsOnly) {
        // An older file held the texts alone: the ticks stay as shown.
        const PlateTexts plateTexts = r.plate.texts;
        const MailTexts mailTexts = r.mail.texts;
        r.plate = forms_.plate();
        r.plate.texts = plateTexts;
        r.mail = forms_.mail();
        r.mail.texts = mailTexts;
    }
    if (r.hasMail) forms_.restoreMail(r.mail);
    if (r.hasPlate) forms_.restorePlate(r.plate);
    // The texts are back in the forms and still unsaved: the file now
    // holds them as the forms do.
    hideBar();
    keep();
}

void RecoveryKeeper::discard()
{
    ClearRecovery(folder_);
    lastStored_ = RecoveryRecord{};
    hideBar();
    keep();  // what has been typed since the start is kept
}

void RecoveryKeeper::hideBar()
{
    offerPending_ = false;
    bar_.bar->hide();
}

}  // namespace torepal
