#pragma once
// A new file that appears under its name only when it is whole. It is
// written under a hidden name in the same folder, put on disk and renamed
// into place, so a full disk or a failed encoder never leaves a cut still
// image behind, under either name.

#include <QByteArray>
#include <QString>

#include <cstdio>

class CStagedFile {
public:
    explicit CStagedFile(const QString& strPath);
    // Removes the hidden file unless it was committed.
    ~CStagedFile();
    CStagedFile(const CStagedFile&) = delete;
    CStagedFile& operator=(const CStagedFile&) = delete;

    // Creates the hidden file; false when the folder takes no new file.
    bool Open();
    // Where the content goes, between Open and Commit.
    FILE* Stream() const { return m_pStream; }
    // Puts everything written on disk and renames the file into place;
    // false, and nothing left behind, when any of it fails.
    bool Commit();

private:
    void Discard();

    QByteArray m_path;
    QByteArray m_tempPath;
    FILE* m_pStream = nullptr;
};
