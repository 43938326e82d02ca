#include "ui/CommandTable.h"

#include "playlist/PlayList.h"
#include "ui/CommandIds.h"
#include "ui/MainFrame.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace {

QKeySequence Key(Qt::KeyboardModifiers mods, Qt::Key key) { return QKeySequence(QKeyCombination(mods, key)); }

constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
const Qt::KeyboardModifiers kCtrlPad = Qt::ControlModifier | Qt::KeypadModifier;
const Qt::KeyboardModifiers kAltPad = Qt::AltModifier | Qt::KeypadModifier;

bool IsSet(LONGLONG llPoint) { return llPoint != -1; }

// The rules, one per distinct condition of the menu.
bool CanAdd(const CCommandState& s) { return s.nCount > 0 && s.nCount < PLAYLIST_MAX; }
bool CanSave(const CCommandState& s) { return s.bPlayListFile && s.nCount > 1; }
bool CanSaveAs(const CCommandState& s) { return s.nCount > 1; }
bool HasGraph(const CCommandState& s) { return s.bLoaded && s.bHasFilters; }
bool Loaded(const CCommandState& s) { return s.bLoaded; }
bool CanPlay(const CCommandState& s) { return s.bLoaded || (s.nCount > 0 && s.nCurrent != -1); }
bool Started(const CCommandState& s) { return s.bStarted; }
bool PrevAvailable(const CCommandState& s) { return s.bPrevAvailable; }
bool NextAvailable(const CCommandState& s) { return s.bNextAvailable; }
bool StartedWithVideo(const CCommandState& s) { return s.bStarted && s.bHasVideo; }
bool NotFullScreen(const CCommandState& s) { return !s.bFullScreen; }
bool CanStep(const CCommandState& s) { return s.bPaused && s.bHasVideo && s.bSeekable && !s.marks.bStepBusy; }
bool CanStepForward(const CCommandState& s) { return CanStep(s) && !s.marks.bStepAtEnd; }
bool CanStepBack(const CCommandState& s) { return CanStep(s) && !s.marks.bStepAtStart; }
bool CanSaveStill(const CCommandState& s) { return StartedWithVideo(s) && !s.bCapturing; }
bool StartedSeekable(const CCommandState& s) { return s.bStarted && s.bSeekable; }
bool CanSetPoint(const CCommandState& s) { return StartedSeekable(s) && !s.marks.bABRepeat; }
bool CanClearPoints(const CCommandState& s)
{
    return (IsSet(s.marks.llPointA) || IsSet(s.marks.llPointB)) && !s.marks.bABRepeat;
}
bool CanGoToA(const CCommandState& s) { return StartedSeekable(s) && IsSet(s.marks.llPointA); }
bool CanGoToB(const CCommandState& s) { return StartedSeekable(s) && IsSet(s.marks.llPointB); }
bool CanStartAB(const CCommandState& s) { return CanSetPoint(s) && IsSet(s.marks.llPointA) && IsSet(s.marks.llPointB); }
bool CanEndAB(const CCommandState& s) { return StartedSeekable(s) && s.marks.bABRepeat; }
bool UseVolDB(const CCommandState& s) { return s.bUseVolDB; }
bool SendToExists(const CCommandState& s) { return QFileInfo::exists(s.strSendToPath); }
bool CanRegisterSendTo(const CCommandState& s) { return !s.strSendToPath.isEmpty() && !SendToExists(s); }
bool CanUnregisterSendTo(const CCommandState& s) { return !s.strSendToPath.isEmpty() && SendToExists(s); }
bool Playing(const CCommandState& s) { return s.bStarted && !s.bPaused; }
bool CanResume(const CCommandState& s) { return CanPlay(s) && !Playing(s); }
bool CanSeekByKey(const CCommandState& s) { return StartedSeekable(s) && !s.marks.bStepBusy; }

