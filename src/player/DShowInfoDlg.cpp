#include "player/DShowInfoDlg.h"

#include "player/InfoField.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CDShowInfoDlg::CDShowInfoDlg(const DShowInfoTexts& texts, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("DirectShowフィルタ情報"));
    auto* layout = new QVBoxLayout(this);

    auto* source = new QGroupBox(QStringLiteral("ソース"), this);
    auto* sourceLayout = new QVBoxLayout(source);
    sourceLayout->addWidget(MakeInfoLine(source, 1013, texts.strSource));
    layout->addWidget(source);

    auto* filters = new QGroupBox(QStringLiteral("DirectShowフィルタ"), this);
    auto* filtersLayout = new QVBoxLayout(filters);
    QPlainTextEdit* filterBox = MakeInfoBox(filters, 1014, texts.strFilters);
    // Room for the usual graph without scrolling.
    const QFontMetrics fm = filterBox->fontMetrics();
    filterBox->setMinimumSize(fm.averageCharWidth() * 56, fm.lineSpacing() * 9);
    filtersLayout->addWidget(filterBox);
    layout->addWidget(filters, 1);

    auto* deinterlace = new QGroupBox(QStringLiteral("デインターレース"), this);
    auto* deinterlaceLayout = new QVBoxLayout(deinterlace);
    deinterlaceLayout->addWidget(new QLabel(QStringLiteral("デコーダがVMR9に通知しているインターレースモード"), deinterlace));
    deinterlaceLayout->addWidget(MakeInfoLine(deinterlace, 1026, texts.strInterlaceMode));
    deinterlaceLayout->addWidget(new QLabel(QStringLiteral("VMR9のデインターレース状態"), deinterlace));
    deinterlaceLayout->addWidget(MakeInfoLine(deinterlace, 1027, texts.strDeinterlaceState));
    layout->addWidget(deinterlace);

    layout->addWidget(MakeInfoOk(this));
}
