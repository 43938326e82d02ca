// The filter list dialog on a scripted registry: what the categories list,
// what registering, deleting and clearing do to the working copy, the
// 50-name limit, and the failures it reports.

#include "FakeMediaGraph.h"
#include "ScriptedResponder.h"

#include "filters/BLDlg.h"
#include "platform/ResString.h"
#include "res/StringIds.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int kAllFilters = 7;

class BLDlgTest : public ::testing::Test {
protected:
    std::unique_ptr<CBLDlg> Open(CBLDlg::Mode mode = CBLDlg::Mode::BlackList)
    {
        return std::make_unique<CBLDlg>(list, mode, fake.factory);
    }
    template <typename T>
    static T* Control(CBLDlg& dlg, int nID)
    {
        T* control = dlg.findChild<T*>(QString::number(nID));
        EXPECT_NE(control, nullptr) << nID;
        return control;
    }
    static QStringList Items(CBLDlg& dlg, int nID)
    {
        QStringList out;
        const QListWidget* box = Control<QListWidget>(dlg, nID);
        for (int i = 0; i < box->count(); ++i)
            out << box->item(i)->text();
        return out;
    }
    static bool Enabled(CBLDlg& dlg, int nID) { return Control<QPushButton>(dlg, nID)->isEnabled(); }
    // As the user picks an entry of the drop-down list.
    static void Choose(CBLDlg& dlg, int nCategory)
    {
        QComboBox* category = Control<QComboBox>(dlg, 1030);
        category->setCurrentIndex(nCategory);
        Q_EMIT category->activated(nCategory);
    }
    // Selects the filter and presses "登録".
    static void Register(CBLDlg& dlg, const QString& name)
    {
        const QList<QListWidgetItem*> found = Control<QListWidget>(dlg, 1014)->findItems(name, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << qPrintable(name);
        found.first()->setSelected(true);
        Control<QPushButton>(dlg, 1031)->click();
    }
    static void SelectRegistered(CBLDlg& dlg, int nRow)
    {
        Control<QListWidget>(dlg, 1028)->item(nRow)->setSelected(true);
    }
    QStringList BoxTexts() const
    {
        QStringList out;
        for (const ScriptedResponder::Box& box : responder.boxes)
            out << box.text;
        return out;
    }
    static QStringList Names(const FilterNameList& names)
    {
        QStringList out;
        for (int i = 0; i < names.GetCount(); ++i)
            out << names.GetAt(i);
        return out;
    }
    void Installed(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            fake.state->registry.push_back({ QString::fromUtf8(name), QString::fromUtf8(name).toLower() });
    }

    FakeGraphSetup fake;
    ScriptedResponder responder;
    FilterNameList list;
};

TEST_F(BLDlgTest, OpensOnTheListWithNothingChosen)
{
    list.Add(QStringLiteral("Gone decoder")); // no longer installed, still listed
    list.Add(QStringLiteral("Avi demuxer"));
    auto dlg = Open();
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("ブラックリストフィルタの登録"));
    EXPECT_EQ(Open(CBLDlg::Mode::FirstUse)->windowTitle(), QStringLiteral("優先的に使用するフィルタの登録"));

    const QComboBox* category = Control<QComboBox>(*dlg, 1030);
    QStringList categories;
    for (int i = 0; i < category->count(); ++i)
        categories << category->itemText(i);
    EXPECT_EQ(categories,
        QStringList({ "MPEG-1 Splitter", "MPEG-2 Splitter", "MPEG-2 Demultiplexer", "MPEG-1 Video Decoder",
            "MPEG-1 Audio Decoder", "MPEG-2 Video Decoder", "MPEG-2 Audio Decoder", "全てのDirectShowフィルタ" }));
    EXPECT_EQ(category->currentIndex(), -1);
    EXPECT_TRUE(Items(*dlg, 1014).isEmpty());
    EXPECT_EQ(Items(*dlg, 1028), QStringList({ "Gone decoder", "Avi demuxer" }));
    EXPECT_FALSE(Enabled(*dlg, 1031));
    EXPECT_FALSE(Enabled(*dlg, 1032));
    EXPECT_TRUE(Enabled(*dlg, 1033));
    EXPECT_TRUE(fake.state->calls.isEmpty());

    list.Clear();
    EXPECT_FALSE(Enabled(*Open(), 1033));
}

TEST_F(BLDlgTest, FiltersAreSortedKeepTheirDuplicatesAndAreSearchedOnEveryChoice)
{
    Installed({ "mpeg1 and mpeg2 video decoder", "", "MPEG video elementary stream parser",
        "libav MP3 (MPEG audio layer 3) decoder", "Avi demuxer", "libav MP3 (MPEG audio layer 3) decoder" });
    auto dlg = Open();
    Choose(*dlg, kAllFilters);
    // Without regard to case, as a sorted list box has it.
    const QStringList sorted { "Avi demuxer", "libav MP3 (MPEG audio layer 3) decoder",
        "libav MP3 (MPEG audio layer 3) decoder", "MPEG video elementary stream parser",
        "mpeg1 and mpeg2 video decoder" };
    EXPECT_EQ(Items(*dlg, 1014), sorted);

    Control<QListWidget>(*dlg, 1014)->item(0)->setSelected(true);
    EXPECT_TRUE(Enabled(*dlg, 1031));
    // The same category again searches again and replaces the list.
    fake.state->registry.pop_back();
    Choose(*dlg, kAllFilters);
    EXPECT_EQ(fake.state->CountCalls(QStringLiteral("EnumAllFilters")), 2);
    EXPECT_EQ(Items(*dlg, 1014).size(), 4);
    EXPECT_FALSE(Enabled(*dlg, 1031));

    // A kind of filter is searched for by the types its input takes.
    Choose(*dlg, 4);
    EXPECT_TRUE(fake.state->Called(QStringLiteral("EnumMatchingFilters(audio/mpeg, mpegversion=1)")));
    EXPECT_TRUE(BoxTexts().isEmpty());
}

