#pragma once

#include "radio_areas/set_mode_lists.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace qmh4 {

// The radio keeps its menu settings in a 148-byte record, split into three blocks.
constexpr int SetModeRecordSize = 148;
constexpr int SetModeBlockCount = 3;
constexpr quint32 SetModeBlockAddress[SetModeBlockCount] = {0x00000, 0x00040, 0x00080};
constexpr int SetModeBlockSize[SetModeBlockCount] = {64, 64, 20};
// The write-protect setting lives apart from the record; it is read, never written.
constexpr quint32 WriteProtectAddress = 0x1FE01;

// The positions of every set-mode list (the value of each drop-down list of the "Set Mode"
// page and of the "Setting" frame of the "Common Set" page), the scan timer entry, and the
// record last read from the radio.
class SetModeSettings {
public:
    // The start-up selections of the main window.
    SetModeSettings();

    int position(SetModeArray array, int index = 0) const;
    // Refuses (false, nothing changes) a list that does not exist or a position outside it.
    bool setPosition(SetModeArray array, int index, int position);

    // The "Reset" of the "Set Mode" page (the DTMF memories are reset by their own model).
    void resetSetModePage();
    // The "Reset" of the "Setting" frame of the "Common Set" page.
    void resetCommonSetting();

    // Fills the lists from a 148-byte record. A byte whose value is outside its list leaves
    // that list as it was. The repeater shift and tone go to their first entry and the write
    // protection to "OFF" until its own byte is read.
    void applyRecord(const QByteArray& record);
    // The record to write: the lists, the fixed bytes, zeros, and the kept bytes taken from
    // `readBack`, the record the same write has just read from the radio.
    QByteArray buildRecord(const QByteArray& readBack) const;
    // The write-protect list from the data bytes of a read at WriteProtectAddress.
    void applyWriteProtect(const QByteArray& data);

    // The scan timer of the "Set Mode" page: not transferred, reset with the page.
    bool scanTimerChecked = false;
    QString scanTime = QStringLiteral("1");

    // The record as last read from the radio (148 bytes, zeros before the first read).
    QByteArray record = QByteArray(SetModeRecordSize, '\0');

    bool operator==(const SetModeSettings&) const = default;

private:
    void setAllToFirstEntry(SetModeArray array, int first, int last);
    std::array<std::vector<int>, SetModeArrayCount> positions_;
};

// The data bytes of set-mode block n (64, 64 or 20 bytes) cut from a whole record.
QByteArray setModeBlock(const QByteArray& record, int block);

// Key filter of the scan time box: digits while it holds fewer than 3 characters; Backspace.
bool scanTimeKeyAccepted(const QString& boxText, QChar key);
// The box on leaving it: only digits kept; a value outside 1..300 or longer than 3 gives "1".
QString mendedScanTime(const QString& boxText);

} // namespace qmh4
