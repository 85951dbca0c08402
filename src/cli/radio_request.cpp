#include "cli/radio_request.h"

#include "cli/arguments.h"
#include "files/text_file.h"
#include "font/font_file.h"
#include "ports/default_port.h"

#include <QDir>
#include <QFileInfo>

namespace qmh4::cli {

namespace {

QString areaList() {
    QStringList names;
    for (DataArea area : AllDataAreas)
        names << dataAreaName(area);
    return names.join(u',');
}

// What the window's whole-radio command moves. Its write sends the glyph blocks only from a
// font file: the data file holds no glyphs, and blank ones would erase the radio's own.
DataAreas wholeRadioAreas(const QString& command, bool withFont) {
    DataAreas areas = DataAreas::all();
    if (command != QLatin1String("read") && !withFont)
        areas.remove(DataArea::Glyphs);
    return areas;
}

// The areas of an --only list in their listed order; nullopt (after saying why) for a name
// that is no area or a list without any.
std::optional<DataAreas> onlyAreas(const QString& command, const QString& list) {
    QStringList names = list.split(u',', Qt::SkipEmptyParts);
    for (QString& name : names)
        name = name.trimmed();
    DataAreas chosen = DataAreas::none();
    for (DataArea area : AllDataAreas) {
        if (names.removeAll(dataAreaName(area)) > 0)
            chosen.add(area);
    }
    if (!names.isEmpty()) {
        tell(command,
             QStringLiteral("unknown area \"%1\" (areas: %2)").arg(names.first(), areaList()));
        return std::nullopt;
    }
    if (chosen.empty()) {
        tell(command, QStringLiteral("--only names no area (areas: %1)").arg(areaList()));
        return std::nullopt;
    }
    return chosen;
}

// The glyphs travel only with a font file, and a font file only with the glyphs.
bool fontMatchesAreas(const RadioRequest& request) {
    if (request.fontPath.isEmpty() && request.has(DataArea::Glyphs) && !request.whole) {
        tell(request.command, QStringLiteral("the glyphs need --font"));
        return false;
    }
    if (!request.fontPath.isEmpty() && !request.has(DataArea::Glyphs)) {
        tell(request.command, QStringLiteral("--font needs the glyphs among the areas"));
        return false;
    }
    return true;
}

bool writableFolder(const QString& command, const QString& path) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (folder.isDir() && folder.isWritable())
        return true;
    tell(command, QStringLiteral("cannot write into %1")
                      .arg(QDir::toNativeSeparators(folder.absoluteFilePath())));
    return false;
}

// A read ends by saving its files: refuse names and folders that could not take them before
// the radio is touched, so a long transfer is never lost at the end.
bool outputsUsable(const RadioRequest& request) {
    if (!pathEndsWith(request.dataPath, QStringLiteral(".H4"))) {
        tell(request.command, QStringLiteral("the data file's name must end in .H4"));
        return false;
    }
    if (!request.fontPath.isEmpty() && !hasFontFileExtension(request.fontPath)) {
        tell(request.command, QStringLiteral("the font file's name must end in .FH4"));
        return false;
    }
    return writableFolder(request.command, request.dataPath) &&
           (request.fontPath.isEmpty() || writableFolder(request.command, request.fontPath));
}

} // namespace

std::optional<RadioRequest> parseRadioRequest(const QString& command,
                                              const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("Device path, port name or \"sim\"."),
         QStringLiteral("P")},
        {QStringLiteral("only"), QStringLiteral("Comma list of: ") + areaList(),
         QStringLiteral("AREAS")},
        {QStringLiteral("font"), QStringLiteral("Font file of the user glyphs."),
         QStringLiteral("FILE")},
        {QStringLiteral("verbose"),
         QStringLiteral("Show every exchange with the radio on stderr: command, reply, time.")},
    });
    const QCommandLineOption noBackup(QStringLiteral("no-backup"),
                                      QStringLiteral("Keep no copy in the backup folder."));
    const QCommandLineOption verify(QStringLiteral("verify"),
                                    QStringLiteral("Read everything back and compare (exit 3 when "
                                                   "the radio holds something else)."));
    if (command != QLatin1String("verify"))
        parser.addOption(noBackup);
    if (command == QLatin1String("write"))
        parser.addOption(verify);
    if (!parseArguments(parser, command, arguments, 1))
        return std::nullopt;

    RadioRequest request;
    request.command = command;
    request.dataPath = parser.positionalArguments().first();
    request.fontPath = parser.value(QStringLiteral("font"));
    const DataAreas whole = wholeRadioAreas(command, !request.fontPath.isEmpty());
    request.areas = whole;
    if (parser.isSet(QStringLiteral("only"))) {
        const auto chosen = onlyAreas(command, parser.value(QStringLiteral("only")));
        if (!chosen)
            return std::nullopt;
        request.areas = *chosen;
    }
    request.whole = request.areas == whole;
    if (!fontMatchesAreas(request))
        return std::nullopt;
    if (command == QLatin1String("read") && !outputsUsable(request))
        return std::nullopt;
    request.verbose = parser.isSet(QStringLiteral("verbose"));
    request.backup = command != QLatin1String("verify") && !parser.isSet(noBackup);
    request.verify = command == QLatin1String("write") && parser.isSet(verify);
    request.port = parser.value(QStringLiteral("port"));
    if (request.port.isEmpty())
        request.port = defaultPort();
    return request;
}

} // namespace qmh4::cli
