#include "playlist/PlayList.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

QString Entry(int i) { return QStringLiteral("/music/%1.mp3").arg(i); }

void Fill(CPlayList& list, int count, int first = 0)
{
    for (int i = first; i < first + count; ++i)
        list.Add(Entry(i));
}

TEST(PlayListRandom, NeverRepeatsAnyOfTheLastHalfOfTheListsPicks)
{
    for (const int n : { 1, 2, 3, 4, 10 }) {
        CPlayList list;
        list.m_nLoopMode = LOOP_RANDOM;
        Fill(list, n);
        list.Rewind();
        std::vector<int> picks { list.m_nCurrent };
        for (int i = 0; i < 3000; ++i) {
            const QString entry = list.Next();
            ASSERT_EQ(entry, list.GetAt(list.m_nCurrent));
            picks.push_back(list.m_nCurrent);
        }
        const std::set<int> seen(picks.begin(), picks.end());
        EXPECT_EQ(seen.size(), static_cast<size_t>(n)) << "every entry comes up, n=" << n;
        for (size_t i = 1; i < picks.size(); ++i)
            for (size_t back = 1; back <= static_cast<size_t>(n / 2) && back <= i; ++back)
                ASSERT_NE(picks[i], picks[i - back]) << "n=" << n << " pick " << i;
    }
}

TEST(PlayListOrder, NextAndPrevFollowTheRepeatModeAtBothEnds)
{
    CPlayList none;
    Fill(none, 3);
    EXPECT_TRUE(none.Prev().isEmpty()) << "no current entry yet";
    EXPECT_EQ(none.Next(), Entry(0));
    EXPECT_TRUE(none.Prev().isEmpty());
    none.m_nCurrent = 2;
    EXPECT_TRUE(none.Next().isEmpty());
    EXPECT_EQ(none.m_nCurrent, 3) << "left past the end for the caller to reset";

    CPlayList all;
    all.m_nLoopMode = LOOP_ALL;
    Fill(all, 3);
    all.Rewind();
    EXPECT_EQ(all.Prev(), Entry(2));
    EXPECT_EQ(all.Next(), Entry(0));

    CPlayList random;
    random.m_nLoopMode = LOOP_RANDOM;
    Fill(random, 5);
    random.Rewind();
    const int current = random.m_nCurrent;
    EXPECT_TRUE(random.Prev().isEmpty());
    EXPECT_EQ(random.m_nCurrent, current);

    CPlayList empty;
    empty.m_nLoopMode = LOOP_RANDOM;
    EXPECT_TRUE(empty.Next().isEmpty());
    EXPECT_EQ(empty.m_nCurrent, -1);
    empty.Rewind(); // no pick from nothing
    EXPECT_EQ(empty.m_nCurrent, 0);
}

TEST(PlayListLimits, AddRefusesThe1025thEntryAndAppendBeyondTheLimitIsRefusedWhole)
{
    CPlayList full;
    full.m_bAllowDuplicates = TRUE;
    Fill(full, PLAYLIST_MAX);
    EXPECT_FALSE(full.Add(QStringLiteral("/music/one-more.mp3")));
    EXPECT_EQ(full.GetCount(), PLAYLIST_MAX);

    // Counted before the entries already in the list are dropped.
    CPlayList list;
    Fill(list, 1000);
    list.m_nCurrent = 7;
    list.m_bModified = FALSE;
    CPlayList more;
    Fill(more, 20, 980);
    Fill(more, 10, 5000);
    EXPECT_FALSE(list.Append(more));
    EXPECT_EQ(list.GetCount(), 1000);
    EXPECT_FALSE(list.m_bModified);

    // Up to the limit it is taken, repeats inside the other list dropped.
    CPlayList fits;
    Fill(fits, 24, 2000);
    fits.m_bAllowDuplicates = TRUE;
    fits.Add(Entry(2000));
    EXPECT_TRUE(list.Append(fits));
    EXPECT_EQ(list.GetAt(1023), Entry(2023));
    EXPECT_EQ(list.m_nCurrent, 7);
}

TEST(PlayListLimits, PathsCompareExactly)
{
    CPlayList list;
    EXPECT_TRUE(list.Add(QStringLiteral("/music/a.mp3")));
    EXPECT_TRUE(list.Add(QStringLiteral("/music/A.mp3"))) << "Linux names differ by case";
    EXPECT_FALSE(list.Add(QStringLiteral("/music/a.mp3")));
    EXPECT_TRUE(list.Add(QStringLiteral("/music/x/../a.mp3"))) << "another spelling is another entry";
}

TEST(PlayListState, AssignTakesEntriesFlagAndPositionUnderItsOwnRule)
{
    CPlayList source;
    source.m_bAllowDuplicates = TRUE;
    for (const char* p : { "/a.mp3", "/a.mp3", "/b.mp3" })
        source.Add(QString::fromLatin1(p));
    source.m_nCurrent = 1;
    source.m_bModified = FALSE;

    CPlayList frame;
    frame.m_nLoopMode = LOOP_RANDOM;
    frame.Add(QStringLiteral("/old.mp3"));
    frame.Assign(source);
    EXPECT_EQ(frame.GetCount(), 2);
    EXPECT_FALSE(frame.m_bModified);
    EXPECT_EQ(frame.m_nCurrent, 1);
    EXPECT_EQ(frame.m_nLoopMode, LOOP_RANDOM);

    source.m_nCurrent = 2; // beyond the end once the repeat is dropped
    frame.Assign(source);
    EXPECT_EQ(frame.m_nCurrent, -1);
}

} // namespace
