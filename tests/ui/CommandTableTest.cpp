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

// The menu bar as text: popups flush left, items indented, sub-popups with
// their items one step further, separators as "-".
void DumpMenu(const QMenu& menu, const QString& indent, QStringList& out)
{
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            out << indent + QLatin1Char('-');
        } else if (action->menu()) {
            out << indent + QLatin1Char('>') + action->text();
            DumpMenu(*action->menu(), indent + QStringLiteral("  "), out);
        } else {
            out << indent + action->text();
        }
    }
}

QStringList DumpMenuBar(QMenuBar& bar)
{
    QStringList out;
    for (QAction* action : bar.actions()) {
        out << action->text();
        DumpMenu(*action->menu(), QStringLiteral("  "), out);
    }
    return out;
}

QKeySequence Pad(Qt::KeyboardModifier mod, Qt::Key key)
{
    return QKeySequence(QKeyCombination(mod | Qt::KeypadModifier, key));
}

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

    void Key(Qt::Key key, Qt::KeyboardModifiers mods) { QTest::keyClick(&Frame().m_wndView, key, mods); }
};

TEST_F(CommandTableTest, TheMenuBarIsLaidOutItemByItem)
{
    const QStringList expected = {
        "ファイル(&F)",
        "  メディアファイルを開く(&O)", "  フォルダを開く(&F)", "  プレイリストを開く(&P)", "  -",
        "  メディアファイルの追加(&D)", "  フォルダの追加(&R)", "  プレイリストの追加(&L)", "  -",
        "  プレイリストの保存(&S)", "  プレイリストの名前を付けて保存(&A)", "  -",
        "  プレイリストWindowの表示(未実装)(&W)", "  -",
        "  DirectShow情報の表示(&I)", "  メディア情報の表示(&M)", "  -",
        "  アプリケーションの終了(&X)",
        "操作(&M)",
        "  再生/一時停止(&P)\tCtrl+P", "  停止(&S)\tCtrl+S", "  前へ(&R)\tCtrl+R", "  次へ(&N)\tCtrl+N", "  -",
        "  全画面表示(&L)\tAlt+Enter",
        "  >ビデオのサイズ(&Z)", "    50%(&5)\tCtrl+1", "    100%(&1)\tCtrl+2", "    200%(&2)\tCtrl+3",
        "  アスペクト比固定(&F)", "  -",
        "  >コマ送り(&S)", "    スキップ移動＋(&F)\tAlt++", "    フレーム移動＋(&+)\tCtrl++",
        "    フレーム移動－(&-)\tCtrl+-", "    スキップ移動－(&R)\tAlt+-", "  -",
        "  静止画を保存(&T)\tCtrl+T", "  -",
        "  ミュート(&M)\tCtrl+M", "  -",
        "  >リピート(&R)", "    しない(&N)", "    全リピート(&A)", "    ランダム(&R)",
        "  再生中のファイルをリピートする(&1)\tAlt+R",
        "  >A-B間リピート(&A)", "    A点設定(&A)\tCtrl+A", "    B点設定(&B)\tCtrl+B", "    設定クリア(&C)\tCtrl+C",
        "    -", "    A点へ移動(&1)\tAlt+A", "    B点へ移動(&2)\tAlt+B", "    -",
        "    A-B間リピート開始(&P)\tAlt+P", "    A-B間リピート終了(&S)\tAlt+S",
        "設定(&O)",
        "  メディアファイル拡張子設定(&E)", "  -", "  静止画保存設定(&O)", "  -",
        "  ボリュームデータベースを使用する(&D)", "  ボリュームデータベースを初期化する(&I)", "  -",
        "  多重起動を許可する(&A)", "  プレイリストのデータ重複を許可する(&L)",
        "  フォルダ検索時にサブフォルダも検索する(&F)", "  -",
        "  優先的に使用するフィルタの登録(&P)", "  ブラックリストフィルタの登録(&B)", "  -",
        "  VMR9を使用しない(&N)", "  VMR9のデインターレースを無効にする(&V)", "  -",
        "  「送る」メニューにorvを登録する(&S)", "  「送る」メニューのorvの登録を解除する(&T)",
        "ヘルプ(&H)",
        "  トピックの検索(&H)", "  -", "  バージョン情報 orv(&A)...",
    };
    EXPECT_EQ(DumpMenuBar(*Frame().menuBar()), expected);
}

