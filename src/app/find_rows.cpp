#include "app/find_rows.h"

#include "app/main_window.h"
#include "app/memory_page.h"
#include "editing/row_search.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

namespace qmh4 {

namespace {

QAction* addFindAction(QMenu* menu, QWidget* window, const char* name, const char* caption,
                       const QKeySequence& key) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QLatin1String(name));
    action->setShortcut(key);
    window->addAction(action);
    return action;
}

QPushButton* barButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

FindBar::FindBar(MainWindow& window, QMenu* editMenu)
    : QWidget(window.memoryPage), FindText(new QLineEdit(this)),
      FindPrevious(barButton("FindPrevious", "Previous", this)),
      FindNext(barButton("FindNext", "Next", this)),
      FindClose(barButton("FindClose", "Close", this)), window_(window) {
    setObjectName(QStringLiteral("FindBar"));
    FindText->setObjectName(QStringLiteral("FindText"));
    FindText->setPlaceholderText(QStringLiteral("Name, frequency or label"));
    FindText->setClearButtonEnabled(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Find:"), this));
    layout->addWidget(FindText, 1);
    layout->addWidget(FindPrevious);
    layout->addWidget(FindNext);
    layout->addWidget(FindClose);
    hide();

    findAction = addFindAction(editMenu, &window, "EditFind", "&Find…", QKeySequence::Find);
    findNextAction =
        addFindAction(editMenu, &window, "EditFindNext", "Find &Next", QKeySequence(Qt::Key_F3));
    findPreviousAction = addFindAction(editMenu, &window, "EditFindPrevious", "Find Pre&vious",
                                       QKeySequence(Qt::SHIFT | Qt::Key_F3));
    connect(findAction, &QAction::triggered, this, &FindBar::showBar);
    connect(findNextAction, &QAction::triggered, this, [this] { findNext(true); });
    connect(findPreviousAction, &QAction::triggered, this, [this] { findNext(false); });
    connect(FindNext, &QPushButton::clicked, this, [this] { findNext(true); });
    connect(FindPrevious, &QPushButton::clicked, this, [this] { findNext(false); });
    connect(FindClose, &QPushButton::clicked, this, &FindBar::hideBar);
    connect(FindText, &QLineEdit::returnPressed, this,
            [this] { findNext(!(QApplication::keyboardModifiers() & Qt::ShiftModifier)); });
    // Typing looks from the current row on, so the row found stays while the text grows.
    connect(FindText, &QLineEdit::textEdited, this,
            [this] { findFrom(window_.memoryPage->currentRow() - 1, true); });
}

void FindBar::showBar() {
    if (window_.transferRunning())
        return;
    window_.TabStrip1->setCurrentWidget(window_.memoryPage);
    show();
    FindText->setFocus();
    FindText->selectAll();
}

void FindBar::hideBar() {
    hide();
    window_.memoryPage->MSFlexGrid1->setFocus();
}

bool FindBar::findNext(bool forward) {
    if (window_.transferRunning())
        return false;
    if (FindText->text().isEmpty()) {
        showBar();
        return false;
    }
    return findFrom(window_.memoryPage->currentRow(), forward);
}

bool FindBar::findFrom(int row, bool forward) {
    const QString text = FindText->text();
    const int found = findRow(window_.channels(), text, row, forward);
    if (found == 0) {
        if (!text.isEmpty())
            window_.statusBar()->showMessage(QStringLiteral("No row holds \"%1\"").arg(text));
        return false;
    }
    window_.TabStrip1->setCurrentWidget(window_.memoryPage);
    window_.memoryPage->selectRow(found);
    window_.statusBar()->clearMessage();
    return true;
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hideBar();
    } else {
        QWidget::keyPressEvent(event);
    }
}

} // namespace qmh4
