#pragma once
// The preview process's side of the channel: reads the program's frames
// from its private copy of standard input and answers on its private copy
// of standard output (see preview/PreviewChannel.h).

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include "preview/PreviewChannel.h"

namespace torepal {

class PreviewWindow;

class PreviewHost : public QObject {
    Q_OBJECT
public:
    // Takes both descriptors; `window` outlives the host.
    PreviewHost(int input, int output, PreviewWindow& window);
    ~PreviewHost() override;

    void reply(const PreviewReply& reply);

private:
    void readInput();
    void handle(const PreviewFrameReader::Frame& frame);
    void place(const PreviewGeometry& where);
    void tellPlace();

    int input_;
    int output_;
    PreviewWindow& window_;
    PreviewFrameReader frames_;
    QSocketNotifier notifier_;
    QTimer placeQuiet_;  // a drag moves the window many times: tell its end
    bool placed_ = false;
};

}  // namespace torepal
