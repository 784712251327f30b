#pragma once

#include "ReportDefinition.h"

namespace platform::report {

/// The frame the A4 reports share. The header prints the report-wide values
/// CAMPEONATO, EVENTO, DATA and LOCAL, the heading, and the organizer's
/// pictures at its right; the footer prints "Impresso em:" with the print
/// time, "Pag.:" with the page number and the provisional-results notice,
/// and an optional credits line.
Band frameHeader(const PageSetup& page, const QString& heading,
                 const QList<QImage>& organizerPictures);
Band frameFooter(const PageSetup& page, const QString& credits = {});

}  // namespace platform::report