bool Size50(const CCommandState& s) { return s.nDisplaySize == 0; }
bool Size100(const CCommandState& s) { return s.nDisplaySize == 1; }
bool Size200(const CCommandState& s) { return s.nDisplaySize == 2; }
bool AspectFix(const CCommandState& s) { return s.bAspectFix; }
bool Muted(const CCommandState& s) { return !s.bSoundOn; }
bool RepeatNone(const CCommandState& s) { return s.nLoopMode == LOOP_NONE; }
bool RepeatAll(const CCommandState& s) { return s.nLoopMode == LOOP_ALL; }
bool RepeatRandom(const CCommandState& s) { return s.nLoopMode == LOOP_RANDOM; }
bool OneLoop(const CCommandState& s) { return s.bOneLoop; }
bool PointASet(const CCommandState& s) { return IsSet(s.marks.llPointA); }
bool PointBSet(const CCommandState& s) { return IsSet(s.marks.llPointB); }
bool AccMultiBoot(const CCommandState& s) { return s.bAccMultiBoot; }
bool AccSameData(const CCommandState& s) { return s.bAccSameData; }
bool AccSubFolder(const CCommandState& s) { return s.bAccSubFolder; }
bool DisableVMR9(const CCommandState& s) { return s.bDisableVMR9; }
bool DisableDeinterlace(const CCommandState& s) { return s.bDisableDeinterlace; }
bool PlayListWndShown(const CCommandState& s) { return s.bPlayListWnd; }

} // namespace

bool RuleEnabled(const CCommandDef& def, const CCommandState& state)
{
    return !def.pEnable || def.pEnable(state);
}

bool RuleChecked(const CCommandDef& def, const CCommandState& state)
{
    return def.pCheck && def.pCheck(state);
}

QString PlainLabel(const QString& label)
{
    QString text = label.section(QLatin1Char('\t'), 0, 0);
    text.remove(QLatin1Char('&'));
    return text;
}

QString LabelKeyText(const QString& label) { return label.section(QLatin1Char('\t'), 1); }

