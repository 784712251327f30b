#pragma once

class QCoreApplication;

/// The station speaks Brazilian Portuguese whatever the machine's locale:
/// number and date formats, and Qt's own buttons and dialogs.
void installBrazilianPortuguese(QCoreApplication& app);
