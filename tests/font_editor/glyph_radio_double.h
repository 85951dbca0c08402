#pragma once

// A small stand-in for the radio's glyph memory, for the tests of the glyph transfers: it
// answers the short identify, reads and 32-byte writes of 0x01000..0x010FF, records every
// command, and plays faults queued for the coming exchanges.

#include "link/link.h"

#include <QByteArray>
#include <QList>

namespace qmh4::test {

class GlyphRadioDouble : public Link {
public:
    enum class Fault {
        None,
        Silent,    // no answer: the wait times out
        Truncate,  // only the first `cut` characters of the answer arrive
        Short,     // the last character is missing
        Extra,     // one character too many arrives
        NoOk,      // "NG" where "OK" belongs
        BadEnd,    // LF CR instead of CR LF at the end of a read answer
        PortFault, // the port fails during the wait
    };

    QByteArray memory = QByteArray(256, '\0'); // 0x01000 .. 0x010FF
    QList<QByteArray> commands;                // every command sent, in order
    QList<Fault> faults;                       // consumed one per exchange
    qsizetype cut = 79;

    bool send(const QByteArray& command) override {
        open_ = true;
        commands.append(command);
        answer_ = answer(command);
        return true;
    }

    Reply receive(qsizetype expected, std::chrono::milliseconds) override {
        open_ = false;
        Reply reply;
        QByteArray bytes = answer_;
        const Fault fault = faults.isEmpty() ? Fault::None : faults.takeFirst();
        switch (fault) {
        case Fault::None:
            break;
        case Fault::Silent:
            bytes.clear();
            break;
        case Fault::Truncate:
            bytes.truncate(cut);
            break;
        case Fault::Short:
            bytes.chop(1);
            break;
        case Fault::Extra:
            bytes += 'x';
            break;
        case Fault::NoOk:
            if (bytes.size() >= 4)
                bytes.replace(bytes.size() - 4, 2, "NG");
            break;
        case Fault::BadEnd:
            bytes.replace(bytes.size() - 2, 2, "\n\r");
            break;
        case Fault::PortFault:
            reply.status = Reply::Status::PortError;
            return reply;
        }
        if (bytes.size() >= expected && !bytes.isEmpty()) {
            reply.status = Reply::Status::Complete;
            reply.bytes = bytes;
        }
        return reply;
    }

    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    QString errorString() const override { return {}; }

    QByteArray glyphBytes(int glyph) const { return memory.mid(32 * glyph, 32); }

private:
    QByteArray answer(const QByteArray& command) {
        const QByteArray echo = command.left(command.size() - 1) + "\r\n";
        if (command == "KV~QM-H4\r")
            return echo + "H4 OK\r\n"; // 17 characters, "OK" at 13 and 14
        const int offset = command.mid(4, 5).toInt(nullptr, 16) - 0x1000;
        if (command.size() == 11 && command[9] == 'R') {
            QByteArray data = memory.mid(offset, 64);
            data.append(64 - data.size(), '\0');
            return echo + "0" + data.toHex().toUpper() + "\r\n"; // 143 characters
        }
        const QByteArray data = QByteArray::fromHex(command.mid(10, command.size() - 11));
        memory.replace(offset, data.size(), data);
        return echo + "0OK\r\n"; // 81 characters for a 75-character write
    }

    QByteArray answer_;
    bool open_ = false;
};

} // namespace qmh4::test
