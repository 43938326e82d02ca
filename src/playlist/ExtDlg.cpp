#include "playlist/ExtDlg.h"

#include "app/AppSettings.h"
#include "platform/ModalSeam.h"
#include "playlist/MediaFiles.h"
#include "res/StringIds.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace {

const char kExplanation[]
    = "orvは拡張子関連付けを触りません。（もちろん手動で関連付けすることはできます）この設定は拡張子関連付けを行うものではありません。"
      "orvがメディアファイルと認識する拡張子を登録するものです。デフォルトで登録されている拡張子は以下の通りです。"
      "これに追加する拡張子を登録してください。\n";

bool ListHolds(const QListWidget* list, const QString& ext)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().compare(ext, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

template <size_t N>
void StoreList(const QListWidget* list, std::array<QString, N>& exts, int& nCount)
{
    nCount = std::min(list->count(), static_cast<int>(N));
    for (size_t i = 0; i < N; ++i)
        exts[i] = static_cast<int>(i) < nCount ? list->item(static_cast<int>(i))->text() : QString();
}

template <size_t N>
void FillList(QListWidget* list, const std::array<QString, N>& exts, int nCount)
{
    for (int i = 0; i < nCount && i < static_cast<int>(N); ++i)
        list->addItem(exts[static_cast<size_t>(i)]);
}

} // namespace

CExtDlg::CExtDlg(QWidget* parent)
    : QDialog(parent)
    , m_units(font())
{
    setWindowTitle(QStringLiteral("メディア拡張子設定"));

    auto* explanation = new QLabel(QString::fromUtf8(kExplanation) + BuiltInMediaExtList(), this);
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    explanation->setGeometry(DluRect(7, 7, 263, 53));

    m_video = CreateKind(QStringLiteral("ビデオファイル拡張子"), 7, 1005, 1007, 1008, 1009);
    m_audio = CreateKind(QStringLiteral("オーディオファイル拡張子"), 109, 1006, 1011, 1010, 1012);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    ok->setGeometry(DluRect(220, 66, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(DluRect(220, 83, 50, 14));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    const CAppSettings& app = TheAppSettings();
    FillList(m_video.pList, app.m_strVideoExt, app.m_nVideoExtNum);
    FillList(m_audio.pList, app.m_strAudioExt, app.m_nAudioExtNum);

    // With today's formats the built-in list can outgrow the explanation's
    // box: the controls below move down by what the text needs and the
    // dialog grows with them, so no extension is cut off.
    const int nGrowth = std::max(0, explanation->heightForWidth(explanation->width()) - explanation->height());
    explanation->resize(explanation->width(), explanation->height() + nGrowth);
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != explanation)
            child->move(child->x(), child->y() + nGrowth);
    setFixedSize(DluRect(0, 0, 277, 183).size() + QSize(0, nGrowth));
}

QRect CExtDlg::DluRect(int x, int y, int cx, int cy) const
{
    return m_units.Rect(x, y, cx, cy);
}

CExtDlg::Kind CExtDlg::CreateKind(const QString& title, int x, int idList, int idEdit, int idAdd, int idDelete)
{
    auto* group = new QGroupBox(title, this);
    group->setGeometry(DluRect(x, 65, 100, 111));

    Kind kind;
    kind.pList = new QListWidget(this);
    kind.pList->setObjectName(QString::number(idList));
    kind.pList->setGeometry(DluRect(x + 8, 76, 43, 92));
    kind.pList->installEventFilter(this);
    kind.pEdit = new QLineEdit(this);
    kind.pEdit->setObjectName(QString::number(idEdit));
    kind.pEdit->setGeometry(DluRect(x + 54, 76, 40, 14));
    kind.pAdd = new QPushButton(QStringLiteral("追加"), this);
    kind.pAdd->setObjectName(QString::number(idAdd));
    kind.pAdd->setAutoDefault(false);
    kind.pAdd->setGeometry(DluRect(x + 59, 92, 30, 14));
    kind.pDelete = new QPushButton(QStringLiteral("削除"), this);
    kind.pDelete->setObjectName(QString::number(idDelete));
    kind.pDelete->setAutoDefault(false);
    kind.pDelete->setGeometry(DluRect(x + 59, 108, 30, 14));
    kind.pDelete->setEnabled(false);

    // The kinds are members; the lambdas find them by their list box.
    const QListWidget* list = kind.pList;
    connect(kind.pAdd, &QPushButton::clicked, this, [this, list] { OnAdd(list == m_video.pList ? m_video : m_audio); });
    connect(kind.pDelete, &QPushButton::clicked, this,
        [this, list] { OnDelete(list == m_video.pList ? m_video : m_audio); });
    return kind;
}

QString CExtDlg::NormalizeExt(const QString& text)
{
    static const QString kRemoved = QStringLiteral("\\/:*?\"<>|.");
    QString ext;
    for (const QChar c : text)
        if (!kRemoved.contains(c))
            ext += c;
    return ext.isEmpty() ? QString() : QLatin1Char('.') + ext;
}

bool CExtDlg::IsKnown(const QString& ext) const
{
    const QString name = QLatin1Char('x') + ext;
    return IsMediaFile(name) || IsPlayListFile(name) || ListHolds(m_video.pList, ext) || ListHolds(m_audio.pList, ext);
}

void CExtDlg::OnAdd(Kind& kind)
{
    if (kind.pList->count() >= MAX_USER_EXT) {
        AfxMessageBox(IDS_EXT_LIMIT, MB_ICONINFORMATION);
        return;
    }
    const QString ext = NormalizeExt(kind.pEdit->text());
    if (ext.isEmpty())
        return;
    if (IsKnown(ext)) {
        AfxMessageBox(IDS_EXT_REGISTERED, MB_ICONINFORMATION);
        return;
    }
    kind.pList->addItem(ext);
}

void CExtDlg::OnDelete(Kind& kind)
{
    const QList<QListWidgetItem*> selected = kind.pList->selectedItems();
    if (!selected.isEmpty())
        delete selected.first();
    kind.pDelete->setEnabled(false);
}

bool CExtDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        for (Kind* kind : { &m_video, &m_audio })
            if (watched == kind->pList && kind->pList->count() > 0)
                kind->pDelete->setEnabled(true);
    }
    return QDialog::eventFilter(watched, event);
}

void CExtDlg::accept()
{
    CAppSettings& app = TheAppSettings();
    StoreList(m_video.pList, app.m_strVideoExt, app.m_nVideoExtNum);
    StoreList(m_audio.pList, app.m_strAudioExt, app.m_nAudioExtNum);
    QDialog::accept();
}
