#include "shell/MprisRoot.h"

#include "shell/DesktopEntry.h"
#include "shell/MprisService.h"

CMprisRootAdaptor::CMprisRootAdaptor(CMprisService& service)
    : QDBusAbstractAdaptor(&service)
    , m_service(service)
{
}

QString CMprisRootAdaptor::Identity() const { return QStringLiteral("orv"); }

// The installed menu entry, orv.desktop.
QString CMprisRootAdaptor::DesktopEntry() const { return QStringLiteral("orv"); }

QStringList CMprisRootAdaptor::SupportedUriSchemes() const { return { QStringLiteral("file") }; }

QStringList CMprisRootAdaptor::SupportedMimeTypes() const { return PlayableMimeTypes(); }

void CMprisRootAdaptor::Raise() { m_service.Host().Command(MprisCommand::Raise); }

void CMprisRootAdaptor::Quit() { m_service.Host().Command(MprisCommand::Quit); }
