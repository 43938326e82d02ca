#include "ui/PlayListModel.h"

#include "ui/InfoArea.h"

#include <QColor>
#include <QDataStream>
#include <QFileInfo>
#include <QFont>
#include <QIODevice>
#include <QMimeData>

#include <algorithm>

namespace {

// The drawn buttons' cyan marks the entry that plays.
const QColor kCurrentColor(0, 255, 255);
const QColor kTextColor(192, 192, 192);

QByteArray EncodeRows(const std::vector<int>& rows)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << static_cast<qint32>(rows.size());
    for (const int nRow : rows)
        out << static_cast<qint32>(nRow);
    return bytes;
}

// Rows of a drag; empty when the data is not a well-formed list of rows.
std::vector<int> DecodeRows(const QByteArray& bytes)
{
    QDataStream in(bytes);
    qint32 nCount = 0;
    in >> nCount;
    if (in.status() != QDataStream::Ok || nCount < 0 || nCount > PLAYLIST_MAX)
        return {};
    std::vector<int> rows;
    for (qint32 i = 0; i < nCount; ++i) {
        qint32 nRow = -1;
        in >> nRow;
        if (in.status() != QDataStream::Ok)
            return {};
        rows.push_back(nRow);
    }
    return rows;
}

} // namespace

CPlayListModel::CPlayListModel(const CPlayList& list, QObject* parent)
    : QAbstractTableModel(parent)
    , m_list(list)
    , m_nShownCurrent(list.m_nCurrent)
{
}

void CPlayListModel::OnListChanged(PlayListChange change)
{
    if (change == PlayListChange::Entries) {
        beginResetModel();
        m_nShownCurrent = m_list.m_nCurrent;
        endResetModel();
        return;
    }
    const int nOld = m_nShownCurrent;
    m_nShownCurrent = m_list.m_nCurrent;
    if (nOld != m_nShownCurrent) {
        RefreshRow(nOld);
        RefreshRow(m_nShownCurrent);
    }
}

void CPlayListModel::RefreshRow(int nRow)
{
    if (nRow >= 0 && nRow < rowCount())
        Q_EMIT dataChanged(index(nRow, 0), index(nRow, ColCount - 1));
}

void CPlayListModel::SetDuration(const QString& path, LONGLONG llDuration)
{
    m_durations.insert(path, llDuration);
    // A path may stand in the list more than once.
    for (int i = 0; i < m_list.GetCount(); ++i)
        if (m_list.GetAt(i) == path)
            Q_EMIT dataChanged(index(i, ColDuration), index(i, ColDuration));
}

QStringList CPlayListModel::TakeUnprobed()
{
    QStringList paths;
    for (int i = 0; i < m_list.GetCount(); ++i) {
        const QString path = m_list.GetAt(i);
        if (!m_durations.contains(path)) {
            m_durations.insert(path, -1);
            paths << path;
        }
    }
    return paths;
}

int CPlayListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list.GetCount();
}

int CPlayListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColCount;
}

QVariant CPlayListModel::data(const QModelIndex& index, int role) const
{
    const int nRow = index.row();
    if (!index.isValid() || nRow >= m_list.GetCount())
        return {};
    const QString path = m_list.GetAt(nRow);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ColPosition:
            return nRow + 1;
        case ColName:
            return QFileInfo(path).fileName();
        case ColDuration: {
            const LONGLONG llDuration = m_durations.value(path, -1);
            return llDuration < 0 ? QString() : FormatHms(llDuration);
        }
        default:
            return {};
        }
    case Qt::ToolTipRole:
        return path;
    case Qt::TextAlignmentRole:
        return index.column() == ColName ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                         : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        return nRow == m_nShownCurrent ? kCurrentColor : kTextColor;
    case Qt::FontRole: {
        // Bold as well, so the mark shows on a selected row too.
        if (nRow != m_nShownCurrent)
            return {};
        QFont font = InfoFont();
        font.setBold(true);
        return font;
    }
    default:
        return {};
    }
}

QVariant CPlayListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ColPosition:
        return QStringLiteral("No.");
    case ColName:
        return QStringLiteral("ファイル名");
    case ColDuration:
        return QStringLiteral("時間");
    default:
        return {};
    }
}

Qt::ItemFlags CPlayListModel::flags(const QModelIndex& index) const
{
    // Drops land between rows, never on one.
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
}

Qt::DropActions CPlayListModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions CPlayListModel::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction | Qt::LinkAction;
}

QStringList CPlayListModel::mimeTypes() const
{
    return { QString::fromLatin1(kRowsMimeType), QStringLiteral("text/uri-list") };
}

QMimeData* CPlayListModel::mimeData(const QModelIndexList& indexes) const
{
    std::vector<int> rows;
    for (const QModelIndex& index : indexes)
        if (index.isValid() && index.column() == ColPosition)
            rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kRowsMimeType), EncodeRows(rows));
    return data;
}

bool CPlayListModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int, const QModelIndex&) const
{
    return data && (data->hasFormat(QString::fromLatin1(kRowsMimeType)) || data->hasUrls());
}

bool CPlayListModel::dropMimeData(const QMimeData* data, Qt::DropAction, int row, int, const QModelIndex& parent)
{
    if (!data)
        return false;
    if (data->hasFormat(QString::fromLatin1(kRowsMimeType))) {
        const std::vector<int> rows = DecodeRows(data->data(QString::fromLatin1(kRowsMimeType)));
        int nBefore = row;
        if (nBefore < 0)
            nBefore = parent.isValid() ? parent.row() : rowCount();
        if (rows.empty() || !onMove)
            return false;
        const int nFirst = onMove(rows, nBefore);
        if (nFirst >= 0)
            Q_EMIT RowsMovedTo(nFirst, static_cast<int>(rows.size()));
        // The rows were moved here; the view must not take them out again.
        return false;
    }
    if (data->hasUrls() && onDropFiles) {
        onDropFiles(data);
        return true;
    }
    return false;
}
