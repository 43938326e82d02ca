// The menu bar, the keys and the dispatch of the command table on a real
// frame: the rules decide at popup time and at every dispatch.

#include "FrameFixture.h"

#include "ui/CommandIds.h"
#include "ui/CommandTable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

namespace {

QAction* MenuAction(QMenuBar& bar, const QString& text, QMenu** pOwner = nullptr)
{
    for (QMenu* menu : bar.findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            if (action->text() == text) {
                if (pOwner)
                    *pOwner = menu;
                return action;
            }
    return nullptr;
}

class CommandTableTest : public FrameFixture {
protected:
    // Opens and closes the popup that holds the item; its state while open.
    struct ItemState {
        bool bEnabled;
        bool bChecked;
    };
    ItemState Item(const QString& text)
    {
        QMenu* menu = nullptr;
        QAction* action = MenuAction(*Frame().menuBar(), text, &menu);
        EXPECT_NE(action, nullptr) << text.toStdString();
        if (!action)
            return { false, false };
        Q_EMIT menu->aboutToShow();
        const ItemState state { action->isEnabled(), action->isChecked() };
        Q_EMIT menu->aboutToHide();
        return state;
    }

    void ShowActive()
    {
        Frame().show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers mods) { QTest::keyClick(&Frame().OwnView(), key, mods); }
};

TEST_F(CommandTableTest, NoKeyIsGivenToTwoCommands)
{
    QSet<QKeySequence> seen;
    for (const CCommandDef& def : CCommandTable::Defs())
        for (const QKeySequence& key : def.keys) {
            EXPECT_FALSE(seen.contains(key)) << key.toString().toStdString();
            seen.insert(key);
        }
}

TEST_F(CommandTableTest, PopupsGreyAndCheckItemsByTheRulesOfTheMoment)
{
    const QString save = QStringLiteral("プレイリストの保存(&S)");

    StartList({ QStringLiteral("/m/a.mp3") }, QStringLiteral("/m/list.orvl"));
    EXPECT_FALSE(Item(save).bEnabled);
    Frame().OnDropFiles({ QStringLiteral("/m/b.mp3") });
    EXPECT_TRUE(Item(save).bEnabled);

    Command(ID_SIZE_200);
    EXPECT_TRUE(Item(QStringLiteral("200%(&2)\tCtrl+3")).bChecked);
    m_view.bFullScreen = TRUE;
    EXPECT_FALSE(Item(QStringLiteral("200%(&2)\tCtrl+3")).bEnabled);
    // Closed again, the item is enabled so that its key reaches the rule.
    EXPECT_TRUE(Frame().Commands().Action(ID_SIZE_200)->isEnabled());
}

TEST_F(CommandTableTest, CtrlMAndTheSoundButtonsMuteAndRestore)
{
    ShowActive();
    Key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_FALSE(Frame().ViewSettings().m_bSoundOn);
    // The buttons send their ids through the same rules.
    QTest::mouseClick(&Button(ID_MUTE, 1), Qt::LeftButton);
    EXPECT_TRUE(Frame().ViewSettings().m_bSoundOn);
    EXPECT_EQ(m_view.volumes, (std::vector<int> { 0, Frame().ViewSettings().m_nVolume }));
}

TEST_F(CommandTableTest, CtrlCGoesToClearingThePointsNeverToCopying)
{
    ShowActive();
    QSignalSpy cleared(Frame().Commands().Action(ID_AB_CLEAR), &QAction::triggered);
    QSignalSpy copied(Frame().Commands().Action(ID_EDIT_COPY), &QAction::triggered);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_EQ(copied.count(), 0);
    // The edit keys are taken and do nothing.
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(copied.count(), 1);
}

} // namespace