const std::vector<CCommandDef>& CCommandTable::Defs()
{
    using F = CMainFrame;
    static const std::vector<CCommandDef> defs = {
        // File
        { ID_FILE_OPEN, "メディアファイルを開く(&O)", { Key(kCtrl, Qt::Key_O) }, &F::OnFileOpen, nullptr, nullptr },
        { ID_OPEN_FOLDER, "フォルダを開く(&F)", {}, &F::OnOpenFolder, nullptr, nullptr },
        { ID_OPEN_PLAYLIST, "プレイリストを開く(&P)", {}, &F::OnOpenPlayList, nullptr, nullptr },
        { ID_ADD_FILES, "メディアファイルの追加(&D)", {}, &F::OnAddFiles, CanAdd, nullptr },
        { ID_ADD_FOLDER, "フォルダの追加(&R)", {}, &F::OnAddFolder, CanAdd, nullptr },
        { ID_ADD_PLAYLIST, "プレイリストの追加(&L)", {}, &F::OnAddPlayList, CanAdd, nullptr },
        { ID_SAVE_PLAYLIST, "プレイリストの保存(&S)", {}, &F::OnSavePlayList, CanSave, nullptr },
        { ID_SAVE_PLAYLIST_AS, "プレイリストの名前を付けて保存(&A)", {}, &F::OnSavePlayListAs, CanSaveAs, nullptr },
        { ID_PLAYLIST_WINDOW, "プレイリストWindowの表示(&W)", {}, &F::OnPlayListWindow, nullptr, PlayListWndShown },
        { ID_DSHOW_INFO, "DirectShow情報の表示(&I)", {}, &F::OnDShowInfo, HasGraph, nullptr },
        { ID_MEDIA_INFO, "メディア情報の表示(&M)", {}, &F::OnMediaInfo, Loaded, nullptr },
        { ID_APP_EXIT, "アプリケーションの終了(&X)", { Key(kCtrl, Qt::Key_Q) }, &F::OnAppExit, nullptr, nullptr },

        // Operation
        { ID_PLAY_PAUSE, "再生/一時停止(&P)\tCtrl+P",
            { Key(kCtrl, Qt::Key_P), Key(Qt::NoModifier, Qt::Key_Space),
                Key(Qt::NoModifier, Qt::Key_MediaTogglePlayPause) },
            &F::OnPlayPause, CanPlay, nullptr },
        { ID_STOP, "停止(&S)\tCtrl+S", { Key(kCtrl, Qt::Key_S), Key(Qt::NoModifier, Qt::Key_MediaStop) }, &F::OnStop,
            Started, nullptr },
        { ID_PREV, "前へ(&R)\tCtrl+R", { Key(kCtrl, Qt::Key_R), Key(Qt::NoModifier, Qt::Key_MediaPrevious) },
            &F::OnPrev, PrevAvailable, nullptr },
        { ID_NEXT, "次へ(&N)\tCtrl+N", { Key(kCtrl, Qt::Key_N), Key(Qt::NoModifier, Qt::Key_MediaNext) }, &F::OnNext,
            NextAvailable, nullptr },
        // The keypad's Enter is a key of its own here; both Enter keys go
        // full screen.
        { ID_FULL_SCREEN, "全画面表示(&L)\tAlt+Enter",
            { Key(kAlt, Qt::Key_Return), Key(kAltPad, Qt::Key_Enter), Key(Qt::NoModifier, Qt::Key_F11) },
            &F::OnFullScreen, StartedWithVideo, nullptr },
        { ID_SIZE_50, "50%(&5)\tCtrl+1", { Key(kCtrl, Qt::Key_1), Key(kCtrlPad, Qt::Key_1) }, &F::OnSize50,
            NotFullScreen, Size50 },
        { ID_SIZE_100, "100%(&1)\tCtrl+2", { Key(kCtrl, Qt::Key_2), Key(kCtrlPad, Qt::Key_2) }, &F::OnSize100,
            NotFullScreen, Size100 },
        { ID_SIZE_200, "200%(&2)\tCtrl+3", { Key(kCtrl, Qt::Key_3), Key(kCtrlPad, Qt::Key_3) }, &F::OnSize200,
            NotFullScreen, Size200 },
        { ID_ASPECT_FIX, "アスペクト比固定(&F)", {}, &F::OnAspectFix, nullptr, AspectFix },
        // The plus key of the main keyboard gives "=" without Shift.
        { ID_SKIP_FORWARD, "スキップ移動＋(&F)\tAlt++",
            { Key(kAlt, Qt::Key_Plus), Key(kAlt, Qt::Key_Equal), Key(kAltPad, Qt::Key_Plus) }, &F::OnSkipForward,
            CanStepForward, nullptr },
        { ID_FRAME_FORWARD, "フレーム移動＋(&+)\tCtrl++",
            { Key(kCtrl, Qt::Key_Plus), Key(kCtrl, Qt::Key_Equal), Key(kCtrlPad, Qt::Key_Plus) }, &F::OnFrameForward,
            CanStepForward, nullptr },
        { ID_FRAME_BACK, "フレーム移動－(&-)\tCtrl+-", { Key(kCtrl, Qt::Key_Minus), Key(kCtrlPad, Qt::Key_Minus) },
            &F::OnFrameBack, CanStepBack, nullptr },
        { ID_SKIP_BACK, "スキップ移動－(&R)\tAlt+-", { Key(kAlt, Qt::Key_Minus), Key(kAltPad, Qt::Key_Minus) },
            &F::OnSkipBack, CanStepBack, nullptr },
        { ID_SAVE_STILL, "静止画を保存(&T)\tCtrl+T", { Key(kCtrl, Qt::Key_T) }, &F::OnSaveStill, CanSaveStill, nullptr },
        { ID_MUTE, "ミュート(&M)\tCtrl+M", { Key(kCtrl, Qt::Key_M) }, &F::OnMute, nullptr, Muted },
        { ID_REPEAT_NONE, "しない(&N)", {}, &F::OnRepeatNone, nullptr, RepeatNone },
        { ID_REPEAT_ALL, "全リピート(&A)", {}, &F::OnRepeatAll, nullptr, RepeatAll },
        { ID_REPEAT_RANDOM, "ランダム(&R)", {}, &F::OnRepeatRandom, nullptr, RepeatRandom },
        { ID_ONE_LOOP, "再生中のファイルをリピートする(&1)\tAlt+R", { Key(kAlt, Qt::Key_R) }, &F::OnOneLoop, nullptr,
            OneLoop },
        { ID_A_SET, "A点設定(&A)\tCtrl+A", { Key(kCtrl, Qt::Key_A) }, &F::OnSetPointA, CanSetPoint, PointASet },
        { ID_B_SET, "B点設定(&B)\tCtrl+B", { Key(kCtrl, Qt::Key_B) }, &F::OnSetPointB, CanSetPoint, PointBSet },
        { ID_AB_CLEAR, "設定クリア(&C)\tCtrl+C", { Key(kCtrl, Qt::Key_C) }, &F::OnABClear, CanClearPoints, nullptr },
        { ID_A_GO, "A点へ移動(&1)\tAlt+A", { Key(kAlt, Qt::Key_A) }, &F::OnGoToPointA, CanGoToA, nullptr },
        { ID_B_GO, "B点へ移動(&2)\tAlt+B", { Key(kAlt, Qt::Key_B) }, &F::OnGoToPointB, CanGoToB, nullptr },
        { ID_AB_START, "A-B間リピート開始(&P)\tAlt+P", { Key(kAlt, Qt::Key_P) }, &F::OnABRepeatStart, CanStartAB, nullptr },
        { ID_AB_END, "A-B間リピート終了(&S)\tAlt+S", { Key(kAlt, Qt::Key_S) }, &F::OnABRepeatEnd, CanEndAB, nullptr },

        // Settings
        { ID_EXT_SETTINGS, "メディアファイル拡張子設定(&E)", {}, &F::OnExtSettings, nullptr, nullptr },
        { ID_CAPTURE_OPTIONS, "静止画保存設定(&O)", {}, &F::OnCaptureOptions, nullptr, nullptr },
        { ID_USE_VOL_DB, "ボリュームデータベースを使用する(&D)", {}, &F::OnUseVolDB, nullptr, UseVolDB },
        { ID_RESET_VOL_DB, "ボリュームデータベースを初期化する(&I)", {}, &F::OnResetVolDB, UseVolDB, nullptr },
        { ID_ACC_MULTI_BOOT, "多重起動を許可する(&A)", {}, &F::OnAccMultiBoot, nullptr, AccMultiBoot },
        { ID_ACC_SAME_DATA, "プレイリストのデータ重複を許可する(&L)", {}, &F::OnAccSameData, nullptr, AccSameData },
        { ID_ACC_SUB_FOLDER, "フォルダ検索時にサブフォルダも検索する(&F)", {}, &F::OnAccSubFolder, nullptr,
            AccSubFolder },
        { ID_FIRST_USE_LIST, "優先的に使用するフィルタの登録(&P)", {}, &F::OnFirstUseList, nullptr, nullptr },
        { ID_BLACK_LIST, "ブラックリストフィルタの登録(&B)", {}, &F::OnBlackList, nullptr, nullptr },
        { ID_DISABLE_VMR9, "VMR9を使用しない(&N)", {}, &F::OnDisableVMR9, nullptr, DisableVMR9 },
        { ID_DISABLE_DEINTERLACE, "VMR9のデインターレースを無効にする(&V)", {}, &F::OnDisableDeinterlace, nullptr,
            DisableDeinterlace },
        { ID_SENDTO_REGISTER, "「送る」メニューにorvを登録する(&S)", {}, &F::OnSendToRegister, CanRegisterSendTo,
            nullptr },
        { ID_SENDTO_UNREGISTER, "「送る」メニューのorvの登録を解除する(&T)", {}, &F::OnSendToUnregister,
            CanUnregisterSendTo, nullptr },

        // Help
        { ID_HELP_FINDER, "トピックの検索(&H)", {}, &F::OnHelp, nullptr, nullptr },
        { ID_APP_ABOUT, "バージョン情報 orv(&A)...", {}, &F::OnAppAbout, nullptr, nullptr },

        // Without a menu item.
        { ID_FIT_WINDOW, "ウィンドウをビデオのサイズに合わせる", {}, &F::OnFitWindow, nullptr, nullptr },
        { ID_HELP, "ヘルプ", { Key(Qt::NoModifier, Qt::Key_F1) }, &F::OnHelp, nullptr, nullptr },
        { ID_CONTEXT_HELP, "ヘルプ", { Key(kShift, Qt::Key_F1) }, &F::OnHelp, nullptr, nullptr },
        { ID_DEFAULT_HELP, nullptr, {}, &F::OnHelp, nullptr, nullptr },
        // The keys people expect of a player, and the wheel over the bars.
        { ID_PLAY, "再生", { Key(Qt::NoModifier, Qt::Key_MediaPlay) }, &F::OnPlay, CanResume, nullptr },
        { ID_PAUSE, "一時停止", { Key(Qt::NoModifier, Qt::Key_MediaPause) }, &F::OnPause, Playing, nullptr },
        { ID_SEEK_BACK, "5秒戻る", { Key(Qt::NoModifier, Qt::Key_Left) }, &F::OnSeekBack, CanSeekByKey, nullptr },
        { ID_SEEK_FORWARD, "5秒進む", { Key(Qt::NoModifier, Qt::Key_Right) }, &F::OnSeekForward, CanSeekByKey,
            nullptr },
        { ID_VOLUME_UP, "音量を上げる", { Key(Qt::NoModifier, Qt::Key_Up) }, &F::OnVolumeUp, nullptr, nullptr },
        { ID_VOLUME_DOWN, "音量を下げる", { Key(Qt::NoModifier, Qt::Key_Down) }, &F::OnVolumeDown, nullptr, nullptr },
        // Edit and pane keys of the framework: taken, and nothing happens.
        { ID_EDIT_COPY, nullptr, { Key(kCtrl, Qt::Key_Insert) }, nullptr, nullptr, nullptr },
        { ID_EDIT_CUT, nullptr, { Key(kCtrl, Qt::Key_X), Key(kShift, Qt::Key_Delete) }, nullptr, nullptr, nullptr },
        { ID_EDIT_PASTE, nullptr, { Key(kCtrl, Qt::Key_V), Key(kShift, Qt::Key_Insert) }, nullptr, nullptr,
            nullptr },
        { ID_EDIT_UNDO, nullptr, { Key(kCtrl, Qt::Key_Z), Key(kAlt, Qt::Key_Backspace) }, nullptr, nullptr,
            nullptr },
        { ID_NEXT_PANE, nullptr, { Key(Qt::NoModifier, Qt::Key_F6) }, nullptr, nullptr, nullptr },
        { ID_PREV_PANE, nullptr, { Key(kShift, Qt::Key_F6) }, nullptr, nullptr, nullptr },
    };
    return defs;
}