TEST_F(BLDlgTest, FailedSearchesSayWhichPartFailedAndLeaveTheListsAlone)
{
    Installed({ "Avi demuxer" });
    list.Add(QStringLiteral("JPEG image decoder"));
    auto dlg = Open();
    Choose(*dlg, kAllFilters);
    ASSERT_EQ(Items(*dlg, 1014).size(), 1);

    fake.state->SetResult(QStringLiteral("CreateFilterRegistry"), E_FAIL);
    Choose(*dlg, kAllFilters);
    EXPECT_TRUE(Items(*dlg, 1014).isEmpty());
    Choose(*dlg, 0);
    fake.state->SetResult(QStringLiteral("CreateFilterRegistry"), S_OK);
    fake.state->SetResult(QStringLiteral("EnumMatchingFilters"), E_FAIL);
    Choose(*dlg, 6);
    EXPECT_EQ(BoxTexts(), QStringList({ LoadResString(IDS_DEV_ENUM_FAILED), LoadResString(IDS_FILTER_MAPPER_FAILED),
                              LoadResString(IDS_ENUM_FILTERS_FAILED) }));
    for (const ScriptedResponder::Box& box : responder.boxes)
        EXPECT_EQ(box.style, MB_ICONERROR);
    EXPECT_TRUE(Items(*dlg, 1014).isEmpty());
    EXPECT_EQ(Items(*dlg, 1028), QStringList { "JPEG image decoder" });

    // No filters at all is no failure.
    fake.state->registry.clear();
    responder.boxes.clear();
    Choose(*dlg, kAllFilters);
    EXPECT_TRUE(BoxTexts().isEmpty());
}

TEST_F(BLDlgTest, ANameIsRegisteredOnceAndFiftyAtMost)
{
    for (int i = 0; i < 51; ++i)
        fake.state->registry.push_back({ QStringLiteral("Filter %1").arg(i, 2, 10, QLatin1Char('0')), {} });
    auto dlg = Open();
    Choose(*dlg, kAllFilters);
    Register(*dlg, QStringLiteral("Filter 07"));
    Register(*dlg, QStringLiteral("Filter 07"));
    EXPECT_EQ(Names(dlg->GetList()), QStringList { "Filter 07" });
    EXPECT_TRUE(Enabled(*dlg, 1033));

    for (int i = 0; i < 51; ++i)
        Register(*dlg, QStringLiteral("Filter %1").arg(i, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(dlg->GetList().GetCount(), FilterNameList::MAX_NAMES);
    EXPECT_EQ(Items(*dlg, 1028).size(), FilterNameList::MAX_NAMES);
    EXPECT_FALSE(dlg->GetList().Contains(QStringLiteral("Filter 50")));
    ASSERT_EQ(BoxTexts(), QStringList { LoadResString(IDS_LIST_LIMIT) });
    EXPECT_EQ(responder.boxes.front().style, MB_ICONINFORMATION);
    // Registered in the order they were chosen.
    EXPECT_EQ(dlg->GetList().GetAt(0), QStringLiteral("Filter 07"));
    EXPECT_EQ(dlg->GetList().GetAt(1), QStringLiteral("Filter 00"));
}

TEST_F(BLDlgTest, DeletingAndClearingTheRegisteredNames)
{
    for (const char* name : { "A", "B", "C" })
        list.Add(QString::fromUtf8(name));
    auto dlg = Open();
    SelectRegistered(*dlg, 1);
    EXPECT_TRUE(Enabled(*dlg, 1032));
    Control<QPushButton>(*dlg, 1032)->click();
    EXPECT_EQ(Names(dlg->GetList()), QStringList({ "A", "C" }));
    EXPECT_EQ(Items(*dlg, 1028), QStringList({ "A", "C" }));
    EXPECT_FALSE(Enabled(*dlg, 1032));
    EXPECT_TRUE(Enabled(*dlg, 1033));

    SelectRegistered(*dlg, 0);
    Control<QPushButton>(*dlg, 1032)->click();
    SelectRegistered(*dlg, 0);
    Control<QPushButton>(*dlg, 1032)->click();
    EXPECT_EQ(dlg->GetList().GetCount(), 0);
    EXPECT_FALSE(Enabled(*dlg, 1033));

    auto again = Open();
    SelectRegistered(*again, 2);
    Control<QPushButton>(*again, 1033)->click();
    EXPECT_EQ(again->GetList().GetCount(), 0);
    EXPECT_TRUE(Items(*again, 1028).isEmpty());
    EXPECT_FALSE(Enabled(*again, 1032));
    EXPECT_FALSE(Enabled(*again, 1033));
}

TEST_F(BLDlgTest, TheDialogEditsACopy)
{
    Installed({ "Avi demuxer" });
    list.Add(QStringLiteral("JPEG image decoder"));
    auto dlg = Open();
    Choose(*dlg, kAllFilters);
    Register(*dlg, QStringLiteral("Avi demuxer"));
    Control<QPushButton>(*dlg, 2)->click();
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(Names(list), QStringList { "JPEG image decoder" });

    auto ok = Open();
    Choose(*ok, kAllFilters);
    Register(*ok, QStringLiteral("Avi demuxer"));
    Control<QPushButton>(*ok, 1)->click();
    EXPECT_EQ(ok->result(), QDialog::Accepted);
    EXPECT_EQ(Names(ok->GetList()), QStringList({ "JPEG image decoder", "Avi demuxer" }));
}

} // namespace
