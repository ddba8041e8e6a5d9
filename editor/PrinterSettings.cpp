#include "editor/PrinterSettings.h"

#include <QPrinter>

CPrinterSettings::CPrinterSettings() = default;

CPrinterSettings::~CPrinterSettings() = default;

QPrinter& CPrinterSettings::Printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    return *m_printer;
}
