#include "transfers/glyph_transfer.h"

#include "link/link.h"
#include "link/protocol.h"

namespace qmh4 {

namespace glyphwire {

namespace {

constexpr quint32 GlyphBase = 0x01000;
constexpr qsizetype FirstDataOffset = 13;

bool okAt(QByteArrayView reply, qsizetype offset) {
    return reply.size() > offset + 1 && reply[offset] == 'O' && reply[offset + 1] == 'K';
}

} // namespace

QByteArray identifyCommand() {
    return protocol::fontIdentifyCommand();
}

quint32 glyphAddress(int glyph) {
    return GlyphBase + 32u * static_cast<quint32>(glyph);
}

QByteArray readCommand(int glyph) {
    return protocol::readCommand(glyphAddress(glyph));
}

QByteArray writeCommand(int glyph, const Glyph& pixels) {
    return protocol::writeCommand(glyphAddress(glyph), encodeGlyph(pixels));
}

bool identifyAnswered(QByteArrayView reply) {
    return okAt(reply, 13);
}

bool writeAnswered(QByteArrayView reply) {
    return okAt(reply, 77);
}

bool isFullReadReply(QByteArrayView reply) {
    return protocol::isGoodReadReply(reply.toByteArray());
}

bool isFullWriteReply(QByteArrayView reply) {
    return protocol::isGoodWriteReply(reply.toByteArray(), WriteReplyLength - 6);
}

bool isFullIdentifyReply(QByteArrayView reply) {
    return protocol::isGoodFontIdentifyReply(reply.toByteArray());
}

std::optional<Glyph> glyphFromReadReply(QByteArrayView reply) {
    if (reply.size() < FirstDataOffset + 2 * GlyphWireBytes)
        return std::nullopt;
    QByteArray wire(GlyphWireBytes, '\0');
    for (int k = 0; k < GlyphWireBytes; ++k) {
        const int high = protocol::digitValue(reply[FirstDataOffset + 2 * k]);
        const int low = protocol::digitValue(reply[FirstDataOffset + 2 * k + 1]);
        // A garbled digit would paint wrong pixels; the reply is treated as not received.
        if (high < 0 || low < 0)
            return std::nullopt;
        wire[k] = static_cast<char>(high * 16 + low);
    }
    return decodeGlyph(wire);
}

} // namespace glyphwire

namespace {

using std::chrono::milliseconds;

TransferResult finished(Outcome outcome, int decoded = 0) {
    TransferResult result;
    result.outcome = outcome;
    result.decoded = decoded;
    return result;
}

TransferResult portFault(Link& link, int decoded = 0) {
    TransferResult result = finished(Outcome::PortError, decoded);
    result.detail = link.errorString();
    link.close();
    return result;
}

GlyphResult endedAs(const TransferResult& result, GlyphEnding ending) {
    return {result, ending};
}

// The ending of Read ALL or Write ALL, which their outcome tells; `success` names the command.
GlyphResult wholeSetEnded(const TransferResult& result, GlyphEnding success) {
    switch (result.outcome) {
    case Outcome::Success:
        return endedAs(result, success);
    case Outcome::Failed:
        return endedAs(result, GlyphEnding::Failed);
    case Outcome::PortError:
        return endedAs(result, GlyphEnding::PortError);
    case Outcome::Stopped:
        break;
    }
    return endedAs(result, GlyphEnding::Stopped);
}

bool stopRequested(const std::atomic<bool>* stop) {
    return stop && stop->load();
}

void report(TransferObserver* observer, int percent) {
    if (observer)
        observer->progress(percent, 100, percent);
}

// One block per glyph, each repeated until it is answered in full; the failures of all blocks
// count together. `exchange` returns the reply of one attempt and whether it was good.
template <typename Good, typename Decode>
TransferResult runGlyphBlocks(Link& link, int failureLimit, milliseconds wait,
                              const std::atomic<bool>* stop, TransferObserver* observer,
                              qsizetype replyLength, const std::function<QByteArray(int)>& command,
                              Good good, Decode decode) {
    int failures = 0;
    for (int g = 0; g < GlyphCount; ++g) {
        for (;;) {
            if (!link.send(command(g)))
                return portFault(link, g);
            const Reply reply = link.receive(replyLength, wait);
            if (reply.status == Reply::Status::PortError)
                return portFault(link, g);
            if (stopRequested(stop)) {
                link.close();
                return finished(Outcome::Stopped, g);
            }
            if (reply.status == Reply::Status::Complete && good(reply.bytes)) {
                decode(g, reply.bytes);
                break;
            }
            if (++failures >= failureLimit) {
                link.close();
                return finished(Outcome::Failed, g);
            }
        }
        report(observer, 12 * (g + 1));
    }
    return finished(Outcome::Success, GlyphCount);
}

} // namespace

TransferResult readGlyphBlocks(Link& link, GlyphSet& glyphs, int failureLimit, milliseconds wait,
                               const std::atomic<bool>* stop, TransferObserver* observer) {
    return runGlyphBlocks(
        link, failureLimit, wait, stop, observer, glyphwire::ReadReplyLength,
        glyphwire::readCommand,
        [](const QByteArray& reply) { return glyphwire::isFullReadReply(reply); },
        [&](int g, const QByteArray& reply) {
            glyphs[static_cast<std::size_t>(g)] = *glyphwire::glyphFromReadReply(reply);
        });
}

TransferResult writeGlyphBlocks(Link& link, const GlyphSet& glyphs, int failureLimit,
                                milliseconds wait, const std::atomic<bool>* stop,
                                TransferObserver* observer) {
    const GlyphSet snapshot = glyphs;
    return runGlyphBlocks(
        link, failureLimit, wait, stop, observer, glyphwire::WriteReplyLength,
        [&](int g) { return glyphwire::writeCommand(g, snapshot[static_cast<std::size_t>(g)]); },
        [](const QByteArray& reply) { return glyphwire::isFullWriteReply(reply); },
        [](int, const QByteArray&) {});
}

TransferResult GlyphTransfers::identifyWholeSet(Link& link, const std::atomic<bool>* stop) {
    for (int attempt = 0; attempt < IdentifyAttempts; ++attempt) {
        if (!link.send(glyphwire::identifyCommand()))
            return portFault(link);
        const Reply reply = link.receive(glyphwire::IdentifyReplyLength, wait_);
        if (reply.status == Reply::Status::PortError)
            return portFault(link);
        if (stopRequested(stop)) {
            link.close();
            return finished(Outcome::Stopped);
        }
        if (reply.status == Reply::Status::Complete && glyphwire::isFullIdentifyReply(reply.bytes))
            return finished(Outcome::Success);
    }
    link.close();
    return finished(Outcome::Failed);
}

GlyphResult GlyphTransfers::readAll(Link& link, GlyphSet& glyphs, const std::atomic<bool>* stop,
                                    TransferObserver* observer) {
    return runWholeSet(link, stop, observer, GlyphEnding::AllRead, [&] {
        return readGlyphBlocks(link, glyphs, WholeSetFailureLimit, wait_, stop, observer);
    });
}

GlyphResult GlyphTransfers::writeAll(Link& link, const GlyphSet& glyphs,
                                     const std::atomic<bool>* stop, TransferObserver* observer) {
    return runWholeSet(link, stop, observer, GlyphEnding::AllWritten, [&] {
        return writeGlyphBlocks(link, glyphs, WholeSetFailureLimit, wait_, stop, observer);
    });
}

// Read ALL and Write ALL: one handshake, the eight blocks, then the port closes. They start the
// single-glyph time-out count afresh.
GlyphResult GlyphTransfers::runWholeSet(Link& link, const std::atomic<bool>* stop,
                                        TransferObserver* observer, GlyphEnding success,
                                        const std::function<TransferResult()>& blocks) {
    timeouts_ = 0;
    report(observer, 0);
    TransferResult result = identifyWholeSet(link, stop);
    if (result.ok()) {
        result = blocks();
        link.close();
        if (result.ok())
            report(observer, 100);
    }
    return wholeSetEnded(result, success);
}

// Sends `command` and waits for `threshold` characters; a reply time-out resends the same command
// until the editor's time-out count reaches its limit. A reply that is not `usable` (garbled
// data) is treated like one that never came.
GlyphTransfers::Step
GlyphTransfers::exchangeSingle(Link& link, const QByteArray& command, qsizetype threshold,
                               QByteArray& reply, const std::atomic<bool>* stop,
                               const std::function<bool(const QByteArray&)>& usable) {
    for (;;) {
        if (!link.send(command))
            return Step::PortFault;
        Reply answer = link.receive(threshold, wait_);
        if (answer.status == Reply::Status::PortError)
            return Step::PortFault;
        if (stopRequested(stop)) {
            link.close();
            return Step::Stopped;
        }
        if (answer.status == Reply::Status::Complete && (!usable || usable(answer.bytes))) {
            reply = std::move(answer.bytes);
            return Step::Answered;
        }
        link.close();
        if (++timeouts_ >= TimeoutLimit) {
            timeouts_ = 0;
            return Step::GaveUp;
        }
    }
}

GlyphResult GlyphTransfers::singleFailure(Step step, Link& link) {
    switch (step) {
    case Step::PortFault:
        return endedAs(portFault(link), GlyphEnding::PortError);
    case Step::Stopped:
        return endedAs(finished(Outcome::Stopped), GlyphEnding::Stopped);
    case Step::GaveUp:
    case Step::Answered:
        break;
    }
    link.close();
    return endedAs(finished(Outcome::Failed), GlyphEnding::TimedOut);
}

// The single-glyph commands' handshake, half of their progress. Nothing when the radio answered
// and the command goes on; else the command's result, `refused` when the radio answered without
// its "OK".
std::optional<GlyphResult> GlyphTransfers::identifySingle(Link& link, const std::atomic<bool>* stop,
                                                          TransferObserver* observer,
                                                          GlyphEnding refused) {
    report(observer, 0);
    QByteArray reply;
    const Step step = exchangeSingle(link, glyphwire::identifyCommand(),
                                     glyphwire::IdentifyThreshold, reply, stop);
    if (step != Step::Answered)
        return singleFailure(step, link);
    if (!glyphwire::identifyAnswered(reply))
        return endedAs(finished(Outcome::Failed), refused);
    report(observer, 50);
    return std::nullopt;
}

GlyphResult GlyphTransfers::readGlyph(Link& link, int index, Glyph& glyph,
                                      const std::atomic<bool>* stop, TransferObserver* observer) {
    if (auto refused = identifySingle(link, stop, observer, GlyphEnding::ReadIdentifyRefused))
        return *refused;
    const auto decodable = [](const QByteArray& bytes) {
        return glyphwire::glyphFromReadReply(bytes).has_value();
    };
    QByteArray reply;
    const Step step = exchangeSingle(link, glyphwire::readCommand(index), glyphwire::ReadThreshold,
                                     reply, stop, decodable);
    if (step != Step::Answered)
        return singleFailure(step, link);
    glyph = *glyphwire::glyphFromReadReply(reply);
    report(observer, 100);
    return endedAs(finished(Outcome::Success, 1), GlyphEnding::GlyphRead);
}

GlyphResult GlyphTransfers::writeGlyph(Link& link, int index, const Glyph& glyph,
                                       const std::atomic<bool>* stop, TransferObserver* observer) {
    if (auto refused = identifySingle(link, stop, observer, GlyphEnding::WriteIdentifyRefused))
        return *refused;
    QByteArray reply;
    const Step step = exchangeSingle(link, glyphwire::writeCommand(index, glyph),
                                     glyphwire::WriteReplyLength, reply, stop);
    if (step != Step::Answered)
        return singleFailure(step, link);
    if (!glyphwire::writeAnswered(reply))
        return endedAs(finished(Outcome::Failed), GlyphEnding::WriteRefused);
    report(observer, 100);
    return endedAs(finished(Outcome::Success), GlyphEnding::GlyphWritten);
}

} // namespace qmh4
