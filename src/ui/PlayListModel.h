#pragma once
// The playlist as rows for the playlist window: position, file name and
// length, with the current entry marked. It reads the list itself, so it
// only has to be told when the list changed. Rows dragged within the view
// travel as their indices; files dragged in from outside as URLs.

#include "platform/WinTypes.h"
#include "playlist/PlayList.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

#include <functional>
#include <vector>

class CPlayListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ColPosition,
        ColName,
        ColDuration,
        ColCount,
    };
    // Type of a drag of rows within the window.
    static constexpr const char* kRowsMimeType = "application/x-orv-playlist-rows";

    explicit CPlayListModel(const CPlayList& list, QObject* parent = nullptr);

    // The list changed; rows follow at once.
    void OnListChanged(PlayListChange change);
    // Lengths found in the background: 100-ns units, -1 unknown.
    void SetDuration(const QString& path, LONGLONG llDuration);
    // Entries whose length nobody has asked for yet; they count as asked.
    QStringList TakeUnprobed();

    // What a drop asks for. onMove gives the new index of the first moved
    // row (-1: nothing moved).
    std::function<int(std::vector<int> rows, int nBefore)> onMove;
    // Files from outside, handled as a drop on the main window.
    std::function<void(const QMimeData* data)> onDropFiles;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
        const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
        const QModelIndex& parent) override;

Q_SIGNALS:
    // Rows a drop moved, at their new place.
    void RowsMovedTo(int nFirst, int nCount);

private:
    // Repaints one row; nothing for an index outside the list.
    void RefreshRow(int nRow);

    const CPlayList& m_list;
    // The current index the rows show.
    int m_nShownCurrent = -1;
    // Lengths by path; -1 for asked but unknown.
    QHash<QString, LONGLONG> m_durations;
};
