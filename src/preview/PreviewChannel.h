#pragma once
// What the program and its preview process say to each other. The browser
// engine runs in a process of its own (torepal-preview, beside the program),
// so the program never loads it, its OpenGL driver or its memory; a preview
// that dies or hangs cannot take the form with it.
//
// The program writes to the process's standard input, which nobody else can
// reach; the process answers on its standard output. The process takes
// nothing else from outside: no socket, no file, no address to load.
//
// To the process, one frame per message: a kind byte, the payload's length
// (four bytes, little-endian), then the payload.
//   'P'  a page to show: its sequence number (u32), the page's Shift-JIS
//        bytes (u32 length, bytes), the check lines (u32 count; each a u32
//        length and UTF-8 bytes)
//   'W'  show the window at x, y with width and height (four i32) and raise it
// Closing the standard input ends the process.
//
// From the process, one UTF-8 line per message:
//   "ready"             the window is made and takes pages
//   "shown N"           page N is laid out in the window
//   "place X Y W H"     where the seller left the window (after a move or resize)
//   "closed"            the seller closed the window; the process ends
//   "problem TEXT"      the engine cannot start; TEXT is for the seller

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torepal {

struct PreviewGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PreviewGeometry&) const = default;
};

struct PreviewPageMessage {
    std::uint32_t sequence = 0;
    std::string page;                 // Shift-JIS, as "完成" saves it
    std::vector<std::string> checks;  // UTF-8 lines
};

// The largest frame either side accepts: far above any listing page (the
// window shows at most 1.5 MB), far below what could hurt.
constexpr std::size_t kLargestPreviewFrame = 32u * 1024u * 1024u;

std::string EncodePageFrame(const PreviewPageMessage& message);
std::string EncodeWindowFrame(const PreviewGeometry& where);

// Takes the process's standard input as it arrives, in pieces of any size,
// and hands out whole messages. A frame of an unknown kind, a length past
// the limit or a payload that does not add up marks the stream as damaged:
// the process then ends rather than guess.
class PreviewFrameReader {
public:
    struct Frame {
        enum class Kind { Page, Window } kind = Kind::Page;
        PreviewPageMessage page;
        PreviewGeometry window;
    };

    void append(std::string_view bytes);
    // The next whole message, if one has arrived.
    std::optional<Frame> next();
    bool damaged() const { return damaged_; }

private:
    std::string buffer_;
    std::size_t start_ = 0;
    bool damaged_ = false;
};

struct PreviewReply {
    enum class Kind { Ready, Shown, Place, Closed, Problem } kind = Kind::Ready;
    std::uint32_t sequence = 0;  // Shown
    PreviewGeometry place;       // Place
    std::string text;            // Problem (UTF-8)
};

// One reply as its line, LF included.
std::string EncodeReply(const PreviewReply& reply);

// Takes the process's standard output as it arrives. Lines it does not know
// (a library printing to the wrong stream) are skipped, and a line longer
// than the limit is dropped whole.
class PreviewReplyReader {
public:
    void append(std::string_view bytes);
    std::optional<PreviewReply> next();

private:
    std::string buffer_;
    bool skipping_ = false;  // inside a line too long to keep
};

}  // namespace torepal
