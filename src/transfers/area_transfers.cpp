#include "transfers/area_transfers.h"

namespace qmh4 {

namespace {

void showProgress(TransferObserver* observer, int percent) {
    if (observer) {
        observer->progress(percent, AreaProgressMaximum, percent);
    }
}

QByteArray readArea(Session& session, quint32 address) {
    FailureCounter failures(AreaBlockAttempts);
    return session.readBlock(address, failures);
}

void writeArea(Session& session, quint32 address, const QByteArray& data) {
    FailureCounter failures(AreaBlockAttempts);
    session.writeBlock(address, data, failures);
}

// The three DTMF blocks; `percents` is what the bar shows before each block.
void readDtmfBlocks(Session& session, DtmfSettings& dtmf, TransferObserver* observer,
                    const int (&percents)[DtmfBlockCount]) {
    for (int block = 0; block < DtmfBlockCount; ++block) {
        showProgress(observer, percents[block]);
        dtmf.decodeBlock(block, readArea(session, DtmfBlockAddress[block]));
    }
}

void writeDtmfBlocks(Session& session, const DtmfSettings& dtmf, TransferObserver* observer,
                     const int (&percents)[DtmfBlockCount]) {
    for (int block = 0; block < DtmfBlockCount; ++block) {
        showProgress(observer, percents[block]);
        writeArea(session, DtmfBlockAddress[block], dtmf.buildBlock(block));
    }
}

// Reads the three set-mode blocks into a 148-byte record, progress 20 and 35 after the first
// two. Each block lands in `record` as soon as it is accepted.
void readSetModeRecord(Session& session, QByteArray& record, TransferObserver* observer) {
    record.resize(SetModeRecordSize, '\0');
    const int percents[SetModeBlockCount] = {20, 35, -1};
    int start = 0;
    for (int block = 0; block < SetModeBlockCount; ++block) {
        const QByteArray data = readArea(session, SetModeBlockAddress[block]);
        record.replace(start, SetModeBlockSize[block], data.left(SetModeBlockSize[block]));
        start += SetModeBlockSize[block];
        if (percents[block] >= 0) {
            showProgress(observer, percents[block]);
        }
    }
}

} // namespace

TransferResult readBanks(Session& session, BankSizes& banks, TransferObserver* observer) {
    return runTransfer([&] {
        showProgress(observer, 0);
        session.identify();
        showProgress(observer, 20);
        banks.decodeBlock(0, readArea(session, BankBlockAddress[0]));
        showProgress(observer, 60);
        banks.decodeBlock(1, readArea(session, BankBlockAddress[1]));
        showProgress(observer, 100);
    });
}

TransferResult writeBanks(Session& session, const BankSizes& banks, TransferObserver* observer) {
    if (!banks.isWritable()) {
        return {Outcome::Failed,
                QStringLiteral("The bank sizes add up to %1, not 1000").arg(banks.total())};
    }
    return runTransfer([&] {
        showProgress(observer, 0);
        session.identify();
        showProgress(observer, 20);
        writeArea(session, BankBlockAddress[0], banks.buildBlock(0));
        showProgress(observer, 60);
        writeArea(session, BankBlockAddress[1], banks.buildBlock(1));
        showProgress(observer, 100);
    });
}

TransferResult readSetMode(Session& session, SetModeSettings& settings, DtmfSettings& dtmf,
                           TransferObserver* observer) {
    return runTransfer([&] {
        showProgress(observer, 0);
        session.identify();
        readSetModeRecord(session, settings.record, observer);
        settings.applyRecord(settings.record);
        showProgress(observer, 50);
        settings.applyWriteProtect(readArea(session, WriteProtectAddress));
        readDtmfBlocks(session, dtmf, observer, {55, 65, 80});
        showProgress(observer, 100);
    });
}

TransferResult writeSetMode(Session& session, SetModeSettings& settings, const DtmfSettings& dtmf,
                            TransferObserver* observer) {
    return runTransfer([&] {
        showProgress(observer, 0);
        session.identify();
        readSetModeRecord(session, settings.record, observer);
        const QByteArray record = settings.buildRecord(settings.record);
        const int percents[SetModeBlockCount] = {50, 65, 80};
        for (int block = 0; block < SetModeBlockCount; ++block) {
            showProgress(observer, percents[block]);
            writeArea(session, SetModeBlockAddress[block], setModeBlock(record, block));
        }
        writeDtmfBlocks(session, dtmf, observer, {80, 85, 90});
        showProgress(observer, 100);
    });
}

TransferResult readDtmf(Session& session, DtmfSettings& dtmf, TransferObserver* observer) {
    return runTransfer([&] {
        showProgress(observer, 0);
        session.identify();
        readDtmfBlocks(session, dtmf, observer, {20, 45, 70});
        showProgress(observer, 100);
    });
}

TransferResult writeDtmf(Session& session, const DtmfSettings& dtmf, TransferObserver* observer) {
    return runTransfer([&] {
        showProgress(observer, 0);
        session.identify();
        writeDtmfBlocks(session, dtmf, observer, {20, 45, 70});
        showProgress(observer, 100);
    });
}

TransferResult readOneTouch(Session& session, OneTouch& oneTouch, const BankSizes& banks,
                            TransferObserver* observer) {
    return runTransfer([&] {
        showProgress(observer, 0);
        session.identify();
        showProgress(observer, 50);
        oneTouch.decodeBlock(readArea(session, OneTouchAddress), banks);
        showProgress(observer, 100);
    });
}

TransferResult writeOneTouch(Session& session, const OneTouch& oneTouch,
                             TransferObserver* observer) {
    return runTransfer([&] {
        showProgress(observer, 0);
        session.identify();
        showProgress(observer, 50);
        writeArea(session, OneTouchAddress, oneTouch.buildBlock());
        showProgress(observer, 100);
    });
}

TransferResult readTitle(Session& session, Title& title, TransferObserver* observer) {
    return runTransfer([&] {
        showProgress(observer, 0);
        session.identify();
        showProgress(observer, 50);
        title.decodeBlock(readArea(session, TitleAddress));
        showProgress(observer, 100);
    });
}

TransferResult writeTitle(Session& session, const Title& title, TransferObserver* observer) {
    return runTransfer([&] {
        showProgress(observer, 0);
        session.identify();
        showProgress(observer, 50);
        writeArea(session, TitleAddress, title.buildBlock());
        showProgress(observer, 100);
    });
}

TransferResult readGroups(Session& session, Groups& groups, TransferObserver* observer) {
    return runTransfer([&] {
        session.identify();
        for (int block = 0; block < GroupBlockCount; ++block) {
            showProgress(observer, 50 * block);
            groups.decodeBlock(block, readArea(session, GroupBlockAddress[block]));
        }
        showProgress(observer, 100);
    });
}

TransferResult writeGroups(Session& session, const Groups& groups, TransferObserver* observer,
                           Handshake handshake) {
    return runTransfer([&] {
        if (handshake == Handshake::Yes) {
            session.identify();
        }
        for (int block = 0; block < GroupBlockCount; ++block) {
            showProgress(observer, 50 * block);
            writeArea(session, GroupBlockAddress[block], groups.buildBlock(block));
        }
        showProgress(observer, 100);
    });
}

} // namespace qmh4
