#include "widgets/area_controls.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QValidator>

namespace qmh4 {

class FilteredLineEdit::RuleValidator final : public QValidator {
public:
    RuleValidator(CharacterRule rule, QObject* parent)
        : QValidator(parent), rule_(std::move(rule)) {}

    State validate(QString& input, int& position) const override {
        if (!trusted_) {
            if (mapping_)
                mapInput(input, position);
            const EditOutcome outcome = filterUserEdit(accepted_, input, position, rule_);
            input = outcome.text;
            position = outcome.cursor;
        }
        accepted_ = input;
        return Acceptable;
    }

    void setTrusted(bool trusted) { trusted_ = trusted; }
    void setMapping(std::function<QString(char32_t)> mapping) { mapping_ = std::move(mapping); }

private:
    void mapInput(QString& input, int& position) const {
        QString mapped;
        int mappedPosition = 0;
        int consumed = 0;
        for (const char32_t character : input.toUcs4()) {
            const QString piece = mapping_(character);
            const int width = QChar::requiresSurrogates(character) ? 2 : 1;
            if (consumed < position)
                mappedPosition += static_cast<int>(piece.size());
            consumed += width;
            mapped += piece;
        }
        input = mapped;
        position = mappedPosition;
    }

    CharacterRule rule_;
    std::function<QString(char32_t)> mapping_;
    // What the box held after the last change: the edit is what differs from it.
    mutable QString accepted_;
    bool trusted_ = false;
};

FilteredLineEdit::FilteredLineEdit(CharacterRule rule, bool refuseCtrlV, QWidget* parent)
    : QLineEdit(parent), validator_(new RuleValidator(std::move(rule), this)),
      refuseCtrlV_(refuseCtrlV) {
    setValidator(validator_);
}

void FilteredLineEdit::setBoxText(const QString& text) {
    validator_->setTrusted(true);
    setText(text);
    validator_->setTrusted(false);
}

void FilteredLineEdit::setInputMapping(std::function<QString(char32_t)> mapping) {
    validator_->setMapping(std::move(mapping));
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
    if (refuseCtrlV_ && event->key() == Qt::Key_V &&
        event->modifiers().testFlag(Qt::ControlModifier)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FilteredLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A context menu or another window taking over is no leaving of the box.
    const bool leftBox =
        event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
    if (leftBox && onFocusLost)
        onFocusLost();
}

void ChoiceOnlyComboBox::setEntries(const QStringList& entries, int position) {
    const QSignalBlocker quiet(this);
    clear();
    addItems(entries);
    setCurrentIndex(position >= 0 && position < entries.size() ? position
                                                               : (entries.isEmpty() ? -1 : 0));
}

void ChoiceOnlyComboBox::selectQuietly(int position) {
    if (position < 0 || position >= count())
        return;
    const QSignalBlocker quiet(this);
    setCurrentIndex(position);
}

void ChoiceOnlyComboBox::keyPressEvent(QKeyEvent* event) {
    if (!event->text().isEmpty() && event->text().front().isPrint()) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace qmh4
