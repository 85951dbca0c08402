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

namespace fontmsg {

QString dataError(int type) {
    QString text = QStringLiteral("Font Data Error") + QChar(0x3000) + QStringLiteral("COM_TYPE ");
    for (const QChar digit : QString::number(type))
        text += QChar(static_cast<char16_t>(0xFF10 + (digit.unicode() - u'0')));
    return text;
}

} // namespace fontmsg

namespace {

using std::chrono::milliseconds;

FontResult finished(FontOutcome outcome, const QString& message, int decoded = 0) {
    FontResult result;
    result.outcome = outcome;
    result.message = message;
    result.glyphsDecoded = decoded;
    return result;
}

FontResult portFault(Link& link, int decoded = 0) {
    FontResult result = finished(FontOutcome::PortError, fontmsg::PortError, decoded);
    result.detail = link.errorString();
    link.close();
    return result;
}

bool stopRequested(const FontHooks& hooks) {
    return hooks.stopRequested && hooks.stopRequested();
}

void report(const FontHooks& hooks, int percent) {
    if (hooks.progress)
        hooks.progress(percent);
}

// One block per glyph, each repeated until it is answered in full; the failures of all blocks
// count together. `exchange` returns the reply of one attempt and whether it was good.
template <typename Good, typename Decode>
FontResult runGlyphBlocks(Link& link, int failureLimit, milliseconds wait, const FontHooks& hooks,
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
            if (stopRequested(hooks)) {
                link.close();
                return finished(FontOutcome::Stopped, {}, g);
            }
            if (reply.status == Reply::Status::Complete && good(reply.bytes)) {
                decode(g, reply.bytes);
                break;
            }
            if (++failures >= failureLimit) {
                link.close();
                return finished(FontOutcome::Failed, fontmsg::Error, g);
            }
        }
        report(hooks, 12 * (g + 1));
    }
    return finished(FontOutcome::Success, {}, GlyphCount);
}

} // namespace

FontResult readGlyphBlocks(Link& link, GlyphSet& glyphs, int failureLimit, milliseconds wait,
                           const FontHooks& hooks) {
    return runGlyphBlocks(
        link, failureLimit, wait, hooks, glyphwire::ReadReplyLength, glyphwire::readCommand,
        [](const QByteArray& reply) { return glyphwire::isFullReadReply(reply); },
        [&](int g, const QByteArray& reply) {
            glyphs[static_cast<std::size_t>(g)] = *glyphwire::glyphFromReadReply(reply);
        });
}

FontResult writeGlyphBlocks(Link& link, const GlyphSet& glyphs, int failureLimit, milliseconds wait,
                            const FontHooks& hooks) {
    const GlyphSet snapshot = glyphs;
    return runGlyphBlocks(
        link, failureLimit, wait, hooks, glyphwire::WriteReplyLength,
        [&](int g) { return glyphwire::writeCommand(g, snapshot[static_cast<std::size_t>(g)]); },
        [](const QByteArray& reply) { return glyphwire::isFullWriteReply(reply); },
        [](int, const QByteArray&) {});
}

FontResult GlyphTransfers::identifyWholeSet(Link& link, const FontHooks& hooks) {
    for (int attempt = 0; attempt < IdentifyAttempts; ++attempt) {
        if (!link.send(glyphwire::identifyCommand()))
            return portFault(link);
        const Reply reply = link.receive(glyphwire::IdentifyReplyLength, wait_);
        if (reply.status == Reply::Status::PortError)
            return portFault(link);
        if (stopRequested(hooks)) {
            link.close();
            return finished(FontOutcome::Stopped, {});
        }
        if (reply.status == Reply::Status::Complete && glyphwire::isFullIdentifyReply(reply.bytes))
            return finished(FontOutcome::Success, {});
    }
    link.close();
    return finished(FontOutcome::Failed, fontmsg::Error);
}

FontResult GlyphTransfers::readAll(Link& link, GlyphSet& glyphs, const FontHooks& hooks) {
    return runWholeSet(link, hooks, fontmsg::AllRead, [&] {
        return readGlyphBlocks(link, glyphs, WholeSetFailureLimit, wait_, hooks);
    });
}

