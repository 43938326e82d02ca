#include "app/AboutDlg.h"

#include "res/Artwork.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("バージョン情報 orv"));
    auto* layout = new QGridLayout(this);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("IDC_STATIC_ICON"));
    icon->setPixmap(AppIcon().pixmap(32, 32));
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);

    auto* product = new QLabel(QStringLiteral("Orvalo"), this);
    product->setObjectName(QStringLiteral("IDC_PRODUCT"));
    layout->addWidget(product, 0, 1);
    auto* version = new QLabel(QStringLiteral("orv ver.0.111"), this);
    version->setObjectName(QStringLiteral("IDC_VERSION"));
    layout->addWidget(version, 1, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}
