#include "editor/PrinterSettings.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPrinter>
#include <memory>

namespace {

// QPrinter is no QObject; a small owner parented to the application object
// lets it go with the application rather than after it.
class CPrinterOwner : public QObject {
  public:
    explicit CPrinterOwner(QObject* parent)
        : QObject(parent), m_printer(std::make_unique<QPrinter>(QPrinter::ScreenResolution)) {}
    QPrinter& Printer() { return *m_printer; }

  private:
    std::unique_ptr<QPrinter> m_printer;
};

QPointer<CPrinterOwner> g_owner;

}  // namespace

QPrinter& ApplicationPrinter() {
    if (!g_owner) g_owner = new CPrinterOwner(QCoreApplication::instance());
    return g_owner->Printer();
}
