// Taking entries out of the list and reordering it: the current entry, the
// modified flag and the random picks must keep pointing at the same files,
// and no copy of the list tells the watcher of its changes.

#include "playlist/PlayList.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <vector>

namespace {

QString Entry(int i) { return QStringLiteral("/music/%1.mp3").arg(i); }

// A saved (unmodified) list of n entries.
void Fill(CPlayList& list, int n)
{
    for (int i = 0; i < n; ++i)
        list.Add(Entry(i));
    list.m_bModified = FALSE;
}

QStringList Entries(const CPlayList& list)
{
    QStringList out;
    for (int i = 0; i < list.GetCount(); ++i)
        out << list.GetAt(i);
    return out;
}

QStringList Picks(const CPlayList& list)
{
    QStringList out;
    for (const int n : list.RandomHistory())
        out << list.GetAt(n);
    return out;
}

TEST(PlayListRemove, TheCurrentEntryStaysCurrentAndTheListCountsAsModified)
{
    CPlayList list;
    Fill(list, 6);
    list.SetCurrent(3);
    EXPECT_EQ(list.Remove({ 5, 0, 1, 0, 99, -1 }), 3) << "repeats and indices outside the list are ignored";
    EXPECT_EQ(Entries(list), (QStringList { Entry(2), Entry(3), Entry(4) }));
    EXPECT_EQ(list.GetAt(list.m_nCurrent), Entry(3));
    EXPECT_TRUE(list.m_bModified);

    list.m_bModified = FALSE;
    EXPECT_EQ(list.Remove({ 7 }), 0);
    EXPECT_FALSE(list.m_bModified) << "nothing taken out, nothing changed";

    // A removed entry can be added again: nothing of it is left behind.
    EXPECT_TRUE(list.Add(Entry(0)));
}

TEST(PlayListRemove, TakingOutTheCurrentEntryMakesTheNextOneCurrent)
{
    CPlayList list;
    Fill(list, 4);
    list.SetCurrent(1);
    list.Remove({ 1, 2 });
    EXPECT_EQ(list.GetAt(list.m_nCurrent), Entry(3));

    list.Remove({ 1 });
    EXPECT_EQ(list.GetAt(list.m_nCurrent), Entry(0)) << "the last entry went: the one before it";

    list.Remove({ 0 });
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.m_nCurrent, -1) << "an empty list has no current entry";

    CPlayList unstarted;
    Fill(unstarted, 3);
    unstarted.Remove({ 0 });
    EXPECT_EQ(unstarted.m_nCurrent, -1) << "a list nobody started stays unstarted";
}

TEST(PlayListMove, EntriesMoveAsABlockAndTheCurrentOneStaysCurrent)
{
    CPlayList list;
    Fill(list, 5);
    list.SetCurrent(3);

    // Down: 0 and 2 go before 4.
    EXPECT_EQ(list.Move({ 2, 0 }, 4), 2);
    EXPECT_EQ(Entries(list), (QStringList { Entry(1), Entry(3), Entry(0), Entry(2), Entry(4) }));
    EXPECT_EQ(list.GetAt(list.m_nCurrent), Entry(3));
    EXPECT_TRUE(list.m_bModified);

    // Up, the current entry among them; and to the very end.
    EXPECT_EQ(list.Move({ 1, 4 }, 0), 0);
    EXPECT_EQ(Entries(list), (QStringList { Entry(3), Entry(4), Entry(1), Entry(0), Entry(2) }));
    EXPECT_EQ(list.GetAt(list.m_nCurrent), Entry(3));
    EXPECT_EQ(list.Move({ 0 }, 5), 4);
    EXPECT_EQ(list.GetAt(4), Entry(3));
    EXPECT_EQ(list.m_nCurrent, 4);

    // Dropped where they already are: no change, not modified.
    list.m_bModified = FALSE;
    EXPECT_EQ(list.Move({ 1, 2 }, 1), 1);
    EXPECT_EQ(list.Move({ 1, 2 }, 3), 1);
    EXPECT_FALSE(list.m_bModified);
    EXPECT_EQ(list.Move({ 9 }, 0), -1);
    EXPECT_EQ(list.Move({ 0 }, 6), -1);
    EXPECT_EQ(Entries(list), (QStringList { Entry(4), Entry(1), Entry(0), Entry(2), Entry(3) }));
}

// A random-order list of n entries after nPicks picks.
void PickRandomly(CPlayList& list, int n, int nPicks)
{
    list.m_nLoopMode = LOOP_RANDOM;
    Fill(list, n);
    list.Rewind();
    for (int i = 1; i < nPicks; ++i)
        list.Next();
}

TEST(PlayListRandom, PicksFollowTheirEntriesThroughMovesAndRemovals)
{
    CPlayList list;
    PickRandomly(list, 10, 5);
    const QStringList before = Picks(list);
    ASSERT_EQ(before.size(), 5);

    list.Move({ 0, 1, 2 }, 10);
    EXPECT_EQ(Picks(list), before) << "a move renumbers the picks, it does not change them";

    // Taking out a picked entry forgets its pick and keeps the others.
    const int nPicked = list.RandomHistory()[1];
    QStringList kept = before;
    kept.removeAt(1);
    list.Remove({ nPicked });
    EXPECT_EQ(Picks(list), kept);
    for (const int n : list.RandomHistory())
        EXPECT_LT(n, list.GetCount());
}

TEST(PlayListWatch, ARefusedAddIsNotHeardAndCopiesAreNotWatched)
{
    CPlayList list;
    std::vector<PlayListChange> heard;
    list.SetObserver([&](PlayListChange change) {
        heard.push_back(change);
    });
    auto take = [&] {
        std::vector<PlayListChange> out;
        out.swap(heard);
        return out;
    };
    using C = PlayListChange;
    using V = std::vector<PlayListChange>;

    list.Add(Entry(0));
    list.Add(Entry(0));
    EXPECT_EQ(take(), V { C::Entries }) << "a refused add changes nothing";

    CPlayList copy = list;
    copy.Add(Entry(5));
    list.Add(Entry(6));
    CPlayList assigned;
    assigned = list;
    assigned.Clear();
    EXPECT_EQ(take(), V { C::Entries }) << "only the watched list itself is heard";
}

} // namespace
