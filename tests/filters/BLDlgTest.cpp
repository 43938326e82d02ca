// The filter list dialog on a scripted registry: what the categories list,
// registering once and the 50-name limit, and the failures it reports.

#include "DialogControls.h"
#include "ScriptedResponder.h"

#include "filters/BLDlg.h"
#include "platform/ResString.h"
#include "player/graph/MediaGraph.h"
#include "res/StringIds.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include <map>

namespace {

constexpr int kAllFilters = 7;

// The installed filters and the answers the dialog's searches get.
struct ScriptedRegistry final : IMediaGraphFactory {
    std::vector<FilterMoniker> registry;
    std::map<QString, HRESULT> results;

    HRESULT Result(const QString& strCall) const
    {
        const auto it = results.find(strCall);
        return it == results.end() ? S_OK : it->second;
    }

    HRESULT CreateGraph(std::unique_ptr<IMediaGraph>*) override { return E_NOTIMPL; }
    HRESULT CreateFilterRegistry(std::unique_ptr<IFilterRegistry>* ppRegistry) override
    {
        const HRESULT hr = Result(QStringLiteral("CreateFilterRegistry"));
        if (SUCCEEDED(hr))
            *ppRegistry = std::make_unique<Registry>(*this);
        return hr;
    }

    struct Registry final : IFilterRegistry {
        explicit Registry(ScriptedRegistry& owner)
            : m_owner(owner)
        {
        }
        HRESULT EnumAllFilters(std::vector<FilterMoniker>* pFilters) override
        {
            *pFilters = m_owner.registry;
            return m_owner.Result(QStringLiteral("EnumAllFilters"));
        }
        HRESULT EnumMatchingFilters(const QStringList&, std::vector<FilterMoniker>*) override
        {
            return m_owner.Result(QStringLiteral("EnumMatchingFilters"));
        }
        ScriptedRegistry& m_owner;
    };
};

class BLDlgTest : public ::testing::Test {
protected:
    std::unique_ptr<CBLDlg> Open(CBLDlg::Mode mode = CBLDlg::Mode::BlackList)
    {
        auto dlg = std::make_unique<CBLDlg>(list, mode, fake);
        filters = dlg->findChild<QListWidget*>(QStringLiteral("1014"));
        for (int nID : { 1031, 1033, 1, 2 })
            buttons[nID] = dlg->findChild<QPushButton*>(QString::number(nID));
        return dlg;
    }
    // As the user picks an entry of the drop-down list.
    static void Choose(CBLDlg& dlg, int nCategory)
    {
        auto* category = dlg.findChild<QComboBox*>(QStringLiteral("1030"));
        category->setCurrentIndex(nCategory);
        Q_EMIT category->activated(nCategory);
    }
    // Selects the filter and presses "登録".
    void Register(const QString& name)
    {
        filters->findItems(name, Qt::MatchExactly).value(0)->setSelected(true);
        buttons[1031]->click();
    }
    QStringList BoxTexts() const
    {
        QStringList out;
        for (const ScriptedResponder::Box& box : responder.boxes)
            out << box.text;
        return out;
    }
    void Installed(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            fake.registry.push_back({ QString::fromUtf8(name), QString() });
    }

