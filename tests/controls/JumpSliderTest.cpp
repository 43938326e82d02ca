#include "controls/JumpSlider.h"
#include "platform/WindowMessages.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <vector>

namespace {

constexpr int kSeekBarId = 32812;

// A slider on a shown host window, with every notification recorded.
class JumpSliderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host.resize(2100, 60);
        m_pSlider = new CJumpSlider;
        QObject::connect(m_pSlider, &CJumpSlider::JumpSliderNotify, [this](int msg, int code, CJumpSlider* s) {
            EXPECT_EQ(msg, WM_JUMPSLIDER_HSCROLL);
            EXPECT_EQ(s->GetDlgCtrlID(), kSeekBarId);
            m_codes.push_back(code);
            m_positions.push_back(s->GetPos());
        });
        ASSERT_TRUE(m_pSlider->Create(FALSE, QRect(0, 0, 206, 20), &m_host, kSeekBarId));
        m_host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_host));
    }

    int ThumbCenter() const
    {
        const QRect rc = m_pSlider->GetThumbRect();
        return rc.x() + rc.width() / 2;
    }
    void Press(int x) { QTest::mousePress(m_pSlider, Qt::LeftButton, {}, QPoint(x, 10)); }
    void Release(int x) { QTest::mouseRelease(m_pSlider, Qt::LeftButton, {}, QPoint(x, 10)); }
    void Drag(int x) { QTest::mouseMove(m_pSlider, QPoint(x, 10)); }
    void Key(int key)
    {
        QTest::keyPress(m_pSlider, static_cast<Qt::Key>(key));
        QTest::keyRelease(m_pSlider, static_cast<Qt::Key>(key));
    }
    std::vector<int> TakeCodes()
    {
        std::vector<int> codes;
        codes.swap(m_codes);
        m_positions.clear();
        return codes;
    }

    QWidget m_host;
    CJumpSlider* m_pSlider = nullptr;
    std::vector<int> m_codes;
    std::vector<int> m_positions;
};

TEST(JumpSliderGeometry, ChannelAndThumbFollowTheBarSize)
{
    QWidget host;
    CJumpSlider bar;
    ASSERT_TRUE(bar.Create(FALSE, QRect(0, 0, 206, 20), &host, 1));
    EXPECT_EQ(bar.GetChannelRect(), QRect(6, 8, 194, 4));
    EXPECT_EQ(bar.GetThumbRect().size(), QSize(7, 14));

    CJumpSlider volume;
    ASSERT_TRUE(volume.Create(FALSE, QRect(0, 0, 80, 15), &host, 2));
    EXPECT_EQ(volume.GetThumbRect().size(), QSize(5, 10));

    CJumpSlider upright;
    ASSERT_TRUE(upright.Create(TRUE, QRect(0, 0, 20, 106), &host, 3));
    EXPECT_EQ(upright.GetChannelRect(), QRect(8, 6, 4, 94));

    CJumpSlider orphan;
    EXPECT_FALSE(orphan.Create(FALSE, QRect(0, 0, 100, 20), nullptr, 4));
}

TEST_F(JumpSliderTest, ClickOutsideTheChannelGoesToTheEndAndStopsTheThumbThere)
{
    m_pSlider->SetRange(1000);
    m_pSlider->SetPos(500);

    Press(2);
    EXPECT_EQ(m_pSlider->GetPos(), 0);
    EXPECT_EQ(ThumbCenter(), 6);
    EXPECT_TRUE(m_pSlider->IsPressed());
    // The owner reads the new position inside the notification.
    EXPECT_EQ(m_positions, (std::vector<int> { 0, 0 }));
    EXPECT_EQ(TakeCodes(), (std::vector<int> { SB_THUMBPOSITION, SB_THUMBTRACK }));
    Release(2);
    EXPECT_FALSE(m_pSlider->IsPressed());
    EXPECT_EQ(TakeCodes(), (std::vector<int> { SB_THUMBPOSITION, SB_ENDSCROLL }));

    // Past the right end, and exactly on either end of the channel.
    for (const auto& [x, nPos] : { std::pair { 205, 1000 }, std::pair { 6, 0 }, std::pair { 200, 1000 } }) {
        Press(x);
        Release(x);
        EXPECT_EQ(m_pSlider->GetPos(), nPos) << x;
    }

    // One pixel inside: (7 - 6) * 1000 / 194, truncated; the thumb sits under the pointer.
    Press(7);
    EXPECT_EQ(m_pSlider->GetPos(), 5);
    EXPECT_EQ(ThumbCenter(), 7);
    Release(7);
    Press(103);
    EXPECT_EQ(m_pSlider->GetPos(), 500);
    Release(103);
}

