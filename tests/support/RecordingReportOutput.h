#pragma once

#include "platform/report/ReportOutput.h"

#include <QProcess>
#include <QStringList>

/// Report outputs that keep what was sent to them instead of painting it;
/// installed for its lifetime.
class RecordingReportOutput : public platform::report::ReportOutput {
public:
    struct Sent {
        QString how;  // "preview", "print" or "pdf"
        platform::report::LaidOutDocument doc;
        int copies = 1;
    };
    QList<Sent> sent;

    RecordingReportOutput() { platform::report::setOutput(this); }
    ~RecordingReportOutput() override { platform::report::setOutput(nullptr); }

    void preview(const platform::report::LaidOutDocument& doc, QWidget*) override {
        sent << Sent{QStringLiteral("preview"), doc, 1};
    }
    void print(const platform::report::LaidOutDocument& doc, int copies) override {
        sent << Sent{QStringLiteral("print"), doc, copies};
    }
    void savePdf(const platform::report::LaidOutDocument& doc, const QString&) override {
        sent << Sent{QStringLiteral("pdf"), doc, 1};
    }

    QStringList hows() const {
        QStringList h;
        for (const Sent& s : sent) h << s.how;
        return h;
    }
};

/// The text of a PDF as `pdftotext -layout` reads it; empty when it fails.
inline QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}
