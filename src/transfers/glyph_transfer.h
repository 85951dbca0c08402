#pragma once

#include "font/glyph_store.h"
#include "link/session.h"

#include <QByteArray>
#include <QByteArrayView>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>

namespace qmh4 {

class Link;

// The glyph exchanges of the radio's clone port. The font editor identifies with the short text
// "KV~QM-H4" + CR and the radio answers with 17 characters, "OK" at 13 and 14. Glyph g lives at
// 0x01000 + 32 g; a read returns 143 characters (the 32 glyph bytes are the first data bytes, hex
// at 13 + 2k and 14 + 2k), a 32-byte write is answered with 81 characters, "OK" at 77 and 78.
namespace glyphwire {
inline constexpr qsizetype IdentifyReplyLength = 17;
inline constexpr qsizetype IdentifyThreshold = 15; // enough to see the "OK"
inline constexpr qsizetype ReadReplyLength = 143;
inline constexpr qsizetype ReadThreshold = 79; // enough to hold the 32 glyph bytes
inline constexpr qsizetype WriteReplyLength = 81;

QByteArray identifyCommand();
quint32 glyphAddress(int glyph);
QByteArray readCommand(int glyph);
QByteArray writeCommand(int glyph, const Glyph& pixels);

bool identifyAnswered(QByteArrayView reply);    // "OK" at 13 and 14
bool writeAnswered(QByteArrayView reply);       // "OK" at 77 and 78
bool isFullReadReply(QByteArrayView reply);     // exactly 143 characters, hex data, CR LF
bool isFullWriteReply(QByteArrayView reply);    // exactly 81 characters with "OK"
bool isFullIdentifyReply(QByteArrayView reply); // exactly 17 characters with "OK"
// The 32 glyph bytes of a read reply (hex at 13 + 2k and 14 + 2k); nullopt when the reply is too
// short for them or one of their digits is not a hex digit.
std::optional<Glyph> glyphFromReadReply(QByteArrayView reply);
} // namespace glyphwire

// How a glyph transfer ended. The font editor words each ending its own way, so its result says
// more than the outcome: which command succeeded, and why a single-glyph command failed.
enum class GlyphEnding : quint8 {
    Stopped,      // the closing flag or Cancel
    AllRead,      // Read ALL
    AllWritten,   // Write ALL
    GlyphRead,    // Read (one glyph)
    GlyphWritten, // Write (one glyph)
    Failed,       // Read ALL or Write ALL failed too often, or a fault ended any transfer
    PortError,    // the port could not be opened or failed
    TimedOut,     // a single-glyph command reached the time-out limit
    // The radio answered without its "OK" (the editor's error types 11, 12 and 13): the
    // handshake of a single write, the single write itself, the handshake of a single read.
    WriteIdentifyRefused,
    WriteRefused,
    ReadIdentifyRefused,
};

struct GlyphResult : TransferResult {
    GlyphEnding ending = GlyphEnding::Stopped;
};

// The glyph blocks without a handshake, as the whole-set commands and the whole-radio write run
// them: failed attempts of all eight blocks count together, `failureLimit` of them fail it.
// Every wait takes the reply only once its full length has arrived. Progress goes to the
// observer as a percentage (maximum 100); `stop` is read after every exchange.
TransferResult readGlyphBlocks(Link& link, GlyphSet& glyphs, int failureLimit,
                               std::chrono::milliseconds wait,
                               const std::atomic<bool>* stop = nullptr,
                               TransferObserver* observer = nullptr);
TransferResult writeGlyphBlocks(Link& link, const GlyphSet& glyphs, int failureLimit,
                                std::chrono::milliseconds wait,
                                const std::atomic<bool>* stop = nullptr,
                                TransferObserver* observer = nullptr);

// The font editor's four transfers. It keeps the editor's retry counter: the single-glyph
// commands resend after a reply time-out and give up (TimedOut) at the 21st time-out,
// counted across single-glyph transfers since Read ALL, Write ALL or the last time it gave up.
// The Link is passed per call so that it can be made on the thread that runs the transfer.
class GlyphTransfers {
public:
    static constexpr int IdentifyAttempts = 3;
    static constexpr int WholeSetFailureLimit = 10;
    static constexpr int TimeoutLimit = 21;

    explicit GlyphTransfers(std::chrono::milliseconds wait = std::chrono::milliseconds(200))
        : wait_(wait) {}

    // `glyphs` gets glyphs 0 .. decoded-1 replaced by what the radio holds.
    GlyphResult readAll(Link& link, GlyphSet& glyphs, const std::atomic<bool>* stop = nullptr,
                        TransferObserver* observer = nullptr);
    GlyphResult writeAll(Link& link, const GlyphSet& glyphs,
                         const std::atomic<bool>* stop = nullptr,
                         TransferObserver* observer = nullptr);
    GlyphResult readGlyph(Link& link, int index, Glyph& glyph,
                          const std::atomic<bool>* stop = nullptr,
                          TransferObserver* observer = nullptr);
    GlyphResult writeGlyph(Link& link, int index, const Glyph& glyph,
                           const std::atomic<bool>* stop = nullptr,
                           TransferObserver* observer = nullptr);

    int timeouts() const { return timeouts_; }

private:
    enum class Step { Answered, GaveUp, PortFault, Stopped };
    TransferResult identifyWholeSet(Link& link, const std::atomic<bool>* stop);
    GlyphResult runWholeSet(Link& link, const std::atomic<bool>* stop, TransferObserver* observer,
                            GlyphEnding success, const std::function<TransferResult()>& blocks);
    Step exchangeSingle(Link& link, const QByteArray& command, qsizetype threshold,
                        QByteArray& reply, const std::atomic<bool>* stop,
                        const std::function<bool(const QByteArray&)>& usable = {});
    GlyphResult singleFailure(Step step, Link& link);
    std::optional<GlyphResult> identifySingle(Link& link, const std::atomic<bool>* stop,
                                              TransferObserver* observer, GlyphEnding refused);

    std::chrono::milliseconds wait_;
    int timeouts_ = 0;
};

} // namespace qmh4
