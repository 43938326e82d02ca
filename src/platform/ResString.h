#pragma once
#include <QString>
#include <vector>

// STRING 128: the program's title.
constexpr int IDS_APP_TITLE = 128;

// The text of a string-table entry; empty when the id is unknown.
QString LoadResString(int id);
bool HasResString(int id);
std::vector<int> AllResStringIds();