    ScriptedRegistry fake;
    ScriptedResponder responder;
    FilterNameList list;
    QListWidget* filters = nullptr;
    std::map<int, QPushButton*> buttons;
};

TEST_F(BLDlgTest, FiltersAreSortedKeepTheirDuplicatesAndAreSearchedOnEveryChoice)
{
    Installed({ "mpeg1 and mpeg2 video decoder", "", "MPEG video elementary stream parser",
        "libav MP3 (MPEG audio layer 3) decoder", "Avi demuxer", "libav MP3 (MPEG audio layer 3) decoder" });
    auto dlg = Open();
    Choose(*dlg, kAllFilters);
    // Without regard to case, as a sorted list box has it; nameless ones left out.
    EXPECT_EQ(ListRows(*dlg, 1014),
        QStringList({ "Avi demuxer", "libav MP3 (MPEG audio layer 3) decoder", "libav MP3 (MPEG audio layer 3) decoder",
            "MPEG video elementary stream parser", "mpeg1 and mpeg2 video decoder" }));

    filters->item(0)->setSelected(true);
    EXPECT_TRUE(buttons[1031]->isEnabled());
    // The same category again searches again and replaces the list.
    fake.registry.pop_back();
    Choose(*dlg, kAllFilters);
    EXPECT_EQ(filters->count(), 4);
    EXPECT_FALSE(buttons[1031]->isEnabled());
    EXPECT_TRUE(BoxTexts().isEmpty());
}

TEST_F(BLDlgTest, FailedSearchesSayWhichPartFailedAndLeaveTheListsAlone)
{
    Installed({ "Avi demuxer" });
    list.Add(QStringLiteral("JPEG image decoder"));
    auto dlg = Open();
    Choose(*dlg, kAllFilters);
    fake.results[QStringLiteral("CreateFilterRegistry")] = E_FAIL;
    Choose(*dlg, kAllFilters);
    EXPECT_EQ(filters->count(), 0);
    Choose(*dlg, 0);
    fake.results[QStringLiteral("CreateFilterRegistry")] = S_OK;
    fake.results[QStringLiteral("EnumMatchingFilters")] = E_FAIL;
    Choose(*dlg, 6);
    EXPECT_EQ(BoxTexts(), QStringList({ LoadResString(IDS_DEV_ENUM_FAILED), LoadResString(IDS_FILTER_MAPPER_FAILED),
                              LoadResString(IDS_ENUM_FILTERS_FAILED) }));
    for (const ScriptedResponder::Box& box : responder.boxes)
        EXPECT_EQ(box.style, MB_ICONERROR);
    EXPECT_EQ(filters->count(), 0);
    EXPECT_EQ(ListRows(*dlg, 1028), QStringList { "JPEG image decoder" });
}

TEST_F(BLDlgTest, ANameIsRegisteredOnceAndFiftyAtMost)
{
    for (int i = 0; i < 51; ++i)
        fake.registry.push_back({ QStringLiteral("Filter %1").arg(i, 2, 10, QLatin1Char('0')), {} });
    auto dlg = Open();
    Choose(*dlg, kAllFilters);
    Register(QStringLiteral("Filter 07"));
    Register(QStringLiteral("Filter 07"));
    EXPECT_EQ(ListRows(*dlg, 1028), QStringList { "Filter 07" });
    EXPECT_TRUE(buttons[1033]->isEnabled());

    for (int i = 0; i < 51; ++i)
        Register(QStringLiteral("Filter %1").arg(i, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(dlg->GetList().GetCount(), FilterNameList::MAX_NAMES);
    EXPECT_EQ(ListRows(*dlg, 1028).size(), FilterNameList::MAX_NAMES);
    EXPECT_FALSE(dlg->GetList().Contains(QStringLiteral("Filter 50")));
    EXPECT_EQ(dlg->GetList().GetAt(1), QStringLiteral("Filter 00"));
    ASSERT_EQ(BoxTexts(), QStringList { LoadResString(IDS_LIST_LIMIT) });
    EXPECT_EQ(responder.boxes.front().style, MB_ICONINFORMATION);
}

TEST_F(BLDlgTest, TheDialogEditsACopy)
{
    Installed({ "Avi demuxer" });
    list.Add(QStringLiteral("JPEG image decoder"));
    for (int nButton : { 2, 1 }) {
        auto dlg = Open();
        Choose(*dlg, kAllFilters);
        Register(QStringLiteral("Avi demuxer"));
        buttons[nButton]->click();
        EXPECT_EQ(dlg->result(), nButton == 1 ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(dlg->GetList().GetAt(1), QStringLiteral("Avi demuxer"));
        EXPECT_EQ(list.GetCount(), 1);
    }
}

} // namespace
