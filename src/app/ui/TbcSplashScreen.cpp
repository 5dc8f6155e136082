#include "app/ui/TbcSplashScreen.h"

#include "app/AppInfo.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QColor kTeal(0, 128, 128);

// A quiet landscape: sky, hills and a river, drawn rather than shipped as a file.
QPixmap SplashImage(const QSize& size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(190, 228, 236));
    sky.setColorAt(1, QColor(236, 248, 246));
    p.fillRect(pixmap.rect(), sky);
    const int w = size.width(), h = size.height();
    QPainterPath far;
    far.moveTo(0, h * 0.62);
    far.cubicTo(w * 0.25, h * 0.38, w * 0.45, h * 0.70, w * 0.7, h * 0.48);
    far.cubicTo(w * 0.85, h * 0.38, w * 0.95, h * 0.5, w, h * 0.46);
    far.lineTo(w, h);
    far.lineTo(0, h);
    p.fillPath(far, QColor(120, 178, 150));
    QPainterPath near;
    near.moveTo(0, h * 0.8);
    near.cubicTo(w * 0.3, h * 0.62, w * 0.6, h * 0.9, w, h * 0.7);
    near.lineTo(w, h);
    near.lineTo(0, h);
    p.fillPath(near, kTeal);
    QPainterPath river;
    river.moveTo(w * 0.42, h);
    river.cubicTo(w * 0.5, h * 0.85, w * 0.62, h * 0.8, w * 0.58, h * 0.72);
    river.cubicTo(w * 0.66, h * 0.8, w * 0.6, h * 0.9, w * 0.56, h);
    p.fillPath(river, QColor(200, 236, 240));
    return pixmap;
}

QLabel* Line(const QString& text, int pointSize, bool bold, const QColor& color) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

} // namespace

TbcSplashScreen::TbcSplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* image = new QLabel;
    image->setPixmap(SplashImage(QSize(480, 200)));
    layout->addWidget(image);

    auto* panel = new QWidget;
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    auto* lines = new QVBoxLayout(panel);
    lines->setContentsMargins(16, 12, 16, 12);
    lines->addWidget(Line(AppInfo::SplashName(), 26, true, kTeal));
    lines->addWidget(Line(AppInfo::Title(), 14, false, kTeal));
    lines->addWidget(Line(QStringLiteral("Uruchamianie programu…"), 8, false, Qt::darkGray));
    layout->addWidget(panel);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
