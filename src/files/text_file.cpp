#include "files/text_file.h"

#include "text/cp932.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

namespace qmh4 {

QList<QByteArray> splitLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool ended = end >= 0;
        if (!ended) {
            end = bytes.size();
        }
        qsizetype length = end - start;
        if (ended && length > 0 && bytes.at(end - 1) == '\r') {
            --length;
        }
        lines.append(bytes.mid(start, length));
        start = end + 1;
    }
    return lines;
}

std::optional<QString> decodeLine(const QByteArray& line) {
    // ASCII lines (every key and number of the files) need no converter.
    if (std::all_of(line.begin(), line.end(), [](char c) { return c >= 0; })) {
        return QString::fromLatin1(line);
    }
    QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
    QString text = decoder.decode(line);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

QByteArray encodeLines(const QStringList& lines) {
    QByteArray bytes;
    bytes.reserve(lines.size() * 48);
    for (const QString& line : lines) {
        if (auto encoded = cp932::encode(line)) {
            bytes.append(*encoded);
        } else {
            for (const char32_t ch : line.toUcs4()) {
                const auto one = cp932::encode(QString::fromUcs4(&ch, 1));
                bytes.append(one ? *one : QByteArray("?"));
            }
        }
        bytes.append("\r\n");
    }
    return bytes;
}

std::optional<QByteArray> readTextFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = file.errorString();
        }
        return std::nullopt;
    }
    if (file.size() > MaxTextFileSize) {
        if (error) {
            *error = QStringLiteral("file too large");
        }
        return std::nullopt;
    }
    QByteArray bytes = file.read(MaxTextFileSize + 1);
    if (bytes.size() > MaxTextFileSize || file.error() != QFileDevice::NoError) {
        if (error) {
            *error = bytes.size() > MaxTextFileSize ? QStringLiteral("file too large")
                                                    : file.errorString();
        }
        return std::nullopt;
    }
    return bytes;
}

bool writeTextFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    return true;
}

bool pathEndsWith(const QString& path, const QString& suffix) {
    return path.right(suffix.size()).toUpper() == suffix;
}

QString numberList(const QList<int>& numbers, int limit) {
    QStringList parts;
    for (qsizetype i = 0; i < numbers.size() && i < limit; ++i) {
        parts.append(QString::number(numbers.at(i)));
    }
    QString text = parts.join(QStringLiteral(", "));
    if (numbers.size() > limit) {
        text += QStringLiteral(" … (%1 in all)").arg(numbers.size());
    }
    return text;
}

} // namespace qmh4
