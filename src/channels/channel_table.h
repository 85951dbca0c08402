#pragma once

#include <QString>

#include <array>
#include <vector>

namespace qmh4 {

// Columns of the channel grid. Column 0 is the row label; 1..12 hold the channel's cell texts.
enum Column : int {
    LabelColumn = 0,
    FrequencyColumn = 1,
    ModeColumn = 2,
    StepColumn = 3,
    CarrierColumn = 4,
    ToneTypeColumn = 5,
    TxToneColumn = 6,
    RxToneColumn = 7,
    DcsColumn = 8,
    ShiftColumn = 9,
    OffsetColumn = 10,
    SkipColumn = 11,
    NameColumn = 12,
    ColumnCount = 13,
};

constexpr int FirstRow = 1;
constexpr int LastRow = 1623;
constexpr int RowCount = 1623;

// Row ranges of the blocks (grid row numbers, 1-based; channel index = row - 1).
constexpr int FirstMemoryRow = 1, LastMemoryRow = 1000;
constexpr int FirstProgramScanRow = 1001, LastProgramScanRow = 1100;
constexpr int FirstDualRow = 1101, LastDualRow = 1300;
constexpr int FirstPriorityRow = 1301, LastPriorityRow = 1400;
constexpr int FirstCallRow = 1401, LastCallRow = 1403;
constexpr int FirstPassRow = 1404, LastPassRow = 1503;
constexpr int FirstTsfRow = 1504, LastTsfRow = 1603;
constexpr int FirstBugFinderRow = 1604, LastBugFinderRow = 1623;

// One channel slot: the cell texts exactly as the grid shows them, and the row's entries of
// the side tables (indices into the value tables, the used flag and the name-table entry).
// The side tables are what the radio and the data file get, the cells what the grid and the
// CSV file show: an attribute and its caption are set by one call so they cannot drift apart,
// which is why the side tables are only read from outside.
class ChannelRow {
public:
    const std::array<QString, ColumnCount>& cells() const { return cells_; }
    const QString& cell(int column) const { return cells_[static_cast<size_t>(column)]; }
    // For the columns without a side-table entry (label, frequency, mode, tone type, shift,
    // offset, skip); the others go through their setters.
    QString& cell(int column) { return cells_[static_cast<size_t>(column)]; }

    quint8 txTone() const { return txTone_; }
    quint8 rxTone() const { return rxTone_; }
    quint8 dcs() const { return dcs_; }
    quint8 train() const { return train_; }
    quint8 step() const { return step_; }
    bool used() const { return used_; }
    // The name-table entry: ① to ⑧ themselves, not the ":1~" markers of the name cell.
    const QString& name() const { return name_; }

    // Each sets the index and the caption its column shows; an index outside its value table
    // changes neither, so no caption can stand for an index the radio would refuse.
    void setStep(int index);
    void setTrain(int index); // shown in the "Carrier" column
    void setTxTone(int index);
    void setRxTone(int index);
    void setDcs(int index);
    // The name cell and the name-table entry: the cell shows ":1~" .. ":8~" where the entry
    // holds ① .. ⑧. The editor and the files give the name as shown, the radio as held.
    void setNameWithMarkers(const QString& shown);
    void setNameWithGlyphs(const QString& held);
    // Whether the channel holds a frequency: the decoders set it apart from the cells, whose
    // texts an unused channel keeps until the transfer or load blanks it.
    void markUsed(bool used = true) { used_ = used; }
    // The carrier cell alone, the train-tone entry staying as it is: the call and bug-finder
    // rows start showing "2300Hz" while their entry keeps 28.
    void setCarrierTextOnly(const QString& text) { cells_[CarrierColumn] = text; }

    // Columns 1..12 and the name entry emptied; the indices, the used flag and the label stay.
    void blankCells();
    // An empty channel as a refused import leaves it: blank cells and used flag 0, while the
    // indices stay as they were.
    void blankAsUnused();
    // An empty channel as the grid's Clear leaves it: columns 1..12 empty, every index and the
    // used flag 0, and the name entry too unless `keepName`. The label stays.
    void clear(bool keepName = false);

    bool operator==(const ChannelRow&) const = default;

private:
    std::array<QString, ColumnCount> cells_; // cells_[LabelColumn] is the row label
    quint8 txTone_ = 8;                      // CTCSS index
    quint8 rxTone_ = 8;                      // CTCSS index
    quint8 dcs_ = 0;                         // DCS index
    quint8 train_ = 28;                      // train-tone index
    quint8 step_ = 0;                        // step index
    bool used_ = false;                      // the channel holds a frequency
    QString name_;
};

// The working copy of every channel slot of the radio, rows 1 to 1623.
class ChannelTable {
public:
    // The start-up content: every row empty with default side tables, except the call and
    // bug-finder rows; all labels set (memory rows labelled from the start-up bank sizes, ten
    // banks of 100: "Bank000-0" .. "Bank009-99").
    ChannelTable();

    // Rows 1..1623; another number throws std::out_of_range rather than touch foreign memory.
    const ChannelRow& row(int rowNumber) const;
    ChannelRow& row(int rowNumber);
    const QString& cell(int rowNumber, int column) const { return row(rowNumber).cell(column); }

    // Empties columns 1..12 and the name entry of a row (labels and other side tables stay).
    void clearCells(int rowNumber);
    // Empties a channel: columns 1..12, the side-table indices (0) and the used flag; the name
    // entry too unless `keepName`. The label stays.
    void clearChannel(int rowNumber, bool keepName = false);
    // "All Clear", and what a data file starts from: every row 1..1603 but the call rows is
    // emptied with its name; the call and bug-finder rows and every label stay.
    void clearAllChannels();
    // Rows 1..1603 but the call rows whose used flag is 0 lose their texts and names.
    void blankEmptyRows();

    // Relabels the memory rows from the 50 bank sizes ("Bank000-0" …); does nothing and
    // returns false unless every size is 0 or more and they sum to exactly 1000.
    bool relabelMemoryRows(const std::array<int, 50>& bankSizes);

    bool operator==(const ChannelTable&) const = default;

private:
    std::vector<ChannelRow> rows_; // rows_[0] is row 1
};

bool isBugFinderRow(int rowNumber);
bool isCallRow(int rowNumber);
bool isDualRow(int rowNumber);
bool isMemoryRow(int rowNumber);
bool isPassRow(int rowNumber);
bool isChannelRow(int rowNumber); // 1..1623

// The label of a row outside the memory block ("PRG - 0A", "Dual0(Main) ", "CALL-VHF",
// "BUG - 19"); empty for a memory row, whose label comes from the bank sizes.
QString fixedRowLabel(int rowNumber);

} // namespace qmh4