const CCommandDef* CCommandTable::Find(int nID)
{
    const std::vector<CCommandDef>& defs = Defs();
    const auto it = std::find_if(defs.begin(), defs.end(), [nID](const CCommandDef& d) { return d.nID == nID; });
    return it == defs.end() ? nullptr : &*it;
}

const std::vector<CCommandTable::MenuPopup>& CCommandTable::MenuLayout()
{
    static const std::vector<MenuPopup> layout = {
        { "ファイル(&F)",
            { { ID_FILE_OPEN, nullptr, {} }, { ID_OPEN_FOLDER, nullptr, {} }, { ID_OPEN_PLAYLIST, nullptr, {} },
                { 0, nullptr, {} },
                { ID_ADD_FILES, nullptr, {} }, { ID_ADD_FOLDER, nullptr, {} }, { ID_ADD_PLAYLIST, nullptr, {} },
                { 0, nullptr, {} },
                { ID_SAVE_PLAYLIST, nullptr, {} }, { ID_SAVE_PLAYLIST_AS, nullptr, {} },
                { 0, nullptr, {} },
                { ID_PLAYLIST_WINDOW, nullptr, {} },
                { 0, nullptr, {} },
                { ID_DSHOW_INFO, nullptr, {} }, { ID_MEDIA_INFO, nullptr, {} },
                { 0, nullptr, {} },
                { ID_APP_EXIT, nullptr, {} } } },
        { "操作(&M)",
            { { ID_PLAY_PAUSE, nullptr, {} }, { ID_STOP, nullptr, {} }, { ID_PREV, nullptr, {} },
                { ID_NEXT, nullptr, {} },
                { 0, nullptr, {} },
                { ID_FULL_SCREEN, nullptr, {} },
                { 0, "ビデオのサイズ(&Z)",
                    { { ID_SIZE_50, nullptr, {} }, { ID_SIZE_100, nullptr, {} }, { ID_SIZE_200, nullptr, {} } } },
                { ID_ASPECT_FIX, nullptr, {} },
                { 0, nullptr, {} },
                { 0, "コマ送り(&S)",
                    { { ID_SKIP_FORWARD, nullptr, {} }, { ID_FRAME_FORWARD, nullptr, {} },
                        { ID_FRAME_BACK, nullptr, {} }, { ID_SKIP_BACK, nullptr, {} } } },
                { 0, nullptr, {} },
                { ID_SAVE_STILL, nullptr, {} },
                { 0, nullptr, {} },
                { ID_MUTE, nullptr, {} },
                { 0, nullptr, {} },
                { 0, "リピート(&R)",
                    { { ID_REPEAT_NONE, nullptr, {} }, { ID_REPEAT_ALL, nullptr, {} },
                        { ID_REPEAT_RANDOM, nullptr, {} } } },
                { ID_ONE_LOOP, nullptr, {} },
                { 0, "A-B間リピート(&A)",
                    { { ID_A_SET, nullptr, {} }, { ID_B_SET, nullptr, {} }, { ID_AB_CLEAR, nullptr, {} },
                        { 0, nullptr, {} },
                        { ID_A_GO, nullptr, {} }, { ID_B_GO, nullptr, {} },
                        { 0, nullptr, {} },
                        { ID_AB_START, nullptr, {} }, { ID_AB_END, nullptr, {} } } } } },
        { "設定(&O)",
            { { ID_EXT_SETTINGS, nullptr, {} },
                { 0, nullptr, {} },
                { ID_CAPTURE_OPTIONS, nullptr, {} },
                { 0, nullptr, {} },
                { ID_USE_VOL_DB, nullptr, {} }, { ID_RESET_VOL_DB, nullptr, {} },
                { 0, nullptr, {} },
                { ID_ACC_MULTI_BOOT, nullptr, {} }, { ID_ACC_SAME_DATA, nullptr, {} },
                { ID_ACC_SUB_FOLDER, nullptr, {} },
                { 0, nullptr, {} },
                { ID_FIRST_USE_LIST, nullptr, {} }, { ID_BLACK_LIST, nullptr, {} },
                { 0, nullptr, {} },
                { ID_DISABLE_VMR9, nullptr, {} }, { ID_DISABLE_DEINTERLACE, nullptr, {} },
                { 0, nullptr, {} },
                { ID_SENDTO_REGISTER, nullptr, {} }, { ID_SENDTO_UNREGISTER, nullptr, {} } } },
        { "ヘルプ(&H)",
            { { ID_HELP_FINDER, nullptr, {} },
                { 0, nullptr, {} },
                { ID_APP_ABOUT, nullptr, {} } } },
    };
    return layout;
}

