#include "filters/BLDlg.h"

#include "filters/FilterCategories.h"
#include "platform/DialogUnits.h"
#include "platform/ModalSeam.h"
#include "player/graph/MediaGraph.h"
#include "res/StringIds.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace {

template <typename T>
T* Placed(T* control, int nID, const QRect& rc)
{
    control->setObjectName(QString::number(nID));
    control->setGeometry(rc);
    return control;
}

// Enter in the dialog means OK, never one of these.
QPushButton* AddButton(QWidget* parent, int nID, const QString& text, const QRect& rc)
{
    auto* button = Placed(new QPushButton(text, parent), nID, rc);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CBLDlg::CBLDlg(const FilterNameList& list, Mode mode, QWidget* parent)
    : CBLDlg(list, mode, DefaultGraphFactory(), parent)
{
}

CBLDlg::CBLDlg(const FilterNameList& list, Mode mode, IMediaGraphFactory& factory, QWidget* parent)
    : QDialog(parent)
    , m_list(list)
    , m_factory(factory)
{
    setWindowTitle(mode == Mode::FirstUse ? QStringLiteral("優先的に使用するフィルタの登録")
                                          : QStringLiteral("ブラックリストフィルタの登録"));
    const CDialogUnits dlu(font());

    auto* label = new QLabel(QStringLiteral("DirectShowフィルタの選択"), this);
    label->setGeometry(dlu.Rect(7, 7, 140, 8));
    m_pCategory = Placed(new QComboBox(this), 1030, dlu.Rect(7, 17, 140, 14));
    for (int i = 0; i < FILTER_CATEGORY_COUNT; ++i)
        m_pCategory->addItem(QString::fromUtf8(GetFilterCategory(i).pszName));
    m_pCategory->setCurrentIndex(-1);
    m_pFilters = Placed(new QListWidget(this), 1014, dlu.Rect(7, 34, 140, 141));
    m_pRegister = AddButton(this, 1031, QStringLiteral("登録"), dlu.Rect(153, 90, 40, 14));

    m_pRegistered = Placed(new QListWidget(this), 1028, dlu.Rect(199, 7, 106, 130));
    m_pDelete = AddButton(this, 1032, QStringLiteral("削除"), dlu.Rect(199, 142, 50, 14));
    m_pClearAll = AddButton(this, 1033, QStringLiteral("全クリア"), dlu.Rect(255, 142, 50, 14));

    auto* ok = Placed(new QPushButton(QStringLiteral("OK"), this), 1, dlu.Rect(199, 161, 50, 14));
    ok->setDefault(true);
    QPushButton* cancel = AddButton(this, 2, QStringLiteral("キャンセル"), dlu.Rect(255, 161, 50, 14));
    setFixedSize(dlu.Rect(0, 0, 312, 182).size());

    for (int i = 0; i < m_list.GetCount(); ++i)
        m_pRegistered->addItem(m_list.GetAt(i));
    m_pRegister->setEnabled(false);
    m_pDelete->setEnabled(false);
    m_pClearAll->setEnabled(m_list.GetCount() > 0);

    // Every choice searches again, the same category too.
    connect(m_pCategory, &QComboBox::activated, this, &CBLDlg::OnCategoryChosen);
    connect(m_pFilters, &QListWidget::itemSelectionChanged, this,
        [this] { m_pRegister->setEnabled(!m_pFilters->selectedItems().isEmpty()); });
    connect(m_pRegistered, &QListWidget::itemSelectionChanged, this,
        [this] { m_pDelete->setEnabled(!m_pRegistered->selectedItems().isEmpty()); });
    connect(m_pRegister, &QPushButton::clicked, this, &CBLDlg::OnRegister);
    connect(m_pDelete, &QPushButton::clicked, this, &CBLDlg::OnDelete);
    connect(m_pClearAll, &QPushButton::clicked, this, &CBLDlg::OnClearAll);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CBLDlg::OnCategoryChosen(int nCategory)
{
    m_pRegister->setEnabled(false);
    m_pFilters->clear();
    if (nCategory < 0 || nCategory >= FILTER_CATEGORY_COUNT)
        return;
    QStringList names;
    if (const int nMessage = FindCategoryFilters(m_factory, nCategory, &names)) {
        AfxMessageBox(nMessage, MB_ICONERROR);
        return;
    }
    // Alphabetical as a sorted list box has it; the same name twice stays
    // twice, in the order it came.
    std::stable_sort(names.begin(), names.end(),
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    m_pFilters->addItems(names);
}

void CBLDlg::OnRegister()
{
    const QList<QListWidgetItem*> selected = m_pFilters->selectedItems();
    if (selected.isEmpty())
        return;
    const QString strName = selected.first()->text();
    if (m_list.Contains(strName))
        return;
    if (m_list.IsFull()) {
        AfxMessageBox(IDS_LIST_LIMIT, MB_ICONINFORMATION);
        return;
    }
    m_list.Add(strName);
    m_pRegistered->addItem(strName);
    m_pClearAll->setEnabled(true);
}

void CBLDlg::OnDelete()
{
    const QList<QListWidgetItem*> selected = m_pRegistered->selectedItems();
    if (selected.isEmpty())
        return;
    const int nRow = m_pRegistered->row(selected.first());
    m_list.Remove(nRow);
    delete m_pRegistered->takeItem(nRow);
    // Nothing stays selected, so nothing more can be deleted until the user picks again.
    m_pRegistered->clearSelection();
    m_pDelete->setEnabled(false);
    m_pClearAll->setEnabled(m_list.GetCount() > 0);
}

void CBLDlg::OnClearAll()
{
    m_list.Clear();
    m_pRegistered->clear();
    m_pDelete->setEnabled(false);
    m_pClearAll->setEnabled(false);
}
