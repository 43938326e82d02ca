#pragma once
// The filter information dialog: the source, the filters of the graph, the
// interlace mode the decoder reports and whether the picture is
// deinterlaced. Fields carry their ids as object names ("1013" …).

#include "player/InfoTexts.h"

#include <QDialog>

class CDShowInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDShowInfoDlg(const DShowInfoTexts& texts, QWidget* parent = nullptr);
};
