#include "HelperCommands.h"

#include <QCoreApplication>

#include <cstdio>
#include <map>
#include <string>

namespace {
std::map<std::string, HelperCommand>& Registry()
{
    static std::map<std::string, HelperCommand> r;
    return r;
}
} // namespace

HelperRegistration::HelperRegistration(const char* name, HelperCommand command)
{
    Registry()[name] = command;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: orv_test_helper <command> args...\n");
        return 2;
    }
    const auto it = Registry().find(args.takeFirst().toStdString());
    if (it == Registry().end()) {
        std::fprintf(stderr, "orv_test_helper: unknown command\n");
        return 2;
    }
    return it->second(args);
}
