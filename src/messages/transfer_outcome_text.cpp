#include "messages/transfer_outcome_text.h"

namespace qmh4 {

namespace {

const QString Finish = QStringLiteral(" Finish");
const QString ErrorTitle = QStringLiteral(" Error");

// "Font Data Error", an ideographic space, "COM_TYPE ", the type in full-width digits.
QString fontDataError(int type) {
    QString text = QStringLiteral("Font Data Error") + QChar(0x3000) + QStringLiteral("COM_TYPE ");
    for (const QChar digit : QString::number(type))
        text += QChar(static_cast<char16_t>(0xFF10 + (digit.unicode() - u'0')));
    return text;
}

} // namespace

MessageText endBoxText(EndBox box) {
    switch (box) {
    case EndBox::Success:
        return {QStringLiteral("Success"), Finish};
    case EndBox::Failed:
        return {QStringLiteral("Error"), ErrorTitle};
    case EndBox::PortError:
        return {QStringLiteral("Port Error"), ErrorTitle};
    case EndBox::None:
        break;
    }
    return {};
}

MessageText glyphEndingText(GlyphEnding ending) {
    switch (ending) {
    case GlyphEnding::AllRead:
        return {QStringLiteral("All Font Data Read"), Finish};
    case GlyphEnding::AllWritten:
        return {QStringLiteral("All Font Data Write"), Finish};
    case GlyphEnding::GlyphRead:
        return {QStringLiteral("Success Font Read"), Finish};
    case GlyphEnding::GlyphWritten:
        return {QStringLiteral("Success Font Write"), Finish};
    case GlyphEnding::Failed:
        return endBoxText(EndBox::Failed);
    case GlyphEnding::PortError:
        return endBoxText(EndBox::PortError);
    case GlyphEnding::TimedOut:
        return {QStringLiteral("Com Error"), ErrorTitle};
    case GlyphEnding::WriteIdentifyRefused:
        return {fontDataError(11), ErrorTitle};
    case GlyphEnding::WriteRefused:
        return {fontDataError(12), ErrorTitle};
    case GlyphEnding::ReadIdentifyRefused:
        return {fontDataError(13), ErrorTitle};
    case GlyphEnding::Stopped:
        break;
    }
    return {};
}

MessageText groupSuccessText(GroupSuccess success) {
    switch (success) {
    case GroupSuccess::Read:
        return {QStringLiteral("OK"), Finish};
    case GroupSuccess::ReadForWholeRadio:
        return {QStringLiteral("Success ALL DATA READ"), Finish};
    case GroupSuccess::Written:
        break;
    }
    return {QStringLiteral("Success Group Data Write"), Finish};
}

} // namespace qmh4
