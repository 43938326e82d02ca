#include "platform/ResString.h"
#include "player/ErrMessage.h"

#include <gtest/gtest.h>

namespace {

TEST(StringTable, EveryMessageIdHasItsTextAndCodesShowEightLowerCaseHexDigits)
{
    std::vector<int> expected { IDS_APP_TITLE, IDS_UNKNOWN_ERROR, IDS_NO_ERROR };
    for (int id = IDS_NO_SAVE_FOLDER; id <= IDS_JPEG_SAVE_FAILED; ++id)
        expected.push_back(id);
    for (int id = IDS_DSHOW_UNKNOWN_ERROR; id <= DShowErrorStringId(ERR_SET_SITE); ++id)
        expected.push_back(id);
    for (int id : expected)
        EXPECT_FALSE(LoadResString(id).isEmpty()) << id;
    EXPECT_EQ(AllResStringIds().size(), expected.size());
    EXPECT_TRUE(LoadResString(99999).isEmpty());

    EXPECT_EQ(CDirectShowErrMessage(ERR_RUN, E_FAIL).FormatText(),
        QStringLiteral("IMediaControl::Run()でエラーが発生しました Code = 0x80004005"));
    EXPECT_EQ(FormatErrorText("%1 %2", 0x2A), "%1 %2 Code = 0x0000002a");
}

} // namespace