TEST_F(CommandTableTest, AcceleratorsIncludeTheKeypadVariants)
{
    CCommandTable& table = Frame().Commands();
    auto keys = [&](int nID) { return table.Action(nID)->shortcuts(); };
    EXPECT_EQ(keys(ID_PLAY_PAUSE), QList<QKeySequence> { QKeySequence(Qt::CTRL | Qt::Key_P) });
    EXPECT_TRUE(keys(ID_SIZE_50).contains(Pad(Qt::ControlModifier, Qt::Key_1)));
    EXPECT_TRUE(keys(ID_SIZE_200).contains(QKeySequence(Qt::CTRL | Qt::Key_3)));
    EXPECT_TRUE(keys(ID_FULL_SCREEN).contains(QKeySequence(Qt::ALT | Qt::Key_Return)));
    EXPECT_TRUE(keys(ID_FULL_SCREEN).contains(Pad(Qt::AltModifier, Qt::Key_Enter)));
    EXPECT_TRUE(keys(ID_FRAME_FORWARD).contains(Pad(Qt::ControlModifier, Qt::Key_Plus)));
    EXPECT_TRUE(keys(ID_SKIP_BACK).contains(QKeySequence(Qt::ALT | Qt::Key_Minus)));
    EXPECT_EQ(keys(ID_AB_CLEAR), QList<QKeySequence> { QKeySequence(Qt::CTRL | Qt::Key_C) });
    EXPECT_EQ(keys(ID_HELP), QList<QKeySequence> { QKeySequence(Qt::Key_F1) });
    EXPECT_TRUE(keys(ID_EDIT_CUT).contains(QKeySequence(Qt::SHIFT | Qt::Key_Delete)));

    // No key is given to two commands.
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
    const QString saveAs = QStringLiteral("プレイリストの名前を付けて保存(&A)");

    EXPECT_FALSE(Item(QStringLiteral("プレイリストWindowの表示(未実装)(&W)")).bEnabled);
    EXPECT_FALSE(Item(QStringLiteral("メディアファイルの追加(&D)")).bEnabled);

    Frame().m_playList.Add(QStringLiteral("/m/a.mp3"));
    Frame().m_strPlayListFile = QStringLiteral("/m/list.orvl");
    EXPECT_FALSE(Item(save).bEnabled);
    EXPECT_FALSE(Item(saveAs).bEnabled);
    EXPECT_TRUE(Item(QStringLiteral("メディアファイルの追加(&D)")).bEnabled);
    Frame().m_playList.Add(QStringLiteral("/m/b.mp3"));
    EXPECT_TRUE(Item(save).bEnabled);
    EXPECT_TRUE(Item(saveAs).bEnabled);

    // The view's state is read each time a popup opens.
    m_view.bLoaded = TRUE;
    m_view.filters = QStringList { QStringLiteral("Demuxer") };
    EXPECT_TRUE(Item(QStringLiteral("VMR9を使用しない(&N)")).bEnabled);

    EXPECT_TRUE(Item(QStringLiteral("100%(&1)\tCtrl+2")).bChecked);
    Frame().m_nDisplaySize = 2;
    EXPECT_FALSE(Item(QStringLiteral("100%(&1)\tCtrl+2")).bChecked);
    EXPECT_TRUE(Item(QStringLiteral("200%(&2)\tCtrl+3")).bChecked);
    m_view.bFullScreen = TRUE;
    EXPECT_FALSE(Item(QStringLiteral("200%(&2)\tCtrl+3")).bEnabled);
    // Closed again, the item is enabled so that its key reaches the rule.
    EXPECT_TRUE(Frame().Commands().Action(ID_SIZE_200)->isEnabled());
}

TEST_F(CommandTableTest, ACommandWithoutAHandlerIsGreyWhateverItsRule)
{
    CCommandTable& table = Frame().Commands();
    EXPECT_FALSE(table.IsEnabled(ID_CAPTURE_OPTIONS));
    EXPECT_FALSE(Item(QStringLiteral("静止画保存設定(&O)")).bEnabled);
    EXPECT_TRUE(table.IsEnabled(ID_EXT_SETTINGS));
    EXPECT_FALSE(table.IsEnabled(ID_EDIT_COPY));
}

TEST_F(CommandTableTest, AKeyActsOnlyWhileItsItemWouldBeEnabled)
{
    ShowActive();
    Key(Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(Frame().m_nDisplaySize, 0);

    // Full screen greys the size items: the key does nothing.
    m_view.bFullScreen = TRUE;
    Key(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(Frame().m_nDisplaySize, 0);
    Key(Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(Frame().m_nDisplaySize, 0);
    m_view.bFullScreen = FALSE;
    Key(Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(Frame().m_nDisplaySize, 2);

    Key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_FALSE(Frame().m_bSoundOn);
    Key(Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(Frame().m_bOneLoop);
    // The buttons send their ids through the same rules.
    QTest::mouseClick(&Frame().m_btnSoundOff, Qt::LeftButton);
    EXPECT_TRUE(Frame().m_bSoundOn);
    EXPECT_EQ(m_view.volumes, (std::vector<int> { 0, Frame().m_nVolume }));
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
