#pragma once

// Scaffolding shared by the window tests: boxes recorded instead of shown, controls found by
// their names, the window's built-in simulated radio, and waiting for a transfer to end.

#include "app/bank_page.h"
#include "app/channel_dialog.h"
#include "app/channel_grid_model.h"
#include "app/common_set_page.h"
#include "app/desktop_commands.h"
#include "app/file_choice.h"
#include "app/file_commands.h"
#include "app/font_editor.h"
#include "app/group_editor.h"
#include "app/main_window.h"
#include "app/memory_commands.h"
#include "app/memory_page.h"
#include "app/port_choice.h"
#include "app/set_mode_controls.h"
#include "app/set_mode_page.h"
#include "app/settings_location.h"
#include "app/transfer_controller.h"
#include "app/user_settings.h"
#include "app/write_confirmation.h"
#include "channels/channel_record.h"
#include "editing/channel_rows.h"
#include "files/csv_file.h"
#include "files/data_file.h"
#include "ports/port_opener.h"
#include "sim/simulated_radio.h"
#include "transfers/whole_radio.h"
#include "widgets/area_controls.h"
#include "widgets/message_box.h"
#include "widgets/question_box.h"

// Every Qt widget class: the window tests reach into whatever control they check.
#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

namespace qmh4::test {

struct Box {
    QString text;
    QString title;
    bool operator==(const Box&) const = default;
};

// Records the boxes the window shows and answers its questions, instead of blocking on them.
class Dialogs {
public:
    explicit Dialogs(bool answerOk = true) : answer(answerOk) {
        previousBox_ = setMessageSink([this](QWidget*, const QString& text, const QString& title) {
            boxes.append({text, title});
        });
        previousQuestion_ =
            setQuestionSink([this](QWidget*, const QString& text, const QString& title) {
                questions.append({text, title});
                if (onQuestion)
                    onQuestion();
                return answer;
            });
        previousChecked_ = setCheckedQuestionSink(
            [this](QWidget*, const QString& text, const QString& title, const QString&) {
                questions.append({text, title});
                return CheckedAnswer{answer, tick};
            });
        previousSave_ =
            setSaveQuestionSink([this](QWidget*, const QString& text, const QString& title) {
                saveQuestions.append({text, title});
                return saveAnswer;
            });
    }
    ~Dialogs() {
        setMessageSink(std::move(previousBox_));
        setQuestionSink(std::move(previousQuestion_));
        setCheckedQuestionSink(std::move(previousChecked_));
        setSaveQuestionSink(std::move(previousSave_));
    }

    int count(const QString& text) const {
        return static_cast<int>(std::count_if(boxes.begin(), boxes.end(),
                                              [&](const Box& box) { return box.text == text; }));
    }

