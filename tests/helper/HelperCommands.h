#pragma once
// Commands of the test helper program: `orv_test_helper <command> args...`.
// Each file registers its commands with ORV_HELPER_COMMAND.

#include <QStringList>

using HelperCommand = int (*)(const QStringList& args);

struct HelperRegistration {
    HelperRegistration(const char* name, HelperCommand command);
};

#define ORV_HELPER_COMMAND(id, name)                                  \
    static int id##_run(const QStringList& args);                      \
    static const HelperRegistration id##_registration(name, id##_run); \
    static int id##_run(const QStringList& args)
