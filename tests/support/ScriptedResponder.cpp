#include "ScriptedResponder.h"

namespace {
template <typename T>
T Take(std::deque<T>& q, T fallback)
{
    if (q.empty())
        return fallback;
    T v = std::move(q.front());
    q.pop_front();
    return v;
}
} // namespace

int ScriptedResponder::MessageBox(const MessageBoxTexts& texts, unsigned style)
{
    boxes.push_back({ texts.text, style, texts.detail, texts.informative });
    if (const auto hook = Take(whileBoxOpen, std::function<void()>()))
        hook();
    const unsigned buttons = style & 0x0F;
    const int fallback = (buttons == MB_YESNO || buttons == MB_YESNOCANCEL || buttons == MB_OKCANCEL)
        ? IDCANCEL
        : IDOK;
    return Take(boxAnswers, fallback);
}

QStringList ScriptedResponder::GetOpenFileNames(QWidget*, const QString&, const QString& dir,
    const QString&, bool)
{
    dialogDirs.push_back(dir);
    return Take(openAnswers, QStringList());
}

QString ScriptedResponder::GetSaveFileName(QWidget*, const QString&, const QString& dir, const QString&,
    const QString&)
{
    dialogDirs.push_back(dir);
    return Take(saveAnswers, QString());
}

QString ScriptedResponder::GetExistingDirectory(QWidget*, const QString&, const QString& dir)
{
    dialogDirs.push_back(dir);
    return Take(folderAnswers, QString());
}

int ScriptedResponder::ExecDialog(QDialog& dialog)
{
    auto script = Take(dialogScripts, std::function<int(QDialog&)>());
    return script ? script(dialog) : static_cast<int>(QDialog::Rejected);
}