FontResult GlyphTransfers::writeAll(Link& link, const GlyphSet& glyphs, const FontHooks& hooks) {
    return runWholeSet(link, hooks, fontmsg::AllWritten, [&] {
        return writeGlyphBlocks(link, glyphs, WholeSetFailureLimit, wait_, hooks);
    });
}

// Read ALL and Write ALL: one handshake, the eight blocks, then the port closes. They start the
// single-glyph time-out count afresh.
FontResult GlyphTransfers::runWholeSet(Link& link, const FontHooks& hooks,
                                       const QString& successText,
                                       const std::function<FontResult()>& blocks) {
    timeouts_ = 0;
    report(hooks, 0);
    FontResult result = identifyWholeSet(link, hooks);
    if (!result.ok())
        return result;
    result = blocks();
    link.close();
    if (result.ok()) {
        report(hooks, 100);
        result.message = successText;
    }
    return result;
}

// Sends `command` and waits for `threshold` characters; a reply time-out resends the same command
// until the editor's time-out count reaches its limit. A reply that is not `usable` (garbled
// data) is treated like one that never came.
GlyphTransfers::Step
GlyphTransfers::exchangeSingle(Link& link, const QByteArray& command, qsizetype threshold,
                               QByteArray& reply, const FontHooks& hooks,
                               const std::function<bool(const QByteArray&)>& usable) {
    for (;;) {
        if (!link.send(command))
            return Step::PortFault;
        Reply answer = link.receive(threshold, wait_);
        if (answer.status == Reply::Status::PortError)
            return Step::PortFault;
        if (stopRequested(hooks)) {
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

FontResult GlyphTransfers::singleFailure(Step step, Link& link) {
    switch (step) {
    case Step::PortFault:
        return portFault(link);
    case Step::Stopped:
        return finished(FontOutcome::Stopped, {});
    case Step::GaveUp:
    case Step::Answered:
        break;
    }
    link.close();
    return finished(FontOutcome::Failed, fontmsg::ComError);
}

// The single-glyph commands' handshake, half of their progress. Nothing when the radio answered
// and the command goes on; else the command's result, "Font Data Error" of `errorType` when the
// radio answered without its "OK".
std::optional<FontResult> GlyphTransfers::identifySingle(Link& link, const FontHooks& hooks,
                                                         int errorType) {
    report(hooks, 0);
    QByteArray reply;
    const Step step = exchangeSingle(link, glyphwire::identifyCommand(),
                                     glyphwire::IdentifyThreshold, reply, hooks);
    if (step != Step::Answered)
        return singleFailure(step, link);
    if (!glyphwire::identifyAnswered(reply))
        return finished(FontOutcome::Failed, fontmsg::dataError(errorType));
    report(hooks, 50);
    return std::nullopt;
}

FontResult GlyphTransfers::readGlyph(Link& link, int index, Glyph& glyph, const FontHooks& hooks) {
    if (auto refused = identifySingle(link, hooks, 13))
        return *refused;
    const auto decodable = [](const QByteArray& bytes) {
        return glyphwire::glyphFromReadReply(bytes).has_value();
    };
    QByteArray reply;
    const Step step = exchangeSingle(link, glyphwire::readCommand(index), glyphwire::ReadThreshold,
                                     reply, hooks, decodable);
    if (step != Step::Answered)
        return singleFailure(step, link);
    glyph = *glyphwire::glyphFromReadReply(reply);
    report(hooks, 100);
    return finished(FontOutcome::Success, fontmsg::GlyphRead, 1);
}

FontResult GlyphTransfers::writeGlyph(Link& link, int index, const Glyph& glyph,
                                      const FontHooks& hooks) {
    if (auto refused = identifySingle(link, hooks, 11))
        return *refused;
    QByteArray reply;
    const Step step = exchangeSingle(link, glyphwire::writeCommand(index, glyph),
                                     glyphwire::WriteReplyLength, reply, hooks);
    if (step != Step::Answered)
        return singleFailure(step, link);
    if (!glyphwire::writeAnswered(reply))
        return finished(FontOutcome::Failed, fontmsg::dataError(12));
    report(hooks, 100);
    return finished(FontOutcome::Success, fontmsg::GlyphWritten);
}

} // namespace qmh4
