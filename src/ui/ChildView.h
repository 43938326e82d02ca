#pragma once
// The video area of the main window: a grey panel with a sunken edge. The
// frame sizes it so that the area inside the edge is the video's size.

#include <QFrame>

class CChildView : public QFrame {
    Q_OBJECT
public:
    explicit CChildView(QWidget* parent = nullptr);
};