CCommandTable::CCommandTable(CMainFrame& frame)
    : QObject(&frame)
    , m_frame(frame)
{
}

QAction* CCommandTable::MakeAction(const CCommandDef& def)
{
    auto* action = new QAction(def.pszLabel ? QString::fromUtf8(def.pszLabel) : QString(), &m_frame);
    action->setData(def.nID);
    action->setShortcuts(def.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(def.pCheck != nullptr);
    const int nID = def.nID;
    connect(action, &QAction::triggered, this, [this, nID] { Dispatch(nID); });
    // On the frame itself, so that keys work whether or not a menu shows
    // the command.
    m_frame.addAction(action);
    m_actions.insert(nID, action);
    return action;
}

void CCommandTable::Build(QMenuBar& menuBar)
{
    for (const CCommandDef& def : Defs())
        MakeAction(def);
    for (const MenuPopup& popup : MenuLayout()) {
        QMenu* menu = menuBar.addMenu(QString::fromUtf8(popup.pszTitle));
        AddItems(*menu, popup.items);
    }
}

void CCommandTable::AddItems(QMenu& menu, const std::vector<MenuItem>& items)
{
    connect(&menu, &QMenu::aboutToShow, this, [this, &menu] { UpdatePopup(menu); });
    connect(&menu, &QMenu::aboutToHide, this, [this, &menu] { RestorePopup(menu); });
    for (const MenuItem& item : items) {
        if (item.pszPopup)
            AddItems(*menu.addMenu(QString::fromUtf8(item.pszPopup)), item.subItems);
        else if (item.nID == 0)
            menu.addSeparator();
        else
            menu.addAction(m_actions.value(item.nID));
    }
}

void CCommandTable::UpdatePopup(QMenu& menu)
{
    const CCommandState state = m_frame.CommandState();
    for (QAction* action : menu.actions()) {
        const CCommandDef* def = action->menu() ? nullptr : Find(action->data().toInt());
        if (!def)
            continue;
        action->setEnabled(def->pHandler && RuleEnabled(*def, state));
        if (def->pCheck)
            action->setChecked(RuleChecked(*def, state));
    }
}

// A grey item's keys must still reach Dispatch, which decides anew: while
// no popup shows, every command's action stays enabled.
void CCommandTable::RestorePopup(QMenu& menu)
{
    for (QAction* action : menu.actions())
        if (!action->menu() && !action->isSeparator())
            action->setEnabled(true);
}

bool CCommandTable::IsEnabled(int nID) const { return IsEnabled(nID, m_frame.CommandState()); }

bool CCommandTable::IsEnabled(int nID, const CCommandState& state)
{
    const CCommandDef* def = Find(nID);
    return def && def->pHandler && RuleEnabled(*def, state);
}

void CCommandTable::Dispatch(int nID)
{
    const CCommandDef* def = Find(nID);
    if (!def || !def->pHandler || !RuleEnabled(*def, m_frame.CommandState()))
        return;
    (m_frame.*def->pHandler)();
}
