#pragma once

// The transfers of the radio's areas other than the channels. Each function runs one whole
// command over a Session: the handshake, its blocks in the radio's order with three attempts
// each, and the progress the main window shows (bar maximum 100). It returns the outcome; the
// caller shows the box (TransferControl) and takes over the decoded data.
//
// A read decodes into the model it is given — on a worker thread that is the transfer's own
// copy — and only from replies that passed their check; what was decoded before a failure
// stays decoded. A write sends what the model held when the transfer started: pass a copy
// taken at the start, so edits or a language switch meanwhile change nothing it sends.

#include "link/session.h"
#include "radio_areas/radio_areas.h"

#include <chrono>

namespace qmh4 {

// The transfer-state codes of the area commands (non-zero while they run).
namespace area_state {
constexpr quint16 BankRead = 5;
constexpr quint16 BankWrite = 8;
constexpr quint16 SetModeRead = 251;
constexpr quint16 SetModeWrite = 234;
constexpr quint16 DtmfRead = 54;
constexpr quint16 DtmfWrite = 58;
constexpr quint16 OneTouchRead = 52;
constexpr quint16 OneTouchWrite = 50;
constexpr quint16 TitleRead = 104;
constexpr quint16 TitleWrite = 102;
} // namespace area_state

// Every block of these commands gets three attempts.
constexpr int AreaBlockAttempts = 3;
constexpr int AreaProgressMaximum = 100;

// "Bank Read" / "Bank Write". The write is refused (Failed, nothing sent) unless the sizes add
// up to 1000.
TransferResult readBanks(Session& session, BankSizes& banks, TransferObserver* observer = nullptr);
TransferResult writeBanks(Session& session, const BankSizes& banks,
                          TransferObserver* observer = nullptr);

// Both set-mode "Read" commands: the record, the write-protect byte and the DTMF blocks, all
// decoded.
TransferResult readSetMode(Session& session, SetModeSettings& settings, DtmfSettings& dtmf,
                           TransferObserver* observer = nullptr);
// Both set-mode "Write" commands: the record is read back first (it supplies the bytes the
// radio keeps), then written with the DTMF blocks. `settings.record` ends as read back.
TransferResult writeSetMode(Session& session, SetModeSettings& settings, const DtmfSettings& dtmf,
                            TransferObserver* observer = nullptr);

// The "Read" and "Write" of the DTMF frame: the handshake and the three DTMF blocks.
TransferResult readDtmf(Session& session, DtmfSettings& dtmf, TransferObserver* observer = nullptr);
TransferResult writeDtmf(Session& session, const DtmfSettings& dtmf,
                         TransferObserver* observer = nullptr);

// One-touch "Read" / "Write". The read looks the radio's banks up among `banks` as they are
// now (the whole-radio read has just read them).
TransferResult readOneTouch(Session& session, OneTouch& oneTouch, const BankSizes& banks,
                            TransferObserver* observer = nullptr);
TransferResult writeOneTouch(Session& session, const OneTouch& oneTouch,
                             TransferObserver* observer = nullptr);

// Title "Read" / "Write".
TransferResult readTitle(Session& session, Title& title, TransferObserver* observer = nullptr);
TransferResult writeTitle(Session& session, const Title& title,
                          TransferObserver* observer = nullptr);

// The group editor's "Read" / "Write" (its own link, 200 ms replies). The whole-radio write
// sends the group blocks right after the other steps without a handshake of their own.
enum class Handshake { Yes, No };
TransferResult readGroups(Session& session, Groups& groups, TransferObserver* observer = nullptr);
TransferResult writeGroups(Session& session, const Groups& groups,
                           TransferObserver* observer = nullptr,
                           Handshake handshake = Handshake::Yes);

// The group editor waits 200 ms for a reply.
constexpr std::chrono::milliseconds GroupEditorReplyTimeout{200};
inline SessionOptions groupEditorSessionOptions() {
    return SessionOptions{GroupEditorReplyTimeout};
}

} // namespace qmh4
