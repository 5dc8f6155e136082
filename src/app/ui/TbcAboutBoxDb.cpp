#include "app/ui/TbcAboutBoxDb.h"

#include "app/AppInfo.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

QPixmap ProgramIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(236, 248, 246));
    p.setPen(QPen(QColor(0, 128, 128), size / 16.0));
    p.drawEllipse(QRectF(size * 0.05, size * 0.05, size * 0.9, size * 0.9));
    QPainterPath hill;
    hill.moveTo(size * 0.12, size * 0.68);
    hill.cubicTo(size * 0.35, size * 0.38, size * 0.6, size * 0.7, size * 0.88, size * 0.5);
    hill.lineTo(size * 0.8, size * 0.8);
    hill.cubicTo(size * 0.6, size * 0.95, size * 0.3, size * 0.92, size * 0.18, size * 0.8);
    p.setPen(Qt::NoPen);
    p.fillPath(hill, QColor(0, 128, 128));
    return pixmap;
}

bool OpenWebAddress(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address));
}

QString TbcAboutBoxDb::HomePage() {
    return QStringLiteral("https://ostoja.example/");
}

TbcAboutBoxDb::TbcAboutBoxDb(const QString& programVersion, const QString& databaseVersion, QWidget* parent)
    : QDialog(parent), icon_(new QLabel(this)),
      programVersion_(new QLabel(QStringLiteral("wer.") + QLatin1Char(' ') + programVersion, this)),
      databaseVersion_(
          new QLabel(QStringLiteral("wer. bazy danych:") + QLatin1Char(' ') + databaseVersion, this)),
      link_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("O programie "));

    icon_->setPixmap(ProgramIcon(64));
    icon_->setCursor(Qt::PointingHandCursor);
    icon_->installEventFilter(this);

    auto* name = new QLabel(AppInfo::ShortName() + QStringLiteral(" - ") + AppInfo::Title(), this);
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    name->setFont(bold);
    auto* line = new QLabel(QStringLiteral("Obliczanie opłat za korzystanie ze środowiska i wykazy dla "
                                           "urzędów marszałkowskich."),
                            this);
    line->setWordWrap(true);

    // A version that could not be read leaves no empty line behind.
    programVersion_->setVisible(!programVersion.isEmpty());
    databaseVersion_->setVisible(!databaseVersion.isEmpty());

    link_->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(HomePage()));
    link_->setToolTip(QStringLiteral("Kliknij link, aby przeglądać stronę domową producenta"));
    link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link_, &QLabel::linkActivated, this, [](const QString& address) { OpenWebAddress(address); });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(line);
    text->addSpacing(8);
    text->addWidget(programVersion_);
    text->addWidget(databaseVersion_);
    text->addSpacing(8);
    text->addWidget(link_);
    auto* top = new QHBoxLayout;
    top->addWidget(icon_, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setWindowIcon(ProgramIcon(32));
}

bool TbcAboutBoxDb::eventFilter(QObject* watched, QEvent* event) {
    if (watched == icon_ && event->type() == QEvent::MouseButtonRelease) {
        OpenWebAddress(HomePage());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
