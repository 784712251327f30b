#include "UiTest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace uitest {

void whenModal(std::function<void(QWidget*)> action, int timeoutMs) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            action(modal);
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            delete clock;
        }
    });
    timer->start();
}

void pressEnter(QWidget* w) {
    QWidget* target = w ? w : QApplication::focusWidget();
    if (target) QTest::keyClick(target, Qt::Key_Return);
}

void click(QWidget* parent, const char* name) {
    QTest::mouseClick(required<QPushButton>(parent, QString::fromLatin1(name)), Qt::LeftButton);
}

bool showAndWait(QWidget& w) {
    w.show();
    return QTest::qWaitForWindowExposed(&w);
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace uitest
