#pragma once
// The media information dialog: the media's text properties, the picture
// sizes and frame rate, and the audio format. Fields carry their ids as
// object names ("1018" … "1028").

#include "player/InfoTexts.h"

#include <QDialog>

class CMediaInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CMediaInfoDlg(const MediaInfoTexts& texts, QWidget* parent = nullptr);
};
