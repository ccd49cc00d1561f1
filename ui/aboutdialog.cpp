#include "aboutdialog.h"

#include "dialogcontrols.h"
#include "dialogunits.h"
#include "dunmerrow_version.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

constexpr int ID_VERSION = 1024;
constexpr int ID_OK = 1;

const char* const NOTICES[] = {
    DUNMERROW_COPYRIGHT,
    "Licensed under the GNU GPL, version 3 or later",
    "Measures how long batteries keep GPS receivers running",
};

QLabel* addLine(QWidget* parent, const DialogUnits& du, const QString& text, const QRect& rect)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(du.rect(rect.x(), rect.y(), rect.width(), rect.height()));
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("About Dunmerrow"));
    setFont(DialogUnits::dialogFont());
    const DialogUnits du(font());

    // The emblem keeps its own size in pixels, whatever the font.
    auto* emblem = new QLabel(this);
    emblem->setObjectName(QStringLiteral("emblem"));
    const QPixmap picture(QStringLiteral(":/images/emblem.png"));
    emblem->setPixmap(picture);
    emblem->setGeometry(QRect(du.rect(10, 10, 48, 44).topLeft(),
                              picture.isNull() ? du.size(48, 44) : picture.size()));

    QLabel* version =
        addLine(this, du, QStringLiteral(DUNMERROW_ABOUT_VERSION_LINE), QRect(67, 4, 145, 8));
    version->setObjectName(DialogControls::objectName(ID_VERSION));

    // The notices run on under the OK button, so they may be wider than the
    // version line beside it.
    int y = 22;
    for (const char* notice : NOTICES) {
        addLine(this, du, QString::fromLatin1(notice), QRect(67, y, 210, 8));
        y += 12;
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(DialogControls::objectName(ID_OK));
    ok->setGeometry(du.rect(227, 4, 50, 14));
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(du.size(284, 66));
}
