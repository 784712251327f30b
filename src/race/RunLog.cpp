#include "RunLog.h"

#include "platform/Clock.h"

#include <QSaveFile>
#include <stdexcept>

void RunLog::appendTimed(const QString& text) {
    m_lines << platform::Clock::now().toString(QStringLiteral("hh:mm:ss")) + u'#' + text;
}

void RunLog::writeTo(const QString& path) const {
    // Written aside and renamed, so a crash while writing never leaves a
    // half log in place of the previous one.
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (ok) {
        QByteArray data;
        for (const QString& line : m_lines) data += line.toUtf8() + '\n';
        ok = file.write(data) == data.size() && file.commit();
    }
    if (!ok) {
        const QString message = QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                                    .arg(path, file.errorString());
        throw std::runtime_error(message.toStdString());
    }
}

QString RunLog::fileName(const QDateTime& at) {
    return at.toString(QStringLiteral("yyyyMMdd-hhmmss")) + QStringLiteral(".txt");
}

QString RunLog::dayFolder(const QString& base, const QString& folder, const QDate& day) {
    return base + folder + u'/' + day.toString(QStringLiteral("yyyyMMdd")) + u'/';
}
