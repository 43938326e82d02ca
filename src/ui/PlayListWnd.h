#pragma once
// The playlist window: a tool window of the main frame that lists the
// entries, marks the current one and keeps it in view, and lets the user
// play, take out, reorder and drop in entries. It changes nothing itself:
// every edit goes to the frame, and the rows follow the list's own change
// notices.

#include "playlist/PlayList.h"

#include <QWidget>

#include <functional>
#include <vector>

class CDurationProbe;
class CPlayListModel;
class QMimeData;
class QTreeView;

// What the window asks of its owner.
struct CPlayListWndActions {
    // Play the entry at this index.
    std::function<void(int nIndex)> play;
    // Take out these entries.
    std::function<void(std::vector<int> indices)> remove;
    // Move these entries before nBefore; the new index of the first.
    std::function<int(std::vector<int> indices, int nBefore)> move;
    // Files dropped from outside.
    std::function<void(const QMimeData* data)> dropFiles;
    // The user closed the window.
    std::function<void()> closed;
};

class CPlayListWnd : public QWidget {
    Q_OBJECT
public:
    CPlayListWnd(const CPlayList& list, CPlayListWndActions actions, QWidget* pOwner);
    ~CPlayListWnd() override;

    // Called for every change of the list.
    void OnListChanged(PlayListChange change);

    QTreeView& View() { return *m_pView; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void PlayRow(int nRow);
    void RemoveSelected();
    void ShowInFolder(int nRow);
    void ShowContextMenu(const QPoint& pos);
    void ScrollToCurrent();
    // Once the burst of changes is over: the current entry into view, and
    // the lengths nobody has asked for yet.
    void ScheduleRefresh();
    std::vector<int> SelectedRows() const;

    const CPlayList& m_list;
    CPlayListWndActions m_actions;
    CPlayListModel* m_pModel = nullptr;
    QTreeView* m_pView = nullptr;
    CDurationProbe* m_pProbe = nullptr;
    bool m_bRefreshScheduled = false;
};
