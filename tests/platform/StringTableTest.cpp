#include "platform/ResString.h"
#include "player/ErrMessage.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

TEST(StringTable, EveryMessageIdHasItsText)
{
    std::vector<int> expected { IDS_APP_TITLE, IDS_UNKNOWN_ERROR, IDS_NO_ERROR };
    for (int id = IDS_NO_SAVE_FOLDER; id <= IDS_JPEG_SAVE_FAILED; ++id)
        expected.push_back(id);
    for (int id = IDS_DSHOW_UNKNOWN_ERROR; id <= DShowErrorStringId(ERR_SET_SITE); ++id)
        expected.push_back(id);
    for (int id : expected) {
        EXPECT_TRUE(HasResString(id)) << id;
        EXPECT_FALSE(LoadResString(id).isEmpty()) << id;
    }
    EXPECT_EQ(AllResStringIds().size(), expected.size());
    EXPECT_EQ(LoadResString(128), "orv");
    EXPECT_EQ(LoadResString(IDS_PLAYLIST_FULL), QStringLiteral("プレイリストの登録上限は1024です。登録上限を超えるため追加できません"));
    EXPECT_EQ(LoadResString(DShowErrorStringId(ERR_SET_SITE)), QStringLiteral("IObjectWithSite::SetSite()でエラーが発生しました"));
    EXPECT_TRUE(LoadResString(99999).isEmpty());
}

TEST(ErrMessage, TextShowsEightLowerCaseHexDigits)
{
    EXPECT_EQ(CDirectShowErrMessage(ERR_RUN, E_FAIL).FormatText(),
        QStringLiteral("IMediaControl::Run()でエラーが発生しました Code = 0x80004005"));
    EXPECT_EQ(FormatErrorText("%1 %2", 0x2A), "%1 %2 Code = 0x0000002a");
}

} // namespace
