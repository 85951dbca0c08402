#include "app/about_dialog.h"

#include "app/app_identity.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qmh4 {

namespace {

// 15 twips to a pixel at the classic 96 dots per inch.
constexpr int TwipsPerPixel = 15;
constexpr int LeftOffsetTwips = 1000;
constexpr int TopOffsetTwips = 2000;

QLabel* addLabel(QVBoxLayout* layout, const char* text, const char* name, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    layout->addWidget(label);
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent), Command1(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Version"));
    setModal(true);

    auto* texts = new QVBoxLayout;
    addLabel(texts, ProductTitle, "Label1", this);
    addLabel(texts, VersionText, "Label2", this);
    addLabel(texts, ReleaseDate, "Label3", this);
    // This program's own version, the one `qmh4 --version` and the package carry.
    addLabel(texts, "QMH4Writer " QMH4_VERSION, "BuildVersion", this);

    auto* top = new QHBoxLayout;
    top->addWidget(makeRadioPicture(this));
    top->addLayout(texts);

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Command1, 0, Qt::AlignRight);
}

QPoint AboutDialog::placementFor(const QWidget* mainWindow) {
    return mainWindow->pos() +
           QPoint(LeftOffsetTwips / TwipsPerPixel, TopOffsetTwips / TwipsPerPixel);
}

} // namespace qmh4
