// Qt's own dialogs speak Japanese beside the program's texts once the
// program has loaded Qt's catalogue.

#include "app/QtTranslations.h"
#include "platform/ModalSeam.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

namespace {

class QtTranslationsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InstallQtTranslations(*qApp)) << "qt6-translations-l10n is missing"; }
    void TearDown() override
    {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    // Once the next modal dialog is up: the texts of its buttons, then it
    // is closed the way its Cancel (or Escape) would.
    void ReadButtonsOfNextDialog()
    {
        QTimer::singleShot(50, [this] { ReadAndClose(); });
    }

    QStringList m_buttons;

private:
    void ReadAndClose()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            QTimer::singleShot(50, [this] { ReadAndClose(); });
            return;
        }
        for (QDialogButtonBox* box : modal->findChildren<QDialogButtonBox*>())
            for (QAbstractButton* button : box->buttons())
                m_buttons << button->text();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    }
};

// No Latin letters left once the mnemonic "(&O)" is taken out.
bool ReadsJapanese(const QString& text)
{
    QString bare = text;
    bare.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    bare.remove(QLatin1Char('&'));
    return !bare.isEmpty() && !bare.contains(QRegularExpression(QStringLiteral("[A-Za-z]")));
}

TEST_F(QtTranslationsTest, FileDialogButtonsReadInJapanese)
{
    QTemporaryDir dir;
    ReadButtonsOfNextDialog();
    EXPECT_TRUE(Modal().GetOpenFileNames(nullptr, QStringLiteral("開く"), dir.path(), QStringLiteral("*"), true)
                    .isEmpty());
    ASSERT_GE(m_buttons.size(), 2);
    for (const QString& text : m_buttons)
        EXPECT_TRUE(ReadsJapanese(text)) << text.toStdString();

    m_buttons.clear();
    ReadButtonsOfNextDialog();
    EXPECT_TRUE(Modal().GetExistingDirectory(nullptr, QStringLiteral("フォルダ"), dir.path()).isEmpty());
    ASSERT_GE(m_buttons.size(), 2);
    for (const QString& text : m_buttons)
        EXPECT_TRUE(ReadsJapanese(text)) << text.toStdString();
}

TEST_F(QtTranslationsTest, MessageBoxButtonsAndDetailsReadInJapanese)
{
    ReadButtonsOfNextDialog();
    AfxMessageBox({ QStringLiteral("保存しますか"), QString(), QStringLiteral("詳細") }, MB_YESNOCANCEL);
    // Yes, No, Cancel and the details button.
    ASSERT_EQ(m_buttons.size(), 4);
    for (const QString& text : m_buttons)
        EXPECT_TRUE(ReadsJapanese(text)) << text.toStdString();
}

} // namespace
