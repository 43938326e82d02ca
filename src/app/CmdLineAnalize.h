#pragma once
// The command line as a playlist: media files, folders and playlist files,
// in the order given. Switches are ignored; anything else is reported.

#include "platform/WinTypes.h"
#include "playlist/PlayList.h"

#include <QString>
#include <QStringList>

#include <cstdio>

class CCmdLineAnalize {
public:
    // Feeds every argument (the program's name not included) to ParseParam.
    // A token beginning with "-" is a switch until a "--" ends the switches;
    // a token beginning with "/" is a path. Relative paths are made absolute
    // against the current folder.
    void ParseCommandLine(const QStringList& args);
    // One token; bFlag marks a switch, bLast the last token.
    void ParseParam(const QString& param, BOOL bFlag, BOOL bLast);

    // Every media file found, in order.
    CPlayList m_playList;
    // Folders, media files and playlist files taken.
    int m_nParamCount = 0;
    // The playlist file, when it was the first parameter taken.
    QString m_strFirstPlaylist;
    // Where a parameter that is no media file, playlist file or folder is
    // reported, one line each.
    std::FILE* m_pReport = stderr;

private:
    // Merges the other list; a merge beyond the limit is refused with its
    // message.
    void AppendToList(const CPlayList& other);
};
