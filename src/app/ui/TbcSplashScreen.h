#pragma once

#include <QWidget>

// The window shown while the program starts: an image above three centred lines on a white panel.
class TbcSplashScreen : public QWidget {
    Q_OBJECT
public:
    explicit TbcSplashScreen(QWidget* parent = nullptr);
};
