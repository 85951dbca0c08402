#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream(stderr) << "usage: qmh4 read|write|export-csv|import-csv|sim|ports ...\n";
    return 2;
}
