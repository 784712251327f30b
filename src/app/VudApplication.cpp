#include "VudApplication.h"

#include "db/DbError.h"

#include <QDebug>
#include <exception>

namespace {
VudApplication::ErrorHandler handler;
}

VudApplication::VudApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool VudApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const db::DbError& e) {
        reportError(e.message());
    } catch (const std::exception& e) {
        reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        reportError(QStringLiteral("Erro desconhecido"));
    }
    return false;
}

void VudApplication::setErrorHandler(ErrorHandler h) { handler = std::move(h); }

void VudApplication::reportError(const QString& message) {
    if (handler)
        handler(message);
    else
        qWarning().noquote() << message;
}
