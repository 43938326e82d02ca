#pragma once
// Answers the program's message boxes and dialogs from a script and records
// what was asked. Installed for the life of the object.

#include "platform/ModalSeam.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <vector>

class ScriptedResponder : public IModalResponder {
public:
    struct Box {
        QString text;
        unsigned style;
        QString detail;
        QString informative;
    };

    ScriptedResponder() { SetModalResponder(this); }
    ~ScriptedResponder() override { SetModalResponder(nullptr); }
    ScriptedResponder(const ScriptedResponder&) = delete;
    ScriptedResponder& operator=(const ScriptedResponder&) = delete;

    // Answers for the next boxes; when none is queued a box answers IDOK
    // (or IDCANCEL for a question).
    std::deque<int> boxAnswers;
    // Run while the next boxes are open, one for each box: what the box's
    // event loop would let in, such as a second start's files. An empty
    // function lets that box pass.
    std::deque<std::function<void()>> whileBoxOpen;
    std::deque<QStringList> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<QString> folderAnswers;
    // Runs in place of a modal dialog; returns its result.
    std::deque<std::function<int(QDialog&)>> dialogScripts;

    std::vector<Box> boxes;
    std::vector<QString> dialogDirs; // start folder of every file or folder dialog

    int MessageBox(const MessageBoxTexts& texts, unsigned style) override;
    QStringList GetOpenFileNames(QWidget*, const QString&, const QString& dir, const QString&, bool) override;
    QString GetSaveFileName(QWidget*, const QString&, const QString& dir, const QString&, const QString&) override;
    QString GetExistingDirectory(QWidget*, const QString&, const QString& dir) override;
    int ExecDialog(QDialog& dialog) override;
};
