#include "preview/PreviewChannel.h"

#include <charconv>

#include "io/LittleEndian.h"

namespace torepal {

namespace {

constexpr char kPageKind = 'P';
constexpr char kWindowKind = 'W';
constexpr std::size_t kHeader = 5;  // kind byte and payload length
constexpr std::size_t kLongestReply = 64 * 1024;
constexpr std::uint32_t kMostCheckLines = 10000;

std::string Frame(char kind, const std::string& payload)
{
    std::string out;
    out.reserve(kHeader + payload.size());
    out.push_back(kind);
    PutU32(out, static_cast<std::uint32_t>(payload.size()));
    out += payload;
    return out;
}

bool ReadNumber(std::string_view& rest, long long& value)
{
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc() || end == rest.data()) return false;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    return true;
}

bool ReadInt(std::string_view& rest, int& value)
{
    long long wide = 0;
    if (!ReadNumber(rest, wide) || wide < -1000000 || wide > 1000000) return false;
    value = static_cast<int>(wide);
    return true;
}

std::optional<PreviewReply> ParseReply(std::string_view line)
{
    PreviewReply reply;
    const std::size_t space = line.find(' ');
    const std::string_view word = line.substr(0, space);
    std::string_view rest = space == std::string_view::npos ? std::string_view() : line.substr(space);
    if (word == "ready" && rest.empty()) {
        reply.kind = PreviewReply::Kind::Ready;
    } else if (word == "closed" && rest.empty()) {
        reply.kind = PreviewReply::Kind::Closed;
    } else if (word == "shown") {
        long long sequence = 0;
        if (!ReadNumber(rest, sequence) || sequence < 0 || sequence > 0xFFFFFFFFLL || !rest.empty())
            return std::nullopt;
        reply.kind = PreviewReply::Kind::Shown;
        reply.sequence = static_cast<std::uint32_t>(sequence);
    } else if (word == "place") {
        PreviewGeometry& g = reply.place;
        if (!ReadInt(rest, g.x) || !ReadInt(rest, g.y) || !ReadInt(rest, g.width) || !ReadInt(rest, g.height) ||
            !rest.empty())
            return std::nullopt;
        reply.kind = PreviewReply::Kind::Place;
    } else if (word == "problem" && !rest.empty()) {
        reply.kind = PreviewReply::Kind::Problem;
        reply.text = std::string(rest.substr(1));
    } else {
        return std::nullopt;
    }
    return reply;
}

}  // namespace

std::string EncodePageFrame(const PreviewPageMessage& message)
{
    std::string payload;
    payload.reserve(message.page.size() + 64);
    PutU32(payload, message.sequence);
    PutText(payload, message.page);
    PutU32(payload, static_cast<std::uint32_t>(message.checks.size()));
    for (const std::string& line : message.checks) PutText(payload, line);
    return Frame(kPageKind, payload);
}

std::string EncodeWindowFrame(const PreviewGeometry& where)
{
    std::string payload;
    for (int value : {where.x, where.y, where.width, where.height}) PutI32(payload, value);
    return Frame(kWindowKind, payload);
}

void PreviewFrameReader::append(std::string_view bytes)
{
    if (damaged_) return;
    // What was taken already goes before the buffer grows again.
    if (start_ > 0 && start_ >= buffer_.size() / 2) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    buffer_.append(bytes);
}

std::optional<PreviewFrameReader::Frame> PreviewFrameReader::next()
{
    if (damaged_ || buffer_.size() - start_ < kHeader) return std::nullopt;
    const char kind = buffer_[start_];
    std::uint32_t length = 0;
    LittleEndianReader header(std::string_view(buffer_).substr(start_ + 1, 4));
    header.u32(length);
    if ((kind != kPageKind && kind != kWindowKind) || length > kLargestPreviewFrame) {
        damaged_ = true;
        return std::nullopt;
    }
    if (buffer_.size() - start_ - kHeader < length) return std::nullopt;
    LittleEndianReader payload(std::string_view(buffer_).substr(start_ + kHeader, length));
    start_ += kHeader + length;

    Frame frame;
    bool ok = false;
    if (kind == kPageKind) {
        frame.kind = Frame::Kind::Page;
        std::uint32_t count = 0;
        ok = payload.u32(frame.page.sequence) && payload.text(frame.page.page) && payload.u32(count) &&
             count <= kMostCheckLines;
        for (std::uint32_t i = 0; ok && i < count; ++i) ok = payload.text(frame.page.checks.emplace_back());
    } else {
        frame.kind = Frame::Kind::Window;
        PreviewGeometry& g = frame.window;
        ok = payload.i32(g.x) && payload.i32(g.y) && payload.i32(g.width) && payload.i32(g.height);
    }
    if (!ok || !payload.atEnd()) {
        damaged_ = true;
        return std::nullopt;
    }
    return frame;
}

std::string EncodeReply(const PreviewReply& reply)
{
    switch (reply.kind) {
        case PreviewReply::Kind::Ready:
            return "ready\n";
        case PreviewReply::Kind::Closed:
            return "closed\n";
        case PreviewReply::Kind::Shown:
            return "shown " + std::to_string(reply.sequence) + "\n";
        case PreviewReply::Kind::Place:
            return "place " + std::to_string(reply.place.x) + " " + std::to_string(reply.place.y) + " " +
                   std::to_string(reply.place.width) + " " + std::to_string(reply.place.height) + "\n";
        case PreviewReply::Kind::Problem: {
            std::string text = reply.text;
            for (char& c : text)
                if (c == '\n' || c == '\r') c = ' ';
            return "problem " + text + "\n";
        }
    }
    return {};
}

void PreviewReplyReader::append(std::string_view bytes)
{
    buffer_.append(bytes);
}

std::optional<PreviewReply> PreviewReplyReader::next()
{
    for (;;) {
        const std::size_t end = buffer_.find('\n');
        if (end == std::string::npos) {
            if (buffer_.size() > kLongestReply) {
                buffer_.clear();
                skipping_ = true;
            }
            return std::nullopt;
        }
        const std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        if (skipping_) {
            skipping_ = false;
            continue;
        }
        if (std::optional<PreviewReply> reply = ParseReply(line)) return reply;
    }
}

}  // namespace torepal
