#include "controls/JumpSlider.h"
#include "platform/WindowMessages.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include <vector>

namespace {

// A 206-pixel bar (channel 6 … 200) on a shown host, every code recorded.
class JumpSliderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host.resize(2100, 60);
        m_pSlider = new CJumpSlider;
        QObject::connect(m_pSlider, &CJumpSlider::JumpSliderNotify,
            [this](int, int code, CJumpSlider*) { m_codes.push_back(code); });
        ASSERT_TRUE(m_pSlider->Create(FALSE, QRect(0, 0, 206, 20), &m_host, 1));
        m_host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_host));
    }
    // Where the bar sits after a press and a release at x.
    int ClickAt(int x)
    {
        QTest::mousePress(m_pSlider, Qt::LeftButton, {}, QPoint(x, 10));
        QTest::mouseRelease(m_pSlider, Qt::LeftButton, {}, QPoint(x, 10));
        return m_pSlider->GetPos();
    }
    std::vector<int> TakeCodes() { return std::exchange(m_codes, {}); }

    QWidget m_host;
    CJumpSlider* m_pSlider = nullptr;
    std::vector<int> m_codes;
};

TEST_F(JumpSliderTest, AClickJumpsThereAndOutsideTheChannelToItsEnd)
{
    m_pSlider->SetRange(1000);
    for (const auto& [x, nPos] : { std::pair { 2, 0 }, { 205, 1000 }, { 6, 0 }, { 200, 1000 }, { 7, 5 }, { 103, 500 } })
        EXPECT_EQ(ClickAt(x), nPos) << x;
    TakeCodes();

    // A drag follows the pointer; a release outside clamps to the end.
    QTest::mousePress(m_pSlider, Qt::LeftButton, {}, QPoint(50, 10));
    QTest::mouseMove(m_pSlider, QPoint(60, 10));
    QTest::mouseRelease(m_pSlider, Qt::LeftButton, {}, QPoint(-40, 10));
    EXPECT_EQ(m_pSlider->GetPos(), 0);
    EXPECT_EQ(TakeCodes(),
        (std::vector<int> { SB_THUMBPOSITION, SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL }));
}

TEST_F(JumpSliderTest, KeysAtTheEndSendOnlyTheKeyUp)
{
    m_pSlider->SetRange(100);
    m_pSlider->SetPos(0);
    for (int key : { Qt::Key_Home, Qt::Key_PageUp, Qt::Key_Left, Qt::Key_Up }) {
        QTest::keyClick(m_pSlider, static_cast<Qt::Key>(key));
        EXPECT_EQ(TakeCodes(), (std::vector<int> { SB_ENDSCROLL })) << key;
    }
    QTest::keyClick(m_pSlider, Qt::Key_End);
    EXPECT_EQ(m_pSlider->GetPos(), 100);
    EXPECT_EQ(TakeCodes(), (std::vector<int> { SB_BOTTOM, SB_ENDSCROLL }));
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
    EXPECT_EQ(m_pSlider->GetThumbRect().center().x(), 1506);
    EXPECT_EQ(ClickAt(1006), tenHours / 2);
    EXPECT_EQ(ClickAt(2005), 35982000);
}

TEST_F(JumpSliderTest, SetPosClampsAndADisabledBarDropsAPressAndTakesNoInput)
{
    m_pSlider->SetPos(150);
    EXPECT_EQ(m_pSlider->GetPos(), 100);
    m_pSlider->SetPos(-5);
    EXPECT_EQ(m_pSlider->GetPos(), 0);
    EXPECT_TRUE(TakeCodes().empty());

    QTest::mousePress(m_pSlider, Qt::LeftButton, {}, QPoint(50, 10));
    TakeCodes();
    m_pSlider->setEnabled(false);
    EXPECT_FALSE(m_pSlider->IsPressed());
    QTest::mouseRelease(m_pSlider, Qt::LeftButton, {}, QPoint(150, 10));
    QTest::keyClick(m_pSlider, Qt::Key_End);
    EXPECT_TRUE(TakeCodes().empty());
    // Without a parent there is no bar.
    CJumpSlider orphan;
    EXPECT_FALSE(orphan.Create(FALSE, QRect(0, 0, 100, 20), nullptr, 4));
}

} // namespace
