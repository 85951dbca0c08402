#pragma once

#include "font/glyph_store.h"
#include "link/session.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

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

// Texts of the font editor's boxes (text first, then title).
namespace fontmsg {
inline const QString Finish = QStringLiteral(" Finish");
inline const QString ErrorTitle = QStringLiteral(" Error");
inline const QString Error = QStringLiteral("Error");
inline const QString PortError = QStringLiteral("Port Error");
inline const QString ComError = QStringLiteral("Com Error");
inline const QString AllRead = QStringLiteral("All Font Data Read");
inline const QString AllWritten = QStringLiteral("All Font Data Write");
inline const QString GlyphRead = QStringLiteral("Success Font Read");
inline const QString GlyphWritten = QStringLiteral("Success Font Write");
// "Font Data Error", an ideographic space, "COM_TYPE ", two full-width digits.
QString dataError(int type); // 11 single write identify, 12 single write, 13 single read identify
// The title of the box a glyph transfer ends with.
inline QString titleFor(const TransferResult& result) {
    return result.ok() ? Finish : ErrorTitle;
}
} // namespace fontmsg

// The glyph blocks without a handshake, as the whole-set commands and the whole-radio write run
// them: failed attempts of all eight blocks count together, `failureLimit` of them give "Error".
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
// commands resend after a reply time-out and give up with "Com Error" at the 21st time-out,
// counted across single-glyph transfers since Read ALL, Write ALL or the last "Com Error".
// The Link is passed per call so that it can be made on the thread that runs the transfer.
class GlyphTransfers {
public:
    static constexpr int IdentifyAttempts = 3;
    static constexpr int WholeSetFailureLimit = 10;
    static constexpr int TimeoutLimit = 21;

    explicit GlyphTransfers(std::chrono::milliseconds wait = std::chrono::milliseconds(200))
        : wait_(wait) {}

    // `glyphs` gets glyphs 0 .. glyphsDecoded-1 replaced by what the radio holds.
    TransferResult readAll(Link& link, GlyphSet& glyphs, const std::atomic<bool>* stop = nullptr,
                           TransferObserver* observer = nullptr);
    TransferResult writeAll(Link& link, const GlyphSet& glyphs,
                            const std::atomic<bool>* stop = nullptr,
                            TransferObserver* observer = nullptr);
    TransferResult readGlyph(Link& link, int index, Glyph& glyph,
                             const std::atomic<bool>* stop = nullptr,
                             TransferObserver* observer = nullptr);
    TransferResult writeGlyph(Link& link, int index, const Glyph& glyph,
                              const std::atomic<bool>* stop = nullptr,
                              TransferObserver* observer = nullptr);

    int timeouts() const { return timeouts_; }

private:
    enum class Step { Answered, GaveUp, PortFault, Stopped };
    TransferResult identifyWholeSet(Link& link, const std::atomic<bool>* stop);
    TransferResult runWholeSet(Link& link, const std::atomic<bool>* stop,
                               TransferObserver* observer, const QString& successText,
                               const std::function<TransferResult()>& blocks);
    Step exchangeSingle(Link& link, const QByteArray& command, qsizetype threshold,
                        QByteArray& reply, const std::atomic<bool>* stop,
                        const std::function<bool(const QByteArray&)>& usable = {});
    TransferResult singleFailure(Step step, Link& link);
    std::optional<TransferResult> identifySingle(Link& link, const std::atomic<bool>* stop,
                                                 TransferObserver* observer, int errorType);

    std::chrono::milliseconds wait_;
    int timeouts_ = 0;
};

} // namespace qmh4
