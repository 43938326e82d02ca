#pragma once
// "--help" and "--version": answered on standard output before anything
// else starts, so asking for them never opens a window, loads GStreamer or
// takes the instance locks.

#include <QStringList>

#include <cstdio>

enum class InfoOption { None, Help, Version };

// The first of them among the switches (arguments without the program's
// name); after "--" every token is a path.
InfoOption FindInfoOption(const QStringList& args);

// The text printed for the option (empty for None).
QString InfoOptionText(InfoOption option);

// Prints the text when the command line asks for it; TRUE: the program is
// to end at once.
bool AnswerInfoOption(int argc, char** argv, std::FILE* out);