    bool answer;
    bool tick = false; // the check box of a question that has one ("Don't ask again")
    std::function<void()> onQuestion; // called while a question is open
    QList<Box> boxes;
    QList<Box> questions;
    SaveChoice saveAnswer = SaveChoice::Discard; // "Save changes?"
    QList<Box> saveQuestions;

private:
    MessageSink previousBox_;
    QuestionSink previousQuestion_;
    CheckedQuestionSink previousChecked_;
    SaveQuestionSink previousSave_;
};

template <typename T = QLineEdit>
T* control(QObject& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// The window on its built-in simulated radio; `baud` 0 answers at once.
inline void useSimulatedRadio(MainWindow& window, int baud = 0,
                              std::chrono::milliseconds timeout = std::chrono::milliseconds(200)) {
    window.choosePortByName(SimulatedPortName);
    window.simulatedRadio().setPacing(baud);
    window.setReplyTimeout(timeout);
    window.setEditorReplyTimeout(timeout);
}

// Starts a command with `start` and waits until its transfer has ended.
template <typename Start>
bool runCommand(MainWindow& window, Start start, int timeoutMs = 60000) {
    QSignalSpy finished(&window, &MainWindow::transferFinished);
    start();
    return finished.count() == 1 || finished.wait(timeoutMs);
}

// Triggers the menu command or clicks the button named `name` and waits until its transfer ended.
inline bool runCommand(MainWindow& window, const QString& name, int timeoutMs = 60000) {
    return runCommand(
        window,
        [&] {
            if (auto* action = window.findChild<QAction*>(name))
                action->trigger();
            else
                control<QPushButton>(window, name)->click();
        },
        timeoutMs);
}

// A main window on its built-in simulated radio, with its boxes recorded.
struct SimWindow {
    explicit SimWindow(int baud = 0,
                       std::chrono::milliseconds timeout = std::chrono::milliseconds(200))
        : radio((useSimulatedRadio(window, baud, timeout), window.simulatedRadio())) {}
    Dialogs dialogs;
    MainWindow window;
    SimulatedRadio& radio;
};

// Makes rows `first`..`last` of the window's channels used ones named NAME on `frequency`;
// returns the channels the window then holds.
inline ChannelTable fillRows(MainWindow& window, int first, int last,
                             const QString& frequency = QStringLiteral("145.50000MHz")) {
    ChannelTable table = window.channels();
    for (int row = first; row <= last; ++row)
        fillRow(table, row, frequency, QStringLiteral("NAME"));
    window.document().replaceChannels({}, table);
    return table;
}

// The demo radio as "Read All Data" leaves it: every area filled.
inline WholeRadioData demoRadioData() {
    SimulatedRadio radio;
    WholeRadioData data;
    WholeRadioOptions options;
    options.main.replyTimeout = options.editors.replyTimeout = std::chrono::milliseconds(50);
    if (!readWholeRadio(radio, data, options).allSucceeded())
        qFatal("the demo radio cannot be read");
    return data;
}

// Answers the file dialogs in turn (an empty answer is Cancel) and keeps what they asked.
class FileAnswers {
public:
    explicit FileAnswers(QStringList answers) : answers_(std::move(answers)) {
        previous_ = setFileChooser([this](QWidget*, const FileRequest& request) {
            requests.append(request);
            return answers_.isEmpty() ? QString() : answers_.takeFirst();
        });
    }
    ~FileAnswers() { setFileChooser(std::move(previous_)); }
    QList<FileRequest> requests;

private:
    QStringList answers_;
    FileChooser previous_;
};

// Addresses of the write commands ("KV~F" address "W" data), in the order the radio saw them.
inline QList<quint32> writeAddresses(const SimulatedRadio& radio) {
    QList<quint32> addresses;
    for (const ExchangeRecord& exchange : radio.log())
        if (exchange.command.startsWith("KV~F") && exchange.command.size() > 11 &&
            exchange.command.at(9) == 'W')
            addresses.append(exchange.command.mid(4, 5).toUInt(nullptr, 16));
    return addresses;
}

// The radio's eight glyphs of 32 bytes, and a pattern to fill them with.
constexpr quint32 GlyphArea = 0x01000;
inline QByteArray glyphPattern() {
    QByteArray bytes(8 * 32, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 53 + 7) & 0xFF);
    return bytes;
}

// Settings folders of this test run only, so that choosing a port never touches the user's.
class TestSettings {
public:
    TestSettings() {
        QStandardPaths::setTestModeEnabled(true);
        QDir().mkpath(path(QStringLiteral("program")));
        setSettingsFolders(path(QStringLiteral("program")), path(QStringLiteral("user")));
        // The write commands go ahead as before their question existed; its own test asks.
        setAsksBeforeRadioWrite(false);
    }
    ~TestSettings() { setSettingsFolders({}, {}); }

    QString path(const QString& name) const { return dir_.filePath(name); }
    // Forgets the remembered port and what a former run left in the user's settings (the window,
    // recent files, column widths), and removes both settings files.
    void reset() const {
        forgetPortName();
        userSettings().clear();
        setAsksBeforeRadioWrite(false);
        QFile::remove(path(QStringLiteral("program/QMH4Writer.INI")));
        QFile::remove(path(QStringLiteral("user/QMH4Writer.INI")));
    }

private:
    QTemporaryDir dir_;
};

} // namespace qmh4::test

Q_DECLARE_METATYPE(qmh4::test::Box)
