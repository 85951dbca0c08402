#pragma once

#include <QWidget>

#include <array>

class QPushButton;
class QTableView;
class QVBoxLayout;

namespace qmh4 {

class ChannelGridModel;

// The "Memory" page: the channel grid and the commands that transfer and edit channels.
// The page only holds the controls; the main window connects them to its commands.
class MemoryPage : public QWidget {
    Q_OBJECT
public:
    explicit MemoryPage(ChannelGridModel* model, QWidget* parent = nullptr);

    QTableView* MSFlexGrid1;
    QPushButton* READ_Botton;
    QPushButton* WRITE_Botton;
    QPushButton* MEM_ONE_READ;
    QPushButton* MEM_ONE_WRITE;
    QPushButton* Clear_Botton;
    std::array<QPushButton*, 2> LIST_SET; // 0 "Up", 1 "Down"
    QPushButton* ALL_Reset;

    // The grid's current row (1..1623) and the rows from the smaller to the larger of the
    // current row and the selection-end row, as the transfer and editing commands use them.
    int currentRow() const;
    struct RowRange {
        int first;
        int last;
    };
    RowRange selectedRows() const;
    // The other end of the selection from the current row (the current row itself when a
    // single row is selected).
    int selectionEndRow() const;
    // The selected rows and which end of them is current, to put back after the grid changed.
    struct Selection {
        RowRange rows{1, 1};
        int current = 1;
    };
    Selection selection() const;
    void restoreSelection(const Selection& selection);
    // Makes gridRow current and selects it from column 12 to column 1, scrolled into view.
    void selectRow(int gridRow);
    void selectRows(int firstGridRow, int lastGridRow);
    // Puts a bar (the find bar) under the grid.
    void addBelowGrid(QWidget* bar);

private:
    void setUpGrid(ChannelGridModel* model);
    // The width that shows every text a column can hold in the grid's font, header included.
    int fittingColumnWidth(int column) const;
    void sizeColumnsToTexts();
    // Widths the user dragged in an earlier run win over the fitted ones.
    void restoreColumnWidths();
    void rememberColumnWidth(int column);

    // Room between a cell's text and the next column, so texts do not touch the grid line.
    static constexpr int CellSlack = 6;
    QPushButton* makeButton(const char* name, const char* caption);

    QVBoxLayout* gridColumn_ = nullptr;
};

} // namespace qmh4
