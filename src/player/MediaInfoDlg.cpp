#include "player/MediaInfoDlg.h"

#include "player/InfoField.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

struct Field {
    const char* pszLabel;
    int nID;
    const QString& text;
};

QFormLayout* AddFields(QWidget* parent, std::initializer_list<Field> fields)
{
    auto* form = new QFormLayout(parent);
    for (const Field& field : fields)
        form->addRow(QString::fromUtf8(field.pszLabel), MakeInfoLine(parent, field.nID, field.text));
    return form;
}

} // namespace

CMediaInfoDlg::CMediaInfoDlg(const MediaInfoTexts& texts, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("メディア情報"));
    auto* layout = new QVBoxLayout(this);

    auto* properties = new QWidget(this);
    AddFields(properties,
        { { "アーティスト名", 1018, texts.strAuthor }, { "タイトル", 1019, texts.strTitle },
            { "評価", 1020, texts.strRating }, { "詳細", 1021, texts.strDescription },
            { "著作権", 1022, texts.strCopyright } })
        ->setContentsMargins(0, 0, 0, 0);
    properties->setMinimumWidth(properties->fontMetrics().averageCharWidth() * 60);
    layout->addWidget(properties);

    auto* formats = new QHBoxLayout;
    auto* video = new QGroupBox(QStringLiteral("ビデオ情報"), this);
    AddFields(video,
        { { "オリジナルサイズ", 1023, texts.strNativeSize }, { "表示サイズ", 1024, texts.strDisplaySize },
            { "fps", 1028, texts.strFrameRate } });
    formats->addWidget(video);
    auto* audio = new QGroupBox(QStringLiteral("オーディオ情報"), this);
    AddFields(audio,
        { { "周波数", 1025, texts.strSampleRate }, { "ビット数", 1026, texts.strBitsPerSample },
            { "S/M", 1027, texts.strChannels } });
    formats->addWidget(audio);
    layout->addLayout(formats);

    layout->addWidget(MakeInfoOk(this));
}
