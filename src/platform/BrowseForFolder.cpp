#include "platform/BrowseForFolder.h"

#include "platform/ModalSeam.h"

QString BrowseForFolder(const QString& strTitle, const QString& strStartFolder, BOOL, QWidget* pOwner)
{
    return Modal().GetExistingDirectory(pOwner, strTitle, strStartFolder);
}
