#pragma once
// Texts are UTF-8, sorted by id.

struct ResStringEntry {
    int id;
    const char* text;
};

extern const ResStringEntry kResStrings[];
extern const int kResStringCount;
