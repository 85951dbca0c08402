#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;

namespace qmh4 {

class TransferRunner;

class MainWindow;

// Communication → "Test Connection…": the chosen port with what the system knows of it (name,
// description, USB ids), then the radio's answer to the identification a transfer starts with
// — or why the port could not be opened, with what to do about it. The exchange runs on a
// thread of its own, so the window keeps painting through the up to three seconds of silence
// of a radio that is off.
class ConnectionTestDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConnectionTestDialog(MainWindow& window);
    ~ConnectionTestDialog() override;

    // Starts the test again (also done once when the dialog is built).
    void runTest();
    // The answer line as it stands ("Testing…" while the radio is asked).
    QString answerText() const;

signals:
    void testFinished();

private:
    void showAnswer(const QString& text);

    MainWindow& window_;
    QLabel* port_;
    QLabel* answer_;
    QPushButton* again_;
    TransferRunner* runner_;
    // What the worker heard from the radio, shown once it has ended.
    std::shared_ptr<QString> heard_ = std::make_shared<QString>();
};

} // namespace qmh4
