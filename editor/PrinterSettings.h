#pragma once

#include <memory>

class QPrinter;

// The printer settings that every view of the application and its Print
// Setup command share, made on first use at screen resolution, so that a
// printout has the size of the drawing on the screen. The application owns
// them; its views hold them by reference.
class CPrinterSettings {
  public:
    CPrinterSettings();
    ~CPrinterSettings();
    CPrinterSettings(const CPrinterSettings&) = delete;
    CPrinterSettings& operator=(const CPrinterSettings&) = delete;

    QPrinter& Printer();

  private:
    std::unique_ptr<QPrinter> m_printer;
};
