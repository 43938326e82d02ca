#include "controls/BitmapButton.h"
#include "res/Artwork.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <QWidget>

#include <vector>

namespace {

QImage Render(int id, bool bGreyed = false, qreal dpr = 1.0)
{
    const QSize size = ButtonArtSize(id);
    QImage img(size * dpr, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::red);
    QPainter p(&img);
    EXPECT_TRUE(PaintButtonArt(p, id, bGreyed)) << id;
    return img;
}

TEST(ButtonArt, EveryImageIsPaintedWholeAndTheLooksDiffer)
{
    int count = 0;
    for (int id = 0; id < 200; ++id) {
        const QSize size = ButtonArtSize(id);
        if (size.isEmpty()) {
            QImage img(4, 4, QImage::Format_ARGB32);
            QPainter p(&img);
            EXPECT_FALSE(PaintButtonArt(p, id)) << id;
            continue;
        }
        ++count;
        const QImage img = Render(id);
        // The whole image is painted, corners included.
        EXPECT_EQ(QColor(img.pixel(0, 0)), QColor(Qt::black)) << id;
        EXPECT_EQ(Render(id, false, 2.0).size(), size * 2) << id;
    }
    EXPECT_EQ(count, 60);
    // The greyed look differs from the normal one.
    EXPECT_NE(Render(145), Render(145, true));
}

class BitmapButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host.resize(200, 100);
        m_host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_host));
    }

    CBitmapButton* Make(int nID, int up, int down, int disabled)
    {
        auto* btn = new CBitmapButton;
        EXPECT_TRUE(btn->Create(&m_host, nID, up, down, disabled, [this](int id) { m_commands.push_back(id); }));
        return btn;
    }

    QWidget m_host;
    std::vector<int> m_commands;
};

TEST_F(BitmapButtonTest, SizesItselfToItsImageAndSendsItsCommand)
{
    CBitmapButton* play = Make(32771, 132, 131, 133);
    EXPECT_EQ(play->size(), QSize(38, 33));
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_EQ(m_commands, std::vector<int> { 32771 });

    CBitmapButton* setA = Make(32790, 154, 165, 155);
    EXPECT_EQ(setA->size(), QSize(15, 23));
    QTest::mouseClick(setA, Qt::LeftButton);
    // Pressed and released outside: no command.
    QTest::mousePress(setA, Qt::LeftButton);
    QTest::mouseRelease(setA, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(m_commands, (std::vector<int> { 32771, 32790 }));
}

TEST_F(BitmapButtonTest, DisabledButtonSendsNothingAndLooksGrey)
{
    CBitmapButton* stop = Make(32772, 138, 137, 136);
    const QImage normal = stop->grab().toImage();
    stop->setDown(true);
    const QImage pressed = stop->grab().toImage();
    stop->setDown(false);
    stop->setEnabled(false);
    const QImage disabled = stop->grab().toImage();
    EXPECT_NE(normal, pressed);
    EXPECT_NE(normal, disabled);

    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_TRUE(m_commands.empty());

    // Without a disabled image the button still greys out.
    CBitmapButton* pause = Make(32771, 135, 134, 0);
    const QImage pauseNormal = pause->grab().toImage();
    pause->setEnabled(false);
    EXPECT_NE(pauseNormal, pause->grab().toImage());
}

TEST_F(BitmapButtonTest, UnknownImageOrNoParentFailsCreation)
{
    CBitmapButton a, b, c;
    EXPECT_FALSE(a.Create(&m_host, 1, 999, 0, 0, {}));
    EXPECT_FALSE(b.Create(&m_host, 1, 132, 131, 999, {}));
    EXPECT_FALSE(c.Create(nullptr, 1, 132, 131, 133, {}));
}

} // namespace
