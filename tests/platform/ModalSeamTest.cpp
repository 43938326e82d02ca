// The seam's count of open boxes and the work it holds until they close.

#include "ScriptedResponder.h"

#include "platform/ModalSeam.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>

#include <memory>

namespace {

// The box's own event loop, or the program's once the box has closed.
void RunPosted() { QCoreApplication::sendPostedEvents(); }

TEST(ModalSeam, WorkFromUnderABoxRunsInOrderOnceTheLastBoxHasClosedAndItsCallerHasReturned)
{
    ScriptedResponder responder;
    QObject owner;
    auto pGone = std::make_unique<QObject>();
    QStringList ran;
    responder.whileBoxOpen = {
        [&] {
            RunWhenNoModal(&owner, [&] { ran << "event"; });
            PostWhenNoModal(pGone.get(), [&] { ran << "gone"; });
            PostWhenNoModal(&owner, [&] {
                ran << "hand-off";
                AfxMessageBox(QStringLiteral("question"));
                ran << "answered";
            });
            // A box inside the box: its closing leaves the outer one open.
            AfxMessageBox(QStringLiteral("inner"));
            RunPosted();
            EXPECT_TRUE(ran.isEmpty());
        },
        {},
        // Under the held work's own box, later work waits for that box.
        [&] {
            PostWhenNoModal(&owner, [&] { ran << "drop"; });
            RunPosted();
            EXPECT_EQ(ran, (QStringList { "event", "hand-off" }));
        },
    };
    AfxMessageBox(QStringLiteral("load failed"));
    EXPECT_TRUE(ran.isEmpty()) << "the box's caller goes on first";
    pGone.reset();
    RunPosted();
    EXPECT_EQ(ran, (QStringList { "event", "hand-off", "answered", "drop" }));

    // No box and nothing waiting: at once.
    EXPECT_FALSE(IsModalOpen());
    RunWhenNoModal(&owner, [&] { ran << "now"; });
    EXPECT_EQ(ran.last(), "now");

    // A dialog holds work as a box does.
    responder.dialogScripts = { [&](QDialog&) {
        RunWhenNoModal(&owner, [&] { ran << "dialog"; });
        EXPECT_EQ(ran.last(), "now");
        return int(QDialog::Rejected);
    } };
    QDialog dialog;
    Modal().ExecDialog(dialog);
    RunPosted();
    EXPECT_EQ(ran.last(), "dialog");
}

} // namespace
