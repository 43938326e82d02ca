#include "ui/PlayListWnd.h"

#include "playlist/DurationProbe.h"
#include "ui/InfoArea.h"
#include "ui/PlayListModel.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("プレイリスト");
const QString kPlayItem = QStringLiteral("再生(&P)");
const QString kRemoveItem = QStringLiteral("削除(&D)");
const QString kShowInFolderItem = QStringLiteral("フォルダを開く(&F)");

// The look of the main window's control area: black, grey grid, cyan marks.
const QString kStyle = QStringLiteral(
    "QTreeView { background: black; color: #c0c0c0; border: 1px solid #808080; "
    "  selection-background-color: #006060; selection-color: white; }"
    "QHeaderView::section { background: black; color: #c0c0c0; border: 0px; "
    "  border-right: 1px solid #808080; border-bottom: 1px solid #808080; padding: 1px 3px; }");

// Enter and Delete act on the rows, the rest is the tree view's.
class CPlayListView : public QTreeView {
public:
    std::function<void()> onEnter;
    std::function<void()> onDelete;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            switch (event->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                onEnter();
                return;
            case Qt::Key_Delete:
                onDelete();
                return;
            default:
                break;
            }
        }
        QTreeView::keyPressEvent(event);
    }
};

} // namespace

CPlayListWnd::CPlayListWnd(const CPlayList& list, CPlayListWndActions actions, QWidget* pOwner)
    : QWidget(pOwner, Qt::Tool)
    , m_list(list)
    , m_actions(std::move(actions))
    , m_pModel(new CPlayListModel(list, this))
    , m_pProbe(new CDurationProbe(this))
{
    setObjectName(QStringLiteral("PlayListWnd"));
    setWindowTitle(kTitle);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* pView = new CPlayListView;
    m_pView = pView;
    pView->setObjectName(QStringLiteral("PlayListView"));
    pView->setFont(InfoFont());
    pView->header()->setFont(InfoFont());
    pView->setStyleSheet(kStyle);
    pView->setRootIsDecorated(false);
    pView->setUniformRowHeights(true);
    pView->setAllColumnsShowFocus(true);
    pView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    pView->setSelectionBehavior(QAbstractItemView::SelectRows);
    pView->setDragDropMode(QAbstractItemView::DragDrop);
    pView->setDefaultDropAction(Qt::MoveAction);
    pView->setDragDropOverwriteMode(false);
    pView->setDropIndicatorShown(true);
    pView->setContextMenuPolicy(Qt::CustomContextMenu);
    pView->setModel(m_pModel);
    pView->header()->setStretchLastSection(false);
    pView->header()->setSectionResizeMode(CPlayListModel::ColPosition, QHeaderView::ResizeToContents);
    pView->header()->setSectionResizeMode(CPlayListModel::ColName, QHeaderView::Stretch);
    pView->header()->setSectionResizeMode(CPlayListModel::ColDuration, QHeaderView::ResizeToContents);
    pView->onEnter = [this] { PlayRow(m_pView->currentIndex().row()); };
    pView->onDelete = [this] { RemoveSelected(); };

    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(pView);
    resize(320, 360);

    connect(pView, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) { PlayRow(index.row()); });
    connect(pView, &QWidget::customContextMenuRequested, this, &CPlayListWnd::ShowContextMenu);
    connect(m_pProbe, &CDurationProbe::Found, m_pModel, &CPlayListModel::SetDuration);
    connect(m_pModel, &CPlayListModel::RowsMovedTo, this, [this](int nFirst, int nCount) {
        // The moved rows stay selected at their new place.
        const QItemSelection moved(m_pModel->index(nFirst, 0),
            m_pModel->index(std::min(nFirst + nCount, m_pModel->rowCount()) - 1, CPlayListModel::ColCount - 1));
        m_pView->selectionModel()->select(moved, QItemSelectionModel::ClearAndSelect);
        m_pView->selectionModel()->setCurrentIndex(m_pModel->index(nFirst, 0), QItemSelectionModel::NoUpdate);
    });
    m_pModel->onMove = [this](std::vector<int> rows, int nBefore) {
        return m_actions.move ? m_actions.move(std::move(rows), nBefore) : -1;
    };
    m_pModel->onDropFiles = [this](const QMimeData* data) {
        if (m_actions.dropFiles)
            m_actions.dropFiles(data);
    };
}

CPlayListWnd::~CPlayListWnd() = default;

void CPlayListWnd::OnListChanged(PlayListChange change)
{
    m_pModel->OnListChanged(change);
    if (change == PlayListChange::Current)
        ScrollToCurrent();
    else
        ScheduleRefresh();
}

void CPlayListWnd::ScrollToCurrent()
{
    if (m_list.m_nCurrent >= 0 && m_list.m_nCurrent < m_list.GetCount())
        m_pView->scrollTo(m_pModel->index(m_list.m_nCurrent, 0));
}

void CPlayListWnd::ScheduleRefresh()
{
    if (m_bRefreshScheduled)
        return;
    m_bRefreshScheduled = true;
    // A folder comes in one entry at a time: one scroll and one request for
    // lengths cover them all.
    QTimer::singleShot(0, this, [this] {
        m_bRefreshScheduled = false;
        ScrollToCurrent();
        if (isVisible())
            m_pProbe->Request(m_pModel->TakeUnprobed());
    });
}

void CPlayListWnd::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ScheduleRefresh();
}

void CPlayListWnd::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (m_actions.closed)
        m_actions.closed();
}

std::vector<int> CPlayListWnd::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : m_pView->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CPlayListWnd::PlayRow(int nRow)
{
    if (nRow >= 0 && nRow < m_list.GetCount() && m_actions.play)
        m_actions.play(nRow);
}

void CPlayListWnd::RemoveSelected()
{
    std::vector<int> rows = SelectedRows();
    if (rows.empty() || !m_actions.remove)
        return;
    const int nFirst = rows.front();
    m_actions.remove(std::move(rows));
    // The row that took the first removed one's place is the next to go.
    const int nCount = m_pModel->rowCount();
    if (nCount > 0) {
        const QModelIndex next = m_pModel->index(std::min(nFirst, nCount - 1), 0);
        m_pView->selectionModel()->setCurrentIndex(
            next, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}

void CPlayListWnd::ShowInFolder(int nRow)
{
    const QString path = m_list.GetAt(nRow);
    if (!path.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

void CPlayListWnd::ShowContextMenu(const QPoint& pos)
{
    const QModelIndex index = m_pView->indexAt(pos);
    if (!index.isValid())
        return;
    const int nRow = index.row();
    if (!m_pView->selectionModel()->isRowSelected(nRow, QModelIndex()))
        m_pView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QMenu menu(this);
    QAction* pPlay = menu.addAction(kPlayItem);
    QAction* pRemove = menu.addAction(kRemoveItem);
    menu.addSeparator();
    QAction* pShow = menu.addAction(kShowInFolderItem);
    QAction* pChosen = menu.exec(m_pView->viewport()->mapToGlobal(pos));
    if (pChosen == pPlay)
        PlayRow(nRow);
    else if (pChosen == pRemove)
        RemoveSelected();
    else if (pChosen == pShow)
        ShowInFolder(nRow);
}