TEST_F(JumpSliderTest, DragReportsEveryMoveAndReleaseOutsideClampsToTheEnd)
{
    m_pSlider->SetRange(194);
    Press(50);
    Drag(60);
    Drag(70);
    EXPECT_EQ(m_pSlider->GetPos(), 64);
    EXPECT_EQ(ThumbCenter(), 70);
    Release(-40);
    EXPECT_EQ(m_pSlider->GetPos(), 0);
    EXPECT_EQ(TakeCodes(), (std::vector<int> { 4, 5, 5, 5, 4, 8 }));
}

TEST_F(JumpSliderTest, KeysMoveByTheirStepsAndEndWithCodeEight)
{
    m_pSlider->SetRange(100);
    m_pSlider->SetPageSize(10);
    m_pSlider->SetPos(50);

    const std::pair<Qt::Key, int> steps[] = { { Qt::Key_PageUp, 40 }, { Qt::Key_PageDown, 50 }, { Qt::Key_Left, 49 },
        { Qt::Key_Up, 48 }, { Qt::Key_Right, 49 }, { Qt::Key_Down, 50 }, { Qt::Key_Home, 0 }, { Qt::Key_End, 100 } };
    for (const auto& [key, nPos] : steps) {
        Key(key);
        EXPECT_EQ(m_pSlider->GetPos(), nPos) << key;
    }
    EXPECT_EQ(TakeCodes(), (std::vector<int> { 2, 8, 3, 8, 0, 8, 0, 8, 1, 8, 1, 8, 6, 8, 7, 8 }));

    // A page near an end stops at the end.
    m_pSlider->SetPos(5);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(m_pSlider->GetPos(), 0);
}

TEST_F(JumpSliderTest, KeysAtTheEndSendOnlyTheKeyUp)
{
    m_pSlider->SetRange(100);
    m_pSlider->SetPos(0);
    for (int key : { Qt::Key_Home, Qt::Key_PageUp, Qt::Key_Left, Qt::Key_Up }) {
        QTest::keyPress(m_pSlider, static_cast<Qt::Key>(key));
        EXPECT_TRUE(TakeCodes().empty()) << key;
        QTest::keyRelease(m_pSlider, static_cast<Qt::Key>(key));
        EXPECT_EQ(TakeCodes(), (std::vector<int> { SB_ENDSCROLL })) << key;
    }
    m_pSlider->SetPos(100);
    for (int key : { Qt::Key_End, Qt::Key_PageDown, Qt::Key_Right, Qt::Key_Down }) {
        Key(key);
        EXPECT_EQ(TakeCodes(), (std::vector<int> { SB_ENDSCROLL })) << key;
    }

    // A held key repeats its press only; other keys pass by.
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(m_pSlider, &repeat);
    QTest::keyClick(m_pSlider, Qt::Key_A);
    EXPECT_TRUE(TakeCodes().empty());
}

TEST_F(JumpSliderTest, TenHoursInMillisecondsMapWithoutOverflow)
{
    const int tenHours = 10 * 3600 * 1000;
    m_pSlider->setGeometry(0, 0, 2012, 20); // channel 6 … 2006, 2000 pixels
    m_pSlider->SetRange(tenHours);
    m_pSlider->SetPos(tenHours / 4 * 3);
    EXPECT_EQ(ThumbCenter(), 1506);

    Press(1006);
    EXPECT_EQ(m_pSlider->GetPos(), tenHours / 2);
    Drag(2005);
    EXPECT_EQ(m_pSlider->GetPos(), 35982000);
    Release(2005);
}

TEST_F(JumpSliderTest, SetPosClampsAndResizeKeepsThePosition)
{
    m_pSlider->SetPos(150);
    EXPECT_EQ(m_pSlider->GetPos(), 100);
    m_pSlider->SetPos(-5);
    EXPECT_EQ(m_pSlider->GetPos(), 0);
    m_pSlider->SetPos(30);

    m_pSlider->setGeometry(0, 0, 406, 30);
    EXPECT_EQ(m_pSlider->GetPos(), 30);
    EXPECT_EQ(m_pSlider->GetThumbRect().size(), QSize(10, 21));
    EXPECT_EQ(ThumbCenter(), 6 + 30 * 394 / 100);
    EXPECT_TRUE(TakeCodes().empty());
}

TEST_F(JumpSliderTest, DisabledBarTakesNoInputAndDropsAPressInProgress)
{
    m_pSlider->SetRange(100);
    Press(50);
    TakeCodes();
    m_pSlider->setEnabled(false);
    EXPECT_FALSE(m_pSlider->IsPressed());
    Release(150);
    Key(Qt::Key_End);
    EXPECT_TRUE(TakeCodes().empty());
}

} // namespace
