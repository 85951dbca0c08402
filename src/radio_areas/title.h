#pragma once

#include <QByteArray>
#include <QString>

namespace qmh4 {

constexpr quint32 TitleAddress = 0x001A0;
constexpr int TitleBlockSize = 34; // 16 character slots of 2 bytes, then the slide setting
constexpr int TitleSlotCount = 16;
// What the radio can display: 16 counted bytes, a user glyph marker counting 2.
constexpr int TitleMaxBytes = 16;

// The opening title as the "Title Name" field shows it (user glyphs as ":1~" … ":8~") and its
// slide setting (`Combo1`: 0 "OFF", 1 "ON").
class Title {
public:
    const QString& text() const { return text_; }
    // Text arriving by any means (typing, paste, drop, input method, a file): characters the
    // title cannot hold are dropped and the rest cut at 16 counted bytes. Returns the result.
    const QString& setText(const QString& text);
    // The title as the radio and the data file hold it: ① … ⑧ instead of the markers.
    QString radioText() const;

    int slide() const { return slide_; }
    bool setSlide(int position);

    // The "Reset": empty title, slide "OFF".
    void reset() { *this = Title{}; }
    // The marker buttons: append ":n~" (n = 1..8) while the title holds at most 15 bytes.
    bool appendMarker(int glyphNumber);

    QByteArray buildBlock() const;
    void decodeBlock(const QByteArray& data);

    bool operator==(const Title&) const = default;

private:
    QString text_;
    int slide_ = 0;
};

// The title's length in counted bytes; characters the code page lacks count 2.
int titleLength(const QString& text);
// Key filter of the title field for one typed character: Backspace always; a single-byte
// character while the title holds fewer than 16 bytes; a double-byte character the radio can
// display while it holds fewer than 15. Control characters and Ctrl+V are refused.
bool titleKeyAccepted(const QString& text, char32_t key);
// Text arriving other than by typing: glyphs ① … ⑧ become markers, characters the title may
// not hold are dropped, and the result is cut at 16 counted bytes.
QString filteredTitleText(const QString& text);

} // namespace qmh4
