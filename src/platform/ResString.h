#pragma once
#include "res/StringIds.h"

#include <QString>
#include <vector>

// The text of a string-table entry; empty when the id is unknown.
QString LoadResString(int id);
bool HasResString(int id);
std::vector<int> AllResStringIds();
